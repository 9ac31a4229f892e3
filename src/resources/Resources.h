#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

// Files built into the program (skin images, tables, the default image). A
// resource is found by its file name without the extension, ignoring case.
namespace vtr::resources {

struct Resource {
    std::string_view name;
    std::span<const std::uint8_t> bytes;
};

// Empty span when there is no such resource.
std::span<const std::uint8_t> find(std::string_view name);
bool exists(std::string_view name);
// Every embedded resource, in build order.
std::span<const Resource> all();

}  // namespace vtr::resources

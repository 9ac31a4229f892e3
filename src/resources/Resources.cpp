#include "resources/Resources.h"

#include <algorithm>
#include <cctype>

namespace vtr::resources {

// Generated at build time from the files under resources/.
extern const Resource kEmbeddedResources[];
extern const std::size_t kEmbeddedResourceCount;

namespace {

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

const Resource* lookup(std::string_view name) {
    for (const Resource& resource : all()) {
        if (equalsIgnoringCase(resource.name, name)) {
            return &resource;
        }
    }
    return nullptr;
}

}  // namespace

std::span<const Resource> all() {
    return {kEmbeddedResources, kEmbeddedResourceCount};
}

std::span<const std::uint8_t> find(std::string_view name) {
    const Resource* resource = lookup(name);
    return resource ? resource->bytes : std::span<const std::uint8_t>{};
}

bool exists(std::string_view name) {
    return lookup(name) != nullptr;
}

}  // namespace vtr::resources

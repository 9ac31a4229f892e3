#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vtr::image {

// Reads a whole file of at most `maxSize` bytes. On failure returns nothing and
// puts the reason (the system's words) into `error`.
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::filesystem::path& path,
                                                       std::size_t maxSize, std::string& error);

// The first `count` bytes of a file (all of it when it is shorter). On failure
// nothing, with the system's words in `error`.
std::optional<std::vector<std::uint8_t>> ReadFileHead(const std::filesystem::path& path,
                                                      std::size_t count, std::string& error);

// Writes a file atomically: a temporary file in the same folder, flushed, then
// renamed over the target, so a failure never leaves a truncated file behind.
// Returns the reason on failure.
std::optional<std::string> WriteFileAtomically(const std::filesystem::path& path,
                                               std::span<const std::uint8_t> bytes);

}  // namespace vtr::image

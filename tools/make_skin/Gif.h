#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace skin {

struct GifAnimation {
    int width = 0;
    int height = 0;
    std::array<std::array<std::uint8_t, 3>, 256> palette{};  // RGB per index
    std::vector<std::vector<std::uint8_t>> frames;           // palette indices, row by row
    int delayCentiseconds = 5;
};

// Writes a looping GIF89a animation (every frame full size, no transparency).
// Throws on failure.
void WriteGif(const GifAnimation& animation, const std::filesystem::path& path);

}  // namespace skin

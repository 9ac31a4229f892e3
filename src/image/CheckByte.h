#pragma once

#include <cstdint>
#include <numeric>
#include <span>

namespace vtr::image {

// (sum of the bytes modulo 256) XOR 0x5A: the check byte of parameter section A,
// the button function table and every macro record.
inline std::uint8_t CheckByte(std::span<const std::uint8_t> bytes) {
    const unsigned sum = std::accumulate(bytes.begin(), bytes.end(), 0U);
    return static_cast<std::uint8_t>((sum & 0xFFU) ^ 0x5AU);
}

}  // namespace vtr::image

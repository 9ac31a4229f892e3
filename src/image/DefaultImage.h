#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "image/ConfigImage.h"

namespace vtr::image {

// The built-in default image "VTR6420KDData": a profile-layout image (583 bytes
// for image type 10) embedded in the program.
std::span<const std::uint8_t> BuiltInDefaultImage();

// Its first 43 bytes (the parameter area), from which start-up takes the ids
// and the image type.
struct DefaultHeader {
    std::array<std::uint8_t, kParameterAreaSize> bytes{};
    std::uint16_t vendorId() const { return static_cast<std::uint16_t>(bytes[5] | bytes[6] << 8); }
    std::uint16_t productId() const { return static_cast<std::uint16_t>(bytes[7] | bytes[8] << 8); }
    int imageType() const { return bytes[kDeviceTypeAddress]; }
};

DefaultHeader ReadDefaultHeader();

// (Re)fills `defaults` (`DefaultBuf`) from the built-in image: the parameter and
// profile areas and the macro area of the image type.
void LoadDefaultImage(ConfigImage& defaults);

}  // namespace vtr::image

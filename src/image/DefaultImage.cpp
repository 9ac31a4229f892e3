#include "image/DefaultImage.h"

#include <algorithm>

#include "resources/Resources.h"

namespace vtr::image {

std::span<const std::uint8_t> BuiltInDefaultImage() {
    return resources::find("VTR6420KDData");
}

DefaultHeader ReadDefaultHeader() {
    DefaultHeader header;
    const auto image = BuiltInDefaultImage();
    std::copy_n(image.begin(), std::min(image.size(), header.bytes.size()), header.bytes.begin());
    return header;
}

void LoadDefaultImage(ConfigImage& defaults) {
    defaults.loadProfileBytes(BuiltInDefaultImage(), ReadDefaultHeader().imageType());
}

}  // namespace vtr::image

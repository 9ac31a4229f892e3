// Arbitrary bytes as a profile file: loaded into the configuration image for
// either device type, decoded into the settings models and encoded again. Nothing
// may be read or written out of bounds, and what the encoder writes must pass
// the image's own checks.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "editor/SettingsSession.h"
#include "image/CheckByte.h"
#include "image/ConfigImage.h"
#include "text/Language.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const vtr::text::Languages languages;
    const std::span<const std::uint8_t> bytes(data, size);
    for (int type : {2, 10}) {
        vtr::image::ConfigImage image;
        image.loadProfileBytes(bytes, type);
        vtr::editor::SettingsSession session(languages);
        session.decode(image);
        session.encode(image);
        const auto& a = image.parameterArea;
        if (vtr::image::CheckByte(std::span(a).first(37)) != a[37] || a[38] + a[39] != 255 ||
            a[40] + a[41] != 255) {
            std::abort();
        }
        const auto& p = image.profileArea;
        if (vtr::image::CheckByte(std::span(p).first(27)) != p[27]) {
            std::abort();
        }
        if (image.toProfileBytes(type).size() != vtr::image::profileFileSize(type)) {
            std::abort();
        }
    }
    return 0;
}

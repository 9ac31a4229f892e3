#include "Gif.h"

#include <gif_lib.h>

#include <fstream>
#include <stdexcept>
#include <string>

namespace skin {

namespace {

[[noreturn]] void fail(const std::filesystem::path& path, int error) {
    const char* text = GifErrorString(error);
    throw std::runtime_error(path.string() + ": " + (text ? text : "giflib failed"));
}

int writeToStream(GifFileType* gif, const GifByteType* bytes, int length) {
    auto* out = static_cast<std::ofstream*>(gif->UserData);
    out->write(reinterpret_cast<const char*>(bytes), length);
    return out->good() ? length : 0;
}

}  // namespace

void WriteGif(const GifAnimation& animation, const std::filesystem::path& path) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        throw std::runtime_error(path.string() + ": cannot create");
    }
    int error = 0;
    GifFileType* gif = EGifOpen(&out, writeToStream, &error);
    if (!gif) {
        fail(path, error);
    }
    auto check = [&](int result) {
        if (result != GIF_OK) {
            const int code = gif->Error;
            EGifCloseFile(gif, &error);
            fail(path, code);
        }
    };

    GifColorType colours[256];
    for (std::size_t i = 0; i < 256; ++i) {
        colours[i] = {animation.palette[i][0], animation.palette[i][1], animation.palette[i][2]};
    }
    ColorMapObject* map = GifMakeMapObject(256, colours);
    EGifSetGifVersion(gif, true);
    const int screen = EGifPutScreenDesc(gif, animation.width, animation.height, 8, 0, map);
    GifFreeMapObject(map);
    check(screen);

    // Loop for ever.
    check(EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE));
    check(EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0"));
    const unsigned char loop[3] = {1, 0, 0};
    check(EGifPutExtensionBlock(gif, 3, loop));
    check(EGifPutExtensionTrailer(gif));

    for (const std::vector<std::uint8_t>& frame : animation.frames) {
        GraphicsControlBlock control{};
        control.DisposalMode = DISPOSE_DO_NOT;
        control.UserInputFlag = false;
        control.DelayTime = animation.delayCentiseconds;
        control.TransparentColor = NO_TRANSPARENT_COLOR;
        GifByteType extension[4];
        const std::size_t length = EGifGCBToExtension(&control, extension);
        check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension));
        check(EGifPutImageDesc(gif, 0, 0, animation.width, animation.height, false, nullptr));
        std::vector<GifPixelType> row(static_cast<std::size_t>(animation.width));
        for (int y = 0; y < animation.height; ++y) {
            const std::size_t start = static_cast<std::size_t>(y) * row.size();
            for (std::size_t x = 0; x < row.size(); ++x) {
                row[x] = frame[start + x];
            }
            check(EGifPutLine(gif, row.data(), animation.width));
        }
    }
    if (EGifCloseFile(gif, &error) != GIF_OK || !out.flush()) {
        fail(path, error);
    }
}

}  // namespace skin

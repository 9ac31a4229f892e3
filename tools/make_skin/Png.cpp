#include "Png.h"

#include <gif_lib.h>
#include <png.h>
#include <zlib.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <vector>

namespace skin {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

[[noreturn]] void fail(const std::filesystem::path& path, const char* what) {
    throw std::runtime_error(path.string() + ": " + what);
}

}  // namespace

void WritePng(const QImage& image, const std::filesystem::path& path) {
    const QImage rgba = image.convertToFormat(QImage::Format_RGBA8888);
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.string().c_str(), "wb"));
    if (!file) {
        fail(path, "cannot create");
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        fail(path, "libpng could not start");
    }
    std::vector<png_bytep> rows(static_cast<std::size_t>(rgba.height()));
    for (int y = 0; y < rgba.height(); ++y) {
        // libpng only reads through these pointers while writing.
        rows[static_cast<std::size_t>(y)] = const_cast<png_bytep>(rgba.constScanLine(y));
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        fail(path, "libpng failed");
    }
    png_init_io(png, file.get());
    png_set_compression_level(png, 9);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_ALL_FILTERS);
    png_set_IHDR(png, info, static_cast<png_uint_32>(rgba.width()),
                 static_cast<png_uint_32>(rgba.height()), 8, PNG_COLOR_TYPE_RGB_ALPHA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    png_set_rows(png, info, rows.data());
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&png, &info);
    if (std::fflush(file.get()) != 0) {
        fail(path, "cannot write");
    }
}

std::string ImageLibraryVersions() {
    return "zlib " + std::string(zlibVersion()) + "\nlibpng " + png_get_libpng_ver(nullptr) +
           "\ngiflib " + std::to_string(GIFLIB_MAJOR) + "." + std::to_string(GIFLIB_MINOR) + "." +
           std::to_string(GIFLIB_RELEASE) + "\n";
}

}  // namespace skin

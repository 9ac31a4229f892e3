#pragma once

#include <QImage>
#include <filesystem>
#include <string>

namespace skin {

// Writes `image` as an 8-bit RGBA PNG without gamma or colour-space chunks, so
// that a reader gets back exactly the bytes drawn (the window's colour key
// RGB(128, 0, 0) must stay exact). Compression level 9. Throws on failure.
void WritePng(const QImage& image, const std::filesystem::path& path);

// "zlib 1.2.13\nlibpng 1.6.39\ngiflib 5.2.1\n": the libraries that encode the files.
std::string ImageLibraryVersions();

}  // namespace skin

// The embedded skin: every picture the window asks for is there, at its size,
// as 8-bit RGBA without gamma or colour-space chunks (a reader applying gamma
// would turn the see-through colour RGB(128, 0, 0) into another red), and the
// see-through parts are exact.
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "resources/Resources.h"

namespace {

struct Expected {
    std::string name;
    int width;
    int height;
};

std::vector<Expected> expectedImages() {
    std::vector<Expected> images = {
        {"BtnS_01", 48, 43},         {"BtnS_02", 46, 43},
        {"BtnS_03", 49, 43},         {"SetS_01", 90, 30},
        {"SetS_02", 90, 30},         {"SetS_03", 89, 30},
        {"KeyS_01", 135, 27},        {"KeyS_02", 134, 27},
        {"MacroS_01", 80, 25},       {"MacroS_02", 80, 25},
        {"MacroS_03", 80, 25},       {"MacroBtnS_01", 40, 25},
        {"MacroBtnS_02", 40, 25},    {"MacroBtnS_03", 40, 25},
        {"WebS_01", 177, 88},        {"WebS_02", 177, 88},
        {"WebS_03", 177, 88},        {"Bar1_E", 24, 7},
        {"Bar1_D", 24, 7},           {"Bar2_E", 19, 7},
        {"Bar2_D", 19, 7},           {"CbS_E", 18, 19},
        {"CbS_D", 18, 19},           {"RdS_E", 16, 16},
        {"RdS_D", 16, 16},           {"InsertDelayBase", 207, 162},
        {"InsertKeyBase", 207, 162}, {"AppIcon", 256, 256},
    };
    for (int language = 1; language <= 3; ++language) {
        const std::string l = "L" + std::to_string(language) + "_";
        images.push_back({l + "BackGround", 800, 568});
        images.push_back({l + "Back1", 460, 364});
        images.push_back({l + "Back2", 705, 340});
        images.push_back({l + "Back3", 521, 236});
        images.push_back({l + "Back4", 600, 346});
    }
    return images;
}

// The chunk types of a PNG, walked from its bytes; empty when the structure is broken.
std::vector<std::string> chunkTypes(std::span<const std::uint8_t> bytes) {
    static const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (bytes.size() < 8 || !std::equal(kSignature, kSignature + 8, bytes.begin())) {
        return {};
    }
    std::vector<std::string> types;
    std::size_t at = 8;
    while (at + 12 <= bytes.size()) {
        const std::uint32_t length = (std::uint32_t{bytes[at]} << 24) |
                                     (std::uint32_t{bytes[at + 1]} << 16) |
                                     (std::uint32_t{bytes[at + 2]} << 8) | bytes[at + 3];
        if (length > bytes.size() - at - 12) {
            return {};
        }
        types.emplace_back(reinterpret_cast<const char*>(&bytes[at + 4]), 4);
        at += 12 + length;
        if (types.back() == "IEND") {
            return at == bytes.size() ? types : std::vector<std::string>{};
        }
    }
    return {};
}

struct Decoded {
    int width = 0;
    int height = 0;
    int bitDepth = 0;
    int colourType = 0;
    std::vector<std::uint8_t> rgba;  // straight from the file, no transformations

    const std::uint8_t* pixel(int x, int y) const {
        return &rgba[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)) *
                     4];
    }
};

struct Reader {
    std::span<const std::uint8_t> bytes;
    std::size_t at = 0;
};

void readBytes(png_structp png, png_bytep out, png_size_t length) {
    auto* reader = static_cast<Reader*>(png_get_io_ptr(png));
    if (length > reader->bytes.size() - reader->at) {
        png_error(png, "read past the end");
    }
    std::memcpy(out, reader->bytes.data() + reader->at, length);
    reader->at += length;
}

// Decodes with libpng's low-level reader and no transformations, as the window does.
std::optional<Decoded> decodePng(std::span<const std::uint8_t> bytes) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return std::nullopt;
    }
    Reader reader{bytes};
    Decoded decoded;
    std::vector<png_bytep> rows;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return std::nullopt;
    }
    png_set_read_fn(png, &reader, readBytes);
    png_read_info(png, info);
    decoded.width = static_cast<int>(png_get_image_width(png, info));
    decoded.height = static_cast<int>(png_get_image_height(png, info));
    decoded.bitDepth = png_get_bit_depth(png, info);
    decoded.colourType = png_get_color_type(png, info);
    if (decoded.bitDepth != 8 || decoded.colourType != PNG_COLOR_TYPE_RGBA ||
        png_get_rowbytes(png, info) != static_cast<png_size_t>(decoded.width) * 4) {
        png_destroy_read_struct(&png, &info, nullptr);
        return decoded;  // the format is reported; no pixels
    }
    decoded.rgba.resize(static_cast<std::size_t>(decoded.width) *
                        static_cast<std::size_t>(decoded.height) * 4);
    rows.resize(static_cast<std::size_t>(decoded.height));
    for (int y = 0; y < decoded.height; ++y) {
        rows[static_cast<std::size_t>(y)] =
            decoded.rgba.data() +
            static_cast<std::size_t>(y) * static_cast<std::size_t>(decoded.width) * 4;
    }
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return decoded;
}

bool isKey(const std::uint8_t* p) {
    return p[0] == 128 && p[1] == 0 && p[2] == 0 && p[3] == 255;
}

TEST(SkinImagesTest, EveryPictureIsThereAtItsSizeAsPlainRgba) {
    for (const Expected& image : expectedImages()) {
        SCOPED_TRACE(image.name);
        const auto bytes = vtr::resources::find(image.name);
        ASSERT_FALSE(bytes.empty());
        const std::vector<std::string> chunks = chunkTypes(bytes);
        ASSERT_FALSE(chunks.empty()) << "not a well-formed PNG";
        for (const char* colourChunk : {"gAMA", "sRGB", "iCCP", "cHRM", "sBIT"}) {
            EXPECT_EQ(std::count(chunks.begin(), chunks.end(), colourChunk), 0) << colourChunk;
        }
        const std::optional<Decoded> decoded = decodePng(bytes);
        ASSERT_TRUE(decoded.has_value()) << "libpng cannot read it";
        EXPECT_EQ(decoded->width, image.width);
        EXPECT_EQ(decoded->height, image.height);
        EXPECT_EQ(decoded->bitDepth, 8);
        EXPECT_EQ(decoded->colourType, PNG_COLOR_TYPE_RGBA);
        EXPECT_FALSE(decoded->rgba.empty());
    }
}

TEST(SkinImagesTest, BackgroundsAreOpaqueAndSeeThroughOnlyOutsideTheirOutline) {
    for (int language = 1; language <= 3; ++language) {
        const std::string name = "L" + std::to_string(language) + "_BackGround";
        SCOPED_TRACE(name);
        const std::optional<Decoded> image = decodePng(vtr::resources::find(name));
        ASSERT_TRUE(image && !image->rgba.empty());
        int keyPixels = 0;
        for (int y = 0; y < image->height; ++y) {
            // Each row is see-through at its ends only: no holes inside the
            // outline, and no blended reds at its edge (the mask is one bit).
            int x = 0;
            while (x < image->width && isKey(image->pixel(x, y))) {
                ++x;
            }
            int end = image->width;
            while (end > x && isKey(image->pixel(end - 1, y))) {
                --end;
            }
            keyPixels += x + (image->width - end);
            for (int i = x; i < end; ++i) {
                const std::uint8_t* p = image->pixel(i, y);
                ASSERT_EQ(p[3], 255) << "at " << i << "," << y;
                ASSERT_FALSE(isKey(p)) << "hole at " << i << "," << y;
                const bool reddish = p[0] >= 100 && p[0] <= 160 && p[1] < 24 && p[2] < 24;
                ASSERT_FALSE(reddish) << "blended edge at " << i << "," << y;
            }
        }
        // The corners are cut, the middle is not.
        for (const auto& [x, y] : {std::pair{0, 0}, {799, 0}, {0, 567}, {799, 567}}) {
            EXPECT_TRUE(isKey(image->pixel(x, y))) << x << "," << y;
        }
        EXPECT_FALSE(isKey(image->pixel(400, 284)));
        EXPECT_GT(keyPixels, 0);
        EXPECT_LT(keyPixels, image->width * image->height / 50);
    }
}

TEST(SkinImagesTest, NoOtherPictureCarriesTheSeeThroughColour) {
    for (const Expected& expected : expectedImages()) {
        if (expected.name.ends_with("_BackGround")) {
            continue;
        }
        SCOPED_TRACE(expected.name);
        const std::optional<Decoded> image = decodePng(vtr::resources::find(expected.name));
        ASSERT_TRUE(image && !image->rgba.empty());
        for (int y = 0; y < image->height; ++y) {
            for (int x = 0; x < image->width; ++x) {
                ASSERT_FALSE(isKey(image->pixel(x, y))) << x << "," << y;
            }
        }
    }
}

TEST(SkinImagesTest, StatesOfAButtonLookDifferent) {
    // Each group: the normal picture first, then its other states.
    const std::vector<std::vector<const char*>> groups = {
        {"BtnS_01", "BtnS_02", "BtnS_03"},
        {"SetS_01", "SetS_02", "SetS_03"},
        {"KeyS_01", "KeyS_02"},
        {"MacroS_01", "MacroS_02", "MacroS_03"},
        {"MacroBtnS_01", "MacroBtnS_02", "MacroBtnS_03"},
        {"WebS_01", "WebS_02", "WebS_03"},
        {"Bar1_E", "Bar1_D"},
        {"Bar2_E", "Bar2_D"},
        {"CbS_E", "CbS_D"},
        {"RdS_E", "RdS_D"},
    };
    for (const auto& group : groups) {
        std::vector<Decoded> images;
        for (const char* name : group) {
            const std::optional<Decoded> image = decodePng(vtr::resources::find(name));
            ASSERT_TRUE(image && !image->rgba.empty()) << name;
            images.push_back(*image);
        }
        for (std::size_t a = 0; a < images.size(); ++a) {
            for (std::size_t b = a + 1; b < images.size(); ++b) {
                SCOPED_TRACE(std::string(group[a]) + " and " + group[b]);
                const int w = std::min(images[a].width, images[b].width);
                const int h = std::min(images[a].height, images[b].height);
                int differing = 0;
                for (int y = 0; y < h; ++y) {
                    for (int x = 0; x < w; ++x) {
                        const std::uint8_t* p = images[a].pixel(x, y);
                        const std::uint8_t* q = images[b].pixel(x, y);
                        int distance = 0;
                        for (int c = 0; c < 4; ++c) {
                            distance += std::abs(p[c] - q[c]);
                        }
                        differing += distance > 24 ? 1 : 0;
                    }
                }
                // A state that differs in a few pixels only would not be seen.
                EXPECT_GT(differing, w * h / 20);
            }
        }
    }
}

struct GifReader {
    std::span<const std::uint8_t> bytes;
    std::size_t at = 0;
};

int readGif(GifFileType* gif, GifByteType* out, int length) {
    auto* reader = static_cast<GifReader*>(gif->UserData);
    const std::size_t n =
        std::min<std::size_t>(static_cast<std::size_t>(length), reader->bytes.size() - reader->at);
    std::memcpy(out, reader->bytes.data() + reader->at, n);
    reader->at += n;
    return static_cast<int>(n);
}

TEST(SkinImagesTest, BusyAnimationLoopsOnBlack) {
    GifReader reader{vtr::resources::find("WaitGif")};
    ASSERT_FALSE(reader.bytes.empty());
    int error = 0;
    GifFileType* gif = DGifOpen(&reader, readGif, &error);
    ASSERT_NE(gif, nullptr);
    ASSERT_EQ(DGifSlurp(gif), GIF_OK);
    EXPECT_EQ(gif->SWidth, 200);
    EXPECT_EQ(gif->SHeight, 192);
    EXPECT_GE(gif->ImageCount, 12);
    EXPECT_LE(gif->ImageCount, 24);
    ASSERT_GT(gif->ImageCount, 0);

    // The loop extension: an application block "NETSCAPE2.0" followed by the
    // sub-block 1, count 0 (for ever). giflib keeps it with the first frame.
    bool loops = false;
    const SavedImage& first = gif->SavedImages[0];
    for (int i = 0; i + 1 < first.ExtensionBlockCount; ++i) {
        const ExtensionBlock& block = first.ExtensionBlocks[i];
        const ExtensionBlock& next = first.ExtensionBlocks[i + 1];
        if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11 &&
            std::memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0 && next.ByteCount == 3 &&
            next.Bytes[0] == 1 && next.Bytes[1] == 0 && next.Bytes[2] == 0) {
            loops = true;
        }
    }
    EXPECT_TRUE(loops) << "no loop extension";

    for (int frame = 0; frame < gif->ImageCount; ++frame) {
        SCOPED_TRACE(frame);
        const SavedImage& image = gif->SavedImages[frame];
        ASSERT_EQ(image.ImageDesc.Width, 200);
        ASSERT_EQ(image.ImageDesc.Height, 192);
        const ColorMapObject* map =
            image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
        ASSERT_NE(map, nullptr);
        auto colour = [&](int x, int y) {
            const int index = image.RasterBits[y * 200 + x];
            EXPECT_LT(index, map->ColorCount);
            return map->Colors[std::min(index, map->ColorCount - 1)];
        };
        // The busy window's see-through colour is black: the frame's edges are black...
        for (const auto& [x, y] : {std::pair{0, 0}, {199, 0}, {0, 191}, {199, 191}, {100, 96}}) {
            const GifColorType c = colour(x, y);
            EXPECT_TRUE(c.Red == 0 && c.Green == 0 && c.Blue == 0) << x << "," << y;
        }
        // ...and something is lit.
        int lit = 0;
        for (int i = 0; i < 200 * 192; ++i) {
            const GifColorType c =
                map->Colors[std::min<int>(image.RasterBits[i], map->ColorCount - 1)];
            lit += (c.Red | c.Green | c.Blue) != 0 ? 1 : 0;
        }
        EXPECT_GT(lit, 1000);
    }
    DGifCloseFile(gif, &error);
}

}  // namespace

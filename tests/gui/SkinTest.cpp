#include <gif_lib.h>
#include <gtest/gtest.h>
#include <png.h>

#include <QImage>
#include <QPainter>
#include <csetjmp>
#include <string>
#include <vector>

#include "QtPrinters.h"
#include "resources/Resources.h"
#include "shell/GifAnimation.h"
#include "shell/ReportOnce.h"
#include "shell/Skin.h"
#include "shell/SkinControls.h"

namespace vtr::shell {
namespace {

using Bytes = std::vector<std::uint8_t>;

// --- PNG files made here, so each case holds exactly what it tests ---

struct PngFile {
    int width = 2;
    int height = 2;
    int colourType = PNG_COLOR_TYPE_RGB_ALPHA;
    int bitDepth = 8;
    std::vector<std::uint8_t> rows;  // packed rows as libpng wants them
    std::vector<png_color> palette;
    std::vector<png_byte> paletteAlpha;
    double gamma = 0;  // a gAMA chunk when not 0
    bool interlaced = false;
};

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void noFlush(png_structp) {}

Bytes writePng(const PngFile& file) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        ADD_FAILURE() << "writing the test PNG failed";
        return {};
    }
    png_set_write_fn(png, &out, appendBytes, noFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(file.width),
                 static_cast<png_uint_32>(file.height), file.bitDepth, file.colourType,
                 file.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!file.palette.empty()) {
        png_set_PLTE(png, info, file.palette.data(), static_cast<int>(file.palette.size()));
    }
    if (!file.paletteAlpha.empty()) {
        png_set_tRNS(png, info, file.paletteAlpha.data(),
                     static_cast<int>(file.paletteAlpha.size()), nullptr);
    }
    if (file.gamma != 0) {
        png_set_gAMA(png, info, file.gamma);
    }
    png_write_info(png, info);
    const std::size_t rowBytes = file.rows.size() / static_cast<std::size_t>(file.height);
    std::vector<png_bytep> rows;
    for (int y = 0; y < file.height; ++y) {
        rows.push_back(
            const_cast<png_bytep>(file.rows.data() + rowBytes * static_cast<std::size_t>(y)));
    }
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

TEST(PngTest, ColoursComeBackExactlyAsStoredWhateverTheFormat) {
    PngFile rgbaWithGamma;
    rgbaWithGamma.gamma = 1 / 2.2;
    rgbaWithGamma.rows = {128, 0, 0, 255, 10, 20, 30, 40, 255, 255, 255, 0, 0, 0, 0, 255};

    PngFile palette;
    palette.colourType = PNG_COLOR_TYPE_PALETTE;
    palette.palette = {{128, 0, 0}, {10, 20, 30}, {255, 255, 255}, {0, 0, 0}};
    palette.paletteAlpha = {255, 40, 0};
    palette.rows = {0, 1, 2, 3};

    PngFile deep;
    deep.colourType = PNG_COLOR_TYPE_RGB;
    deep.bitDepth = 16;
    deep.rows = {128, 9,   0,   0,   0,   0,   10, 0, 20, 0, 30, 0,
                 255, 255, 255, 255, 255, 255, 0,  0, 0,  0, 0,  0};

    PngFile grey;
    grey.colourType = PNG_COLOR_TYPE_GRAY_ALPHA;
    grey.rows = {128, 255, 20, 40, 255, 0, 0, 255};

    PngFile interlaced = rgbaWithGamma;
    interlaced.interlaced = true;

    const struct {
        const char* name;
        const PngFile& file;
        std::vector<QRgb> pixels;  // (0,0), (1,0), (0,1), (1,1)
    } cases[] = {
        {"RGBA with a gamma chunk",
         rgbaWithGamma,
         {qRgba(128, 0, 0, 255), qRgba(10, 20, 30, 40), qRgba(255, 255, 255, 0),
          qRgba(0, 0, 0, 255)}},
        {"palette with transparency",
         palette,
         {qRgba(128, 0, 0, 255), qRgba(10, 20, 30, 40), qRgba(255, 255, 255, 0),
          qRgba(0, 0, 0, 255)}},
        {"16-bit RGB",
         deep,
         {qRgba(128, 0, 0, 255), qRgba(10, 20, 30, 255), qRgba(255, 255, 255, 255),
          qRgba(0, 0, 0, 255)}},
        {"grey with alpha",
         grey,
         {qRgba(128, 128, 128, 255), qRgba(20, 20, 20, 40), qRgba(255, 255, 255, 0),
          qRgba(0, 0, 0, 255)}},
        {"interlaced",
         interlaced,
         {qRgba(128, 0, 0, 255), qRgba(10, 20, 30, 40), qRgba(255, 255, 255, 0),
          qRgba(0, 0, 0, 255)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage image = DecodePng(writePng(c.file));
        ASSERT_FALSE(image.isNull());
        ASSERT_EQ(image.size(), QSize(2, 2));
        // Compared unpremultiplied, as stored.
        const QImage plain = image.convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(plain.pixel(0, 0), c.pixels[0]);
        EXPECT_EQ(plain.pixel(1, 0), c.pixels[1]);
        EXPECT_EQ(qAlpha(plain.pixel(0, 1)), qAlpha(c.pixels[2]));
        if (qAlpha(c.pixels[2]) != 0) {
            EXPECT_EQ(plain.pixel(0, 1), c.pixels[2]);
        }
        EXPECT_EQ(plain.pixel(1, 1), c.pixels[3]);
    }
}

TEST(PngTest, DamagedOrOversizedFilesGiveNoPictureAndNoCrash) {
    PngFile file;
    file.rows.assign(16, 77);
    const Bytes good = writePng(file);
    ASSERT_FALSE(DecodePng(good).isNull());
    for (std::size_t length = 0; length < good.size(); ++length) {
        EXPECT_TRUE(DecodePng(std::span(good.data(), length)).isNull()) << length;
    }
    Bytes flipped = good;
    flipped[good.size() / 2] ^= 0xFF;  // inside the compressed data: its check fails
    EXPECT_TRUE(DecodePng(flipped).isNull());
    EXPECT_TRUE(DecodePng(Bytes{'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g'}).isNull());

    PngFile wide;
    wide.width = 4097;
    wide.height = 1;
    wide.rows.assign(4097 * 4, 1);
    EXPECT_TRUE(DecodePng(writePng(wide)).isNull());
    wide.width = 4096;
    wide.rows.resize(4096 * 4);
    EXPECT_EQ(DecodePng(writePng(wide)).size(), QSize(4096, 1));
}

TEST(PngTest, OnlyExactlyTheKeyColourBecomesTransparent) {
    QImage image(4, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(128, 0, 0, 255));
    image.setPixel(1, 0, qRgba(128, 0, 1, 255));
    image.setPixel(2, 0, qRgba(128, 0, 0, 200));
    image.setPixel(3, 0, qRgba(127, 0, 0, 255));
    MakeColourTransparent(image, kMainColourKey);
    EXPECT_EQ(image.pixel(0, 0), 0u);
    EXPECT_EQ(image.pixel(1, 0), qRgba(128, 0, 1, 255));
    EXPECT_EQ(image.pixel(2, 0), qRgba(128, 0, 0, 200));
    EXPECT_EQ(image.pixel(3, 0), qRgba(127, 0, 0, 255));
}

TEST(SkinTest, MissingPictureIsAPlaceholderOfItsSizeReportedOnce) {
    std::vector<std::string> reports;
    SetReportSink([&](const std::string& text) { reports.push_back(text); });
    const QPixmap& first = Skin::picture("NoSuchPicture");
    const QPixmap& again = Skin::picture("nosuchpicture");
    SetReportSink(nullptr);
    EXPECT_EQ(first.size(), QSize(32, 32));
    EXPECT_EQ(again.size(), QSize(32, 32));
    EXPECT_TRUE(Skin::isPlaceholder("NoSuchPicture"));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("NoSuchPicture"), std::string::npos);

    EXPECT_EQ(StatedPictureSize("sets_03"), QSize(89, 30));
    EXPECT_EQ(StatedPictureSize("L2_Back4"), QSize(600, 346));
    EXPECT_FALSE(StatedPictureSize("NoSuchPicture").isValid());
}

TEST(SkinTest, ShippedPicturesHaveTheirStatedSizes) {
    const char* names[] = {"BtnS_01",  "BtnS_02",   "BtnS_03",         "SetS_01",      "SetS_02",
                           "SetS_03",  "KeyS_01",   "KeyS_02",         "WebS_01",      "WebS_02",
                           "WebS_03",  "MacroS_01", "MacroBtnS_03",    "Bar1_E",       "Bar2_D",
                           "CbS_E",    "RdS_D",     "L1_BackGround",   "L3_Back1",     "L2_Back2",
                           "L1_Back3", "L3_Back4",  "InsertDelayBase", "InsertKeyBase"};
    for (const char* name : names) {
        EXPECT_FALSE(Skin::isPlaceholder(name)) << name;
        EXPECT_EQ(Skin::picture(name).size(), StatedPictureSize(name)) << name;
    }
}

// --- GIF files made here ---

struct GifFrame {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<GifPixelType> indices;
    int delay = 0;  // 1/100 s
    int disposal = DISPOSAL_UNSPECIFIED;
    int transparent = NO_TRANSPARENT_COLOR;
    bool interlaced = false;
    std::vector<GifColorType> localColours = {};  // empty: the global table
};

int appendGif(GifFileType* gif, const GifByteType* data, int length) {
    auto* out = static_cast<Bytes*>(gif->UserData);
    out->insert(out->end(), data, data + length);
    return length;
}

// Colours: 0 black, 1 red, 2 green, 3 blue.
Bytes writeGif(int width, int height, const std::vector<GifFrame>& frames) {
    Bytes out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, appendGif, &error);
    const GifColorType colours[] = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    ColorMapObject* map = GifMakeMapObject(4, colours);
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, width, height, 8, 0, map);
    for (const GifFrame& frame : frames) {
        GraphicsControlBlock control{frame.disposal, false, frame.delay, frame.transparent};
        GifByteType extension[4];
        const std::size_t length = EGifGCBToExtension(&control, extension);
        EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension);
        ColorMapObject* local = frame.localColours.empty()
                                    ? nullptr
                                    : GifMakeMapObject(static_cast<int>(frame.localColours.size()),
                                                       frame.localColours.data());
        EGifPutImageDesc(gif, frame.left, frame.top, frame.width, frame.height, frame.interlaced,
                         local);
        if (local != nullptr) {
            GifFreeMapObject(local);
        }
        // Interlaced images are stored in pass order.
        std::vector<int> order;
        if (frame.interlaced) {
            for (const auto& [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}}) {
                for (int y = start; y < frame.height; y += step) {
                    order.push_back(y);
                }
            }
        } else {
            for (int y = 0; y < frame.height; ++y) {
                order.push_back(y);
            }
        }
        for (const int y : order) {
            std::vector<GifPixelType> line(frame.indices.begin() + y * frame.width,
                                           frame.indices.begin() + (y + 1) * frame.width);
            EGifPutLine(gif, line.data(), frame.width);
        }
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return out;
}

constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kGreen = 0xFF00FF00;
constexpr QRgb kBlue = 0xFF0000FF;

TEST(GifTest, FramesBuildOnEachOtherWithTheirDelays) {
    GifFrame first{0, 0, 3, 2, {1, 1, 1, 1, 1, 1}, 5};
    GifFrame overlay{1, 0, 2, 2, {2, 0, 0, 3}, 0, DISPOSAL_UNSPECIFIED, 0};
    const auto animation = DecodeGif(writeGif(3, 2, {first, overlay}));
    ASSERT_TRUE(animation);
    ASSERT_EQ(animation->frames.size(), 2u);
    EXPECT_EQ(animation->delaysMs, (std::vector<int>{50, 100}));
    const QImage& a = animation->frames[0];
    const QImage& b = animation->frames[1];
    EXPECT_EQ(a.pixel(2, 1), kRed);
    EXPECT_EQ(b.pixel(0, 0), kRed) << "outside the second frame";
    EXPECT_EQ(b.pixel(1, 0), kGreen);
    EXPECT_EQ(b.pixel(2, 0), kRed) << "a transparent index keeps what is under it";
    EXPECT_EQ(b.pixel(2, 1), kBlue);
    EXPECT_EQ(a.pixel(2, 0), kRed) << "earlier frames are not changed";
}

TEST(GifTest, DisposalClearsOrRestoresBeforeTheNextFrame) {
    const struct {
        int disposal;
        QRgb leftOver;  // (0,0) in the second frame, outside its rectangle
    } cases[] = {{DISPOSE_DO_NOT, kRed}, {DISPOSE_BACKGROUND, 0}};
    for (const auto& c : cases) {
        GifFrame first{0, 0, 2, 2, {1, 1, 1, 1}, 10, c.disposal};
        GifFrame second{1, 1, 1, 1, {3}, 10};
        const auto animation = DecodeGif(writeGif(2, 2, {first, second}));
        ASSERT_TRUE(animation);
        ASSERT_EQ(animation->frames.size(), 2u);
        EXPECT_EQ(animation->frames[1].pixel(0, 0), c.leftOver) << c.disposal;
        EXPECT_EQ(animation->frames[1].pixel(1, 1), kBlue);
    }
    // Restoring the previous picture undoes a frame after it is shown.
    GifFrame base{0, 0, 2, 1, {1, 1}, 10};
    GifFrame passing{0, 0, 1, 1, {2}, 10, DISPOSE_PREVIOUS};
    GifFrame next{1, 0, 1, 1, {3}, 10};
    const auto animation = DecodeGif(writeGif(2, 1, {base, passing, next}));
    ASSERT_TRUE(animation);
    ASSERT_EQ(animation->frames.size(), 3u);
    EXPECT_EQ(animation->frames[1].pixel(0, 0), kGreen);
    EXPECT_EQ(animation->frames[2].pixel(0, 0), kRed);
    EXPECT_EQ(animation->frames[2].pixel(1, 0), kBlue);
}

TEST(GifTest, InterlacedRowsLandInPlaceAndFramesAreClippedToThePicture) {
    GifFrame rows{0, 0, 1, 9, {0, 1, 2, 3, 0, 1, 2, 3, 0}, 10};
    rows.interlaced = true;
    const auto interlaced = DecodeGif(writeGif(1, 9, {rows}));
    ASSERT_TRUE(interlaced);
    const QRgb expected[] = {kBlack, kRed, kGreen, kBlue, kBlack, kRed, kGreen, kBlue, kBlack};
    for (int y = 0; y < 9; ++y) {
        EXPECT_EQ(interlaced->frames[0].pixel(0, y), expected[y]) << y;
    }

    GifFrame outside{1, 1, 3, 3, {1, 1, 1, 1, 1, 1, 1, 1, 1}, 10};
    const auto clipped = DecodeGif(writeGif(2, 2, {outside}));
    ASSERT_TRUE(clipped);
    EXPECT_EQ(clipped->frames[0].size(), QSize(2, 2));
    EXPECT_EQ(clipped->frames[0].pixel(1, 1), kRed);
    EXPECT_EQ(clipped->frames[0].pixel(0, 0), 0u) << "never drawn: transparent";
}

TEST(GifTest, FewColoursMakeSmallFramesAndManyStayExact) {
    GifFrame few{0, 0, 2, 1, {1, 2}, 10};
    const auto small = DecodeGif(writeGif(2, 1, {few, few}));
    ASSERT_TRUE(small);
    EXPECT_EQ(small->frames[1].format(), QImage::Format_Indexed8);
    EXPECT_EQ(small->frames[1].pixel(1, 0), kGreen);

    // A second frame of 256 colours of its own: 258 colours in all.
    GifFrame many{0, 0, 16, 16, {}, 10};
    for (int i = 0; i < 256; ++i) {
        many.localColours.push_back(
            {static_cast<GifByteType>(i), 7, static_cast<GifByteType>(255 - i)});
        many.indices.push_back(static_cast<GifPixelType>(i));
    }
    GifFrame first{0, 0, 2, 1, {1, 2}, 10};
    const auto wide = DecodeGif(writeGif(16, 16, {first, many}));
    ASSERT_TRUE(wide);
    ASSERT_EQ(wide->frames.size(), 2u);
    EXPECT_EQ(wide->frames[0].pixel(0, 0), kRed);
    EXPECT_EQ(wide->frames[0].pixel(1, 0), kGreen);
    EXPECT_EQ(wide->frames[0].pixel(5, 5), 0u);
    for (int i = 0; i < 256; i += 17) {
        EXPECT_EQ(wide->frames[1].pixel(i % 16, i / 16), qRgb(i, 7, 255 - i)) << i;
    }
}

TEST(GifTest, BrokenFilesKeepWhatWasReadAndNeverCrash) {
    GifFrame first{0, 0, 2, 2, {1, 1, 1, 1}, 10};
    GifFrame second{0, 0, 2, 2, {2, 2, 2, 2}, 10};
    const Bytes good = writeGif(2, 2, {first, second});
    ASSERT_EQ(DecodeGif(good)->frames.size(), 2u);
    std::size_t mostFrames = 0;
    for (std::size_t length = 0; length < good.size(); ++length) {
        const auto animation = DecodeGif(std::span(good.data(), length));
        if (animation) {
            EXPECT_LE(animation->frames.size(), 2u);
            mostFrames = std::max(mostFrames, animation->frames.size());
        }
    }
    EXPECT_GE(mostFrames, 1u) << "a file cut in its second frame keeps the first";
    EXPECT_FALSE(DecodeGif(Bytes{'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0}));
    EXPECT_FALSE(DecodeGif(Bytes{1, 2, 3}));
}

TEST(GifTest, ShippedBusyAnimationIsReadable) {
    const auto animation = DecodeGif(resources::find("WaitGif"));
    ASSERT_TRUE(animation);
    EXPECT_GT(animation->frames.size(), 1u);
    EXPECT_EQ(animation->frames[0].size(), QSize(200, 192));
}

// The columns of `label` its caption inks, drawn white on black.
std::pair<int, int> inkedColumns(LabelButton& label) {
    QImage image(label.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    label.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    int first = image.width();
    int last = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) > 60) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
        }
    }
    return {first, last};
}

TEST(LabelButtonTest, ACaptionSlightlyTooWideIsNarrowedToFitNotCut) {
    LabelButton label("Btn_Test", nullptr);
    label.setPointSize(8);
    label.setCaption("Main Control");
    const int natural = label.fontMetrics().horizontalAdvance(label.caption());
    // A label a few pixels narrower than its caption.
    label.resize(natural - 3, 20);
    const auto [first, last] = inkedColumns(label);
    EXPECT_GT(first, 0) << "the caption's first letter is cut";
    EXPECT_LT(last, label.width() - 1) << "the caption's last letter is cut";

    // A scrolling caption, far wider, is not squeezed: it runs out of the label.
    label.setCaption("Main Control    M");
    label.resize(natural - 3, 20);
    EXPECT_EQ(inkedColumns(label).first, 0) << "a scrolling caption is cut at the edge";
}

}  // namespace
}  // namespace vtr::shell

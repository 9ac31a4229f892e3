#pragma once

#include <QImage>
#include <QPixmap>
#include <QRegion>
#include <QRgb>
#include <QSize>
#include <QString>
#include <cstdint>
#include <span>
#include <vector>

// The skin: the pictures every control of the window shows, decoded from the
// PNG resources built into the program.
namespace vtr::shell {

// The main window's colour key: every pixel of exactly this colour is
// see-through.
inline constexpr QRgb kMainColourKey = 0xFF800000;  // RGB(128, 0, 0)

// An RGBA PNG decoded with libpng's low-level reader into a QImage of format
// ARGB32 (not premultiplied), with the colours exactly as stored: no gamma
// correction, so a pixel of the colour key keeps its bytes. Palette, grey and
// 16-bit images are widened to 8 bits a channel. A null image when the bytes are
// not a PNG libpng reads to its end, or when the picture is larger than any
// skin picture can be (4096 pixels a side); never reads outside `bytes`.
QImage DecodePng(std::span<const std::uint8_t> bytes);

// The width and height a PNG's header gives, without decoding it; an invalid
// size when the bytes do not begin like a PNG or the size is out of range.
QSize PngHeaderSize(std::span<const std::uint8_t> bytes);

// Every opaque pixel of exactly `key` becomes fully transparent: in the
// colour table of an 8-bit image, in the pixels of any other (converted to
// ARGB32 first).
void MakeColourTransparent(QImage& image, QRgb key);

// The size a skin picture has by design, or an invalid size for a name that
// is not a skin picture.
QSize StatedPictureSize(const QString& name);

// Pictures by resource name (without extension, any case), with the main
// colour key made transparent. A picture is decoded when it is first drawn,
// once per run; its size is known from its header before that. A missing or
// unreadable resource is drawn as a placeholder of the picture's stated size
// (32 × 32 when none is known) and reported once on stderr.
class Skin {
  public:
    // Starts decoding these pictures on a thread of their own, so that they
    // are ready when the window first draws them. May be called before the
    // application object exists.
    static void prefetch(const std::vector<QString>& names);

    static QSize size(const QString& name);
    static const QPixmap& picture(const QString& name);
    static QImage image(const QString& name);
    // The picture's pixels that are not fully transparent.
    static const QRegion& shape(const QString& name);
    static bool isPlaceholder(const QString& name);
};

}  // namespace vtr::shell

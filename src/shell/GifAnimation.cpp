#include "shell/GifAnimation.h"

#include <gif_lib.h>

#include <QHash>
#include <QList>

#include <algorithm>
#include <cstring>
#include <memory>

namespace vtr::shell {

namespace {

constexpr int kLargestSide = 4096;
constexpr int kDefaultDelayMs = 100;

struct Source {
    std::span<const std::uint8_t> bytes;
    std::size_t position = 0;
};

int readBytes(GifFileType* gif, GifByteType* out, int length) {
    auto* source = static_cast<Source*>(gif->UserData);
    if (length <= 0) {
        return 0;
    }
    const std::size_t take = std::min<std::size_t>(static_cast<std::size_t>(length),
                                                   source->bytes.size() - source->position);
    std::memcpy(out, source->bytes.data() + source->position, take);
    source->position += take;
    return static_cast<int>(take);
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

// The state between frames: how the next frame finds the picture.
struct Canvas {
    QImage image;
    GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
};

// Draws one frame's indices onto the canvas.
bool drawFrame(GifFileType* gif, Canvas& canvas) {
    const GifImageDesc& desc = gif->Image;
    if (desc.Width <= 0 || desc.Height <= 0 || desc.Width > kLargestSide ||
        desc.Height > kLargestSide) {
        return false;
    }
    const ColorMapObject* map = desc.ColorMap != nullptr ? desc.ColorMap : gif->SColorMap;
    std::vector<GifPixelType> line(static_cast<std::size_t>(desc.Width));
    // Rows in the order they are stored: interlaced images in four passes.
    std::vector<int> order;
    order.reserve(static_cast<std::size_t>(desc.Height));
    if (desc.Interlace) {
        constexpr int starts[] = {0, 4, 2, 1};
        constexpr int steps[] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass) {
            for (int y = starts[pass]; y < desc.Height; y += steps[pass]) {
                order.push_back(y);
            }
        }
    } else {
        for (int y = 0; y < desc.Height; ++y) {
            order.push_back(y);
        }
    }
    const int transparent = canvas.control.TransparentColor;
    for (const int row : order) {
        if (DGifGetLine(gif, line.data(), desc.Width) != GIF_OK) {
            return false;
        }
        const int y = desc.Top + row;
        if (y < 0 || y >= canvas.image.height() || map == nullptr) {
            continue;
        }
        auto* out = reinterpret_cast<QRgb*>(canvas.image.scanLine(y));
        for (int x = 0; x < desc.Width; ++x) {
            const int index = line[static_cast<std::size_t>(x)];
            const int cx = desc.Left + x;
            if (index == transparent || index >= map->ColorCount || cx < 0 ||
                cx >= canvas.image.width()) {
                continue;
            }
            const GifColorType& c = map->Colors[index];
            out[cx] = qRgb(c.Red, c.Green, c.Blue);
        }
    }
    return true;
}

// Keeps the frames as 8-bit images with one shared colour table while they
// fit one, and as ARGB32 from the first colour that does not fit.
class FrameStore {
  public:
    void add(const QImage& canvas) {
        if (!wide_ && !addIndexed(canvas)) {
            widen();
        }
        if (wide_) {
            frames_.push_back(canvas.copy());
        }
    }
    std::vector<QImage> take() {
        if (!wide_) {
            for (QImage& frame : frames_) {
                frame.setColorTable(table_);
            }
        }
        return std::move(frames_);
    }

  private:
    static constexpr int kLargestTable = 256;

    bool addIndexed(const QImage& canvas) {
        QImage frame(canvas.size(), QImage::Format_Indexed8);
        for (int y = 0; y < canvas.height(); ++y) {
            const auto* from = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
            uchar* to = frame.scanLine(y);
            for (int x = 0; x < canvas.width(); ++x) {
                auto it = index_.constFind(from[x]);
                if (it == index_.cend()) {
                    if (table_.size() == kLargestTable) {
                        return false;
                    }
                    it = index_.insert(from[x], static_cast<uchar>(table_.size()));
                    table_.push_back(from[x]);
                }
                to[x] = *it;
            }
        }
        frames_.push_back(std::move(frame));
        return true;
    }

    void widen() {
        wide_ = true;
        for (QImage& frame : frames_) {
            frame.setColorTable(table_);
            frame.convertTo(QImage::Format_ARGB32);
        }
    }

    std::vector<QImage> frames_;
    QHash<QRgb, uchar> index_;
    QList<QRgb> table_;
    bool wide_ = false;
};

}  // namespace

std::optional<Animation> DecodeGif(std::span<const std::uint8_t> bytes) {
    Source source{bytes, 0};
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&source, readBytes, &error));
    if (!gif) {
        return std::nullopt;
    }
    int width = gif->SWidth;
    int height = gif->SHeight;
    if (width <= 0 || height <= 0 || width > kLargestSide || height > kLargestSide) {
        return std::nullopt;
    }
    Animation animation;
    FrameStore frames;
    Canvas canvas;
    canvas.image = QImage(width, height, QImage::Format_ARGB32);
    canvas.image.fill(0);
    GraphicsControlBlock next{DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif.get(), &type) != GIF_OK) {
            break;
        }
        if (type == TERMINATE_RECORD_TYPE) {
            break;
        }
        if (type == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* block = nullptr;
            if (DGifGetExtension(gif.get(), &code, &block) != GIF_OK) {
                break;
            }
            if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr) {
                GraphicsControlBlock control;
                if (DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK) {
                    next = control;
                }
            }
            bool broken = false;
            while (block != nullptr) {
                if (DGifGetExtensionNext(gif.get(), &block) != GIF_OK) {
                    broken = true;
                    break;
                }
            }
            if (broken) {
                break;
            }
            continue;
        }
        if (type != IMAGE_DESC_RECORD_TYPE) {
            continue;
        }
        if (DGifGetImageDesc(gif.get()) != GIF_OK) {
            break;
        }
        canvas.control = next;
        next = GraphicsControlBlock{DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
        const QImage before = canvas.image;
        if (!drawFrame(gif.get(), canvas)) {
            break;
        }
        frames.add(canvas.image);
        animation.delaysMs.push_back(canvas.control.DelayTime >= 2 ? canvas.control.DelayTime * 10
                                                                   : kDefaultDelayMs);
        // How the picture is left for the next frame.
        const GifImageDesc& desc = gif->Image;
        if (canvas.control.DisposalMode == DISPOSE_BACKGROUND) {
            const QRect area = QRect(desc.Left, desc.Top, desc.Width, desc.Height)
                                   .intersected(canvas.image.rect());
            for (int y = area.top(); y <= area.bottom(); ++y) {
                auto* out = reinterpret_cast<QRgb*>(canvas.image.scanLine(y));
                std::fill(out + area.left(), out + area.right() + 1, QRgb{0});
            }
        } else if (canvas.control.DisposalMode == DISPOSE_PREVIOUS) {
            canvas.image = before;
        }
    }
    animation.frames = frames.take();
    if (animation.frames.empty()) {
        return std::nullopt;
    }
    return animation;
}

}  // namespace vtr::shell

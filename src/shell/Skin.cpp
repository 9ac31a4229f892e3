#include "shell/Skin.h"

#include <png.h>

#include <QHash>
#include <QPainter>
#include <csetjmp>
#include <future>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#ifdef __linux__
#include <sys/resource.h>
#include <unistd.h>
#endif

#include "resources/Resources.h"
#include "shell/ReportOnce.h"
#include "shell/WindowShape.h"

namespace vtr::shell {

namespace {

constexpr png_uint_32 kLargestSide = 4096;
constexpr std::size_t kSignatureSize = 8;
constexpr std::size_t kHeaderEnd = 24;  // signature, IHDR length and type, width, height
[[maybe_unused]] constexpr int kPrefetchNiceness = 10;

struct PngJob {
    std::span<const std::uint8_t> bytes;
    std::size_t position = 0;
    QImage image;
};

void readBytes(png_structp png, png_bytep out, png_size_t length) {
    auto* job = static_cast<PngJob*>(png_get_io_ptr(png));
    if (length > job->bytes.size() - job->position) {
        png_error(png, "truncated");
    }
    std::copy_n(job->bytes.begin() + static_cast<std::ptrdiff_t>(job->position), length, out);
    job->position += length;
}

void quietWarning(png_structp, png_const_charp) {}

// The reading proper. libpng leaves it by longjmp on an error, so it keeps no
// object with a destructor of its own; everything it fills lives in `job`.
void readImage(png_structp png, png_infop info, PngJob& job) {
    png_set_read_fn(png, &job, readBytes);
    png_set_user_limits(png, kLargestSide, kLargestSide);
    png_read_info(png, info);
    const int colourType = png_get_color_type(png, info);
    const bool transparency = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    if (png_get_bit_depth(png, info) == 16) {
        png_set_strip_16(png);
    }
    if (colourType == PNG_COLOR_TYPE_PALETTE || colourType == PNG_COLOR_TYPE_GRAY || transparency) {
        png_set_expand(png);
    }
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) {
        png_set_gray_to_rgb(png);
    }
    // Straight into QImage's ARGB32 layout: one 32-bit word a pixel.
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    png_set_bgr(png);
    const int fillerPlace = PNG_FILLER_AFTER;
#else
    png_set_swap_alpha(png);
    const int fillerPlace = PNG_FILLER_BEFORE;
#endif
    if ((colourType & PNG_COLOR_MASK_ALPHA) == 0 && !transparency) {
        png_set_filler(png, 0xFF, fillerPlace);
    }
    // Interlaced images are read in several passes over every row.
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    if (width == 0 || height == 0 || png_get_rowbytes(png, info) != png_size_t{width} * 4) {
        png_error(png, "unexpected row layout");
    }
    job.image = QImage(static_cast<int>(width), static_cast<int>(height), QImage::Format_ARGB32);
    if (job.image.isNull()) {
        png_error(png, "out of memory");
    }
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < height; ++y) {
            png_read_row(png, job.image.scanLine(static_cast<int>(y)), nullptr);
        }
    }
    png_read_end(png, nullptr);
}

bool decodeInto(PngJob& job) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, quietWarning);
    if (png == nullptr) {
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    readImage(png, info, job);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

std::uint32_t bigEndian32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return std::uint32_t{bytes[at]} << 24 | std::uint32_t{bytes[at + 1]} << 16 |
           std::uint32_t{bytes[at + 2]} << 8 | std::uint32_t{bytes[at + 3]};
}

QImage placeholderImage(const QString& name, QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(64, 64, 64));
    QPainter painter(&image);
    const int cell = 6;
    for (int y = 0; y < size.height(); y += cell) {
        for (int x = (y / cell) % 2 * cell; x < size.width(); x += 2 * cell) {
            painter.fillRect(x, y, cell, cell, QColor(255, 0, 255));
        }
    }
    painter.setPen(QColor(255, 255, 0));
    painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
    if (size.width() >= 40 && size.height() >= 14) {
        painter.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter, name);
    }
    return image;
}

// A picture as the skin keeps it: the colour key see-through, premultiplied.
struct Decoded {
    QImage image;  // null when the bytes are not a PNG
    QRegion shape;
};

Decoded decodePicture(std::span<const std::uint8_t> bytes) {
    Decoded decoded;
    if (!bytes.empty()) {
        decoded.image = DecodePng(bytes);
    }
    if (!decoded.image.isNull()) {
        MakeColourTransparent(decoded.image, kMainColourKey);
        decoded.image.convertTo(QImage::Format_ARGB32_Premultiplied);
        decoded.shape = OpaqueRegion(decoded.image);
    }
    return decoded;
}

// Pictures being decoded ahead of their first use, by lower-case name.
struct Prefetched {
    std::mutex lock;
    std::map<QString, std::future<Decoded>> pending;
};

Prefetched& prefetched() {
    static Prefetched p;
    return p;
}

std::optional<Decoded> takePrefetched(const QString& key) {
    std::future<Decoded> future;
    {
        Prefetched& p = prefetched();
        std::lock_guard guard(p.lock);
        const auto it = p.pending.find(key);
        if (it == p.pending.end()) {
            return std::nullopt;
        }
        future = std::move(it->second);
        p.pending.erase(it);
    }
    // Moved out, not shared: the pixmap then takes the decoded pixels over
    // instead of copying them.
    return future.get();
}

// One picture: its size at once, its pixels when first drawn.
struct Entry {
    QString name;
    std::span<const std::uint8_t> bytes;
    QSize size;
    bool decoded = false;
    bool placeholder = false;
    QPixmap pixmap;
    std::optional<QRegion> shape;

    void decode() {
        if (decoded) {
            return;
        }
        decoded = true;
        std::optional<Decoded> ready = takePrefetched(name.toLower());
        if (!ready) {
            ready = decodePicture(bytes);
        }
        QImage image = std::move(ready->image);
        if (image.isNull()) {
            ReportOnce("picture:" + name.toLower().toStdString(),
                       "picture " + name.toStdString() +
                           (bytes.empty() ? " is missing" : " is not a readable PNG") +
                           "; a placeholder is shown");
            image = placeholderImage(name, size);
            placeholder = true;
            shape = OpaqueRegion(image);
        } else {
            shape = std::move(ready->shape);
        }
        size = image.size();
        pixmap = QPixmap::fromImage(std::move(image));
    }
};

Entry& entry(const QString& name) {
    static QHash<QString, Entry> cache;
    const QString key = name.toLower();
    auto it = cache.find(key);
    if (it == cache.end()) {
        Entry e;
        e.name = name;
        e.bytes = resources::find(name.toStdString());
        e.size = PngHeaderSize(e.bytes);
        if (!e.size.isValid()) {
            e.size = StatedPictureSize(name);
        }
        if (!e.size.isValid()) {
            e.size = QSize(32, 32);
        }
        it = cache.insert(key, e);
    }
    return *it;
}

}  // namespace

QImage DecodePng(std::span<const std::uint8_t> bytes) {
    PngJob job;
    job.bytes = bytes;
    if (!decodeInto(job)) {
        return {};
    }
    return std::move(job.image);
}

QSize PngHeaderSize(std::span<const std::uint8_t> bytes) {
    static constexpr std::uint8_t kIhdr[] = {'I', 'H', 'D', 'R'};
    if (bytes.size() < kHeaderEnd || png_sig_cmp(bytes.data(), 0, kSignatureSize) != 0 ||
        !std::equal(std::begin(kIhdr), std::end(kIhdr), bytes.begin() + 12)) {
        return {};
    }
    const std::uint32_t width = bigEndian32(bytes, 16);
    const std::uint32_t height = bigEndian32(bytes, 20);
    if (width == 0 || height == 0 || width > kLargestSide || height > kLargestSide) {
        return {};
    }
    return {static_cast<int>(width), static_cast<int>(height)};
}

void MakeColourTransparent(QImage& image, QRgb key) {
    if (image.format() == QImage::Format_Indexed8) {
        QList<QRgb> table = image.colorTable();
        std::replace(table.begin(), table.end(), key, QRgb{0});
        image.setColorTable(table);
        return;
    }
    if (image.format() != QImage::Format_ARGB32) {
        image.convertTo(QImage::Format_ARGB32);
    }
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] == key) {
                line[x] = 0;
            }
        }
    }
}

QSize StatedPictureSize(const QString& name) {
    static const QHash<QString, QSize> sizes = [] {
        QHash<QString, QSize> s;
        s["btns_01"] = {48, 43};
        s["btns_02"] = {46, 43};
        s["btns_03"] = {49, 43};
        s["sets_01"] = {90, 30};
        s["sets_02"] = {90, 30};
        s["sets_03"] = {89, 30};
        s["keys_01"] = {135, 27};
        s["keys_02"] = {134, 27};
        for (const char* n : {"macros_01", "macros_02", "macros_03"}) {
            s[n] = {80, 25};
        }
        for (const char* n : {"macrobtns_01", "macrobtns_02", "macrobtns_03"}) {
            s[n] = {40, 25};
        }
        for (const char* n : {"webs_01", "webs_02", "webs_03"}) {
            s[n] = {177, 88};
        }
        s["bar1_e"] = s["bar1_d"] = {24, 7};
        s["bar2_e"] = s["bar2_d"] = {19, 7};
        s["cbs_e"] = s["cbs_d"] = {18, 19};
        s["rds_e"] = s["rds_d"] = {16, 16};
        for (int n = 1; n <= 3; ++n) {
            const QString l = QStringLiteral("l%1_").arg(n);
            s[l + "background"] = {800, 568};
            s[l + "back1"] = {460, 364};
            s[l + "back2"] = {705, 340};
            s[l + "back3"] = {521, 236};
            s[l + "back4"] = {600, 346};
        }
        s["insertdelaybase"] = s["insertkeybase"] = {207, 162};
        s["waitgif"] = {200, 192};
        s["dialogback"] = {354, 179};
        s["dialogbtnhover"] = {97, 30};
        s["stepdelay"] = s["steppress"] = s["steprelease"] = {24, 24};
        return s;
    }();
    return sizes.value(name.toLower(), QSize());
}

void Skin::prefetch(const std::vector<QString>& names) {
    std::vector<std::pair<QString, std::span<const std::uint8_t>>> work;
    for (const QString& name : names) {
        work.emplace_back(name.toLower(), resources::find(name.toStdString()));
    }
    // One thread for all: they are decoded in the order given, the first
    // needed first.
    auto done = std::make_shared<std::vector<std::promise<Decoded>>>(work.size());
    {
        Prefetched& p = prefetched();
        std::lock_guard guard(p.lock);
        for (std::size_t i = 0; i < work.size(); ++i) {
            p.pending.emplace(work[i].first, (*done)[i].get_future());
        }
    }
    // Joined when the program ends, so that no decoding outlives it.
    static struct Workers {
        std::mutex lock;
        std::vector<std::thread> threads;
        ~Workers() {
            for (std::thread& t : threads) {
                t.join();
            }
        }
    } workers;
    std::lock_guard guard(workers.lock);
    workers.threads.emplace_back([work = std::move(work), done] {
#ifdef __linux__
        // Behind the start of the program itself; it waits for these
        // pictures only once it draws them.
        setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), kPrefetchNiceness);
#endif
        for (std::size_t i = 0; i < work.size(); ++i) {
            (*done)[i].set_value(decodePicture(work[i].second));
        }
    });
}

QSize Skin::size(const QString& name) {
    return entry(name).size;
}

const QPixmap& Skin::picture(const QString& name) {
    Entry& e = entry(name);
    e.decode();
    return e.pixmap;
}

QImage Skin::image(const QString& name) {
    return picture(name).toImage();
}

const QRegion& Skin::shape(const QString& name) {
    Entry& e = entry(name);
    e.decode();
    return *e.shape;
}

bool Skin::isPlaceholder(const QString& name) {
    Entry& e = entry(name);
    e.decode();
    return e.placeholder;
}

}  // namespace vtr::shell

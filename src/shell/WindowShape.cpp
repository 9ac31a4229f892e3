#include "shell/WindowShape.h"

#include <vector>

namespace vtr::shell {

QRegion OpaqueRegion(const QImage& source) {
    const QImage image = source.format() == QImage::Format_ARGB32_Premultiplied ||
                                 source.format() == QImage::Format_ARGB32
                             ? source
                             : source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    // Rows with the same runs are merged into one band.
    std::vector<QRect> rects;
    std::vector<std::pair<int, int>> previous;
    std::vector<std::pair<int, int>> runs;
    int bandTop = 0;
    auto flush = [&](int bandBottom) {
        for (const auto& [from, to] : previous) {
            rects.emplace_back(QPoint(from, bandTop), QPoint(to, bandBottom));
        }
    };
    const int width = image.width();
    const int height = image.height();
    for (int y = 0; y < height; ++y) {
        runs.clear();
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int x = 0;
        while (x < width) {
            while (x < width && qAlpha(line[x]) == 0) {
                ++x;
            }
            if (x == width) {
                break;
            }
            const int from = x;
            while (x < width && qAlpha(line[x]) != 0) {
                ++x;
            }
            runs.emplace_back(from, x - 1);
        }
        if (runs != previous) {
            flush(y - 1);
            previous = runs;
            bandTop = y;
        }
    }
    flush(height - 1);
    QRegion region;
    region.setRects(rects.data(), static_cast<int>(rects.size()));
    return region;
}

}  // namespace vtr::shell

#include "Art.h"

#include <QFile>
#include <QFontDatabase>
#include <QLinearGradient>
#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace skin {

namespace {

const char* const kFontFiles[] = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
    "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc",
};

// One horizontal box-blur pass over rows of four channels.
void boxPass(std::vector<std::uint32_t>& pixels, int w, int h, int radius, bool vertical) {
    const int length = vertical ? h : w;
    const int lines = vertical ? w : h;
    std::vector<std::uint32_t> line(static_cast<std::size_t>(length));
    const int window = 2 * radius + 1;
    for (int l = 0; l < lines; ++l) {
        auto at = [&](int i) -> std::uint32_t& {
            const int x = vertical ? l : i;
            const int y = vertical ? i : l;
            return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) +
                          static_cast<std::size_t>(x)];
        };
        for (int i = 0; i < length; ++i) {
            line[static_cast<std::size_t>(i)] = at(i);
        }
        auto sample = [&](int i) {
            return line[static_cast<std::size_t>(std::clamp(i, 0, length - 1))];
        };
        std::uint32_t sum[4] = {0, 0, 0, 0};
        for (int i = -radius; i <= radius; ++i) {
            const std::uint32_t px = sample(i);
            for (int c = 0; c < 4; ++c) {
                sum[c] += (px >> (8 * c)) & 0xFF;
            }
        }
        for (int i = 0; i < length; ++i) {
            std::uint32_t out = 0;
            for (int c = 0; c < 4; ++c) {
                out |= ((sum[c] + static_cast<std::uint32_t>(window) / 2) /
                        static_cast<std::uint32_t>(window))
                       << (8 * c);
            }
            at(i) = out;
            const std::uint32_t leaving = sample(i - radius);
            const std::uint32_t entering = sample(i + radius + 1);
            for (int c = 0; c < 4; ++c) {
                sum[c] += (entering >> (8 * c)) & 0xFF;
                sum[c] -= (leaving >> (8 * c)) & 0xFF;
            }
        }
    }
}

}  // namespace

QImage newImage(Size size, QColor fill) {
    return newImage(size.w, size.h, fill);
}

QImage newImage(int w, int h, QColor fill) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

void prepare(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

void LoadFonts() {
    for (const char* file : kFontFiles) {
        if (QFontDatabase::addApplicationFont(QString::fromUtf8(file)) < 0) {
            throw std::runtime_error(std::string("cannot load the font ") + file);
        }
    }
}

QStringList FontFiles() {
    QStringList files;
    for (const char* file : kFontFiles) {
        files << QString::fromUtf8(file);
    }
    return files;
}

namespace {

QFont makeFont(const QString& family, int pixelSize, Weight weight, qreal letterSpacing) {
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setWeight(weight == Weight::Bold ? QFont::Bold : QFont::Normal);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias |
                                               QFont::NoFontMerging));
    font.setKerning(true);
    if (letterSpacing != 0) {
        font.setLetterSpacing(QFont::AbsoluteSpacing, letterSpacing);
    }
    return font;
}

}  // namespace

QFont captionFont(int language, int pixelSize, Weight weight, qreal letterSpacing) {
    if (language == 1) {
        return makeFont(QStringLiteral("DejaVu Sans"), pixelSize, weight, letterSpacing);
    }
    return makeFont(QStringLiteral("WenQuanYi Micro Hei"), pixelSize, weight, letterSpacing);
}

QFont latinFont(int pixelSize, Weight weight, qreal letterSpacing) {
    return makeFont(QStringLiteral("DejaVu Sans"), pixelSize, weight, letterSpacing);
}

QImage blurred(const QImage& image, int radius) {
    QImage source = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (radius <= 0) {
        return source;
    }
    const int w = source.width();
    const int h = source.height();
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(source.constScanLine(y));
        std::copy(row, row + w, pixels.begin() + static_cast<std::ptrdiff_t>(y) * w);
    }
    for (int pass = 0; pass < 3; ++pass) {
        boxPass(pixels, w, h, radius, false);
        boxPass(pixels, w, h, radius, true);
    }
    QImage out(w, h, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(out.scanLine(y));
        std::copy(pixels.begin() + static_cast<std::ptrdiff_t>(y) * w,
                  pixels.begin() + static_cast<std::ptrdiff_t>(y + 1) * w, row);
    }
    return out;
}

void addGlow(QImage& target, const QImage& layer, int radius, qreal strength, QPoint offset) {
    const QImage glow = blurred(layer, radius);
    QPainter p(&target);
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    p.setOpacity(std::min<qreal>(strength, 1.0));
    p.drawImage(offset, glow);
    // Strength above 1 adds the glow again.
    for (qreal left = strength - 1.0; left > 0; left -= 1.0) {
        p.setOpacity(std::min<qreal>(left, 1.0));
        p.drawImage(offset, glow);
    }
}

QPainterPath roundedRect(const QRectF& rect, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

QPainterPath chamferedRect(const QRectF& r, qreal cut) {
    QPainterPath path;
    path.moveTo(r.left() + cut, r.top());
    path.lineTo(r.right() - cut, r.top());
    path.lineTo(r.right(), r.top() + cut);
    path.lineTo(r.right(), r.bottom() - cut);
    path.lineTo(r.right() - cut, r.bottom());
    path.lineTo(r.left() + cut, r.bottom());
    path.lineTo(r.left(), r.bottom() - cut);
    path.lineTo(r.left(), r.top() + cut);
    path.closeSubpath();
    return path;
}

void drawCard(QPainter& p, const QRectF& rect, qreal radius) {
    p.save();
    const QPainterPath body = roundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), radius);
    QLinearGradient fill(rect.topLeft(), rect.bottomLeft());
    fill.setColorAt(0, QColor(24, 32, 42));
    fill.setColorAt(0.45, QColor(18, 24, 32));
    fill.setColorAt(1, QColor(13, 18, 24));
    p.setPen(Qt::NoPen);
    p.fillPath(body, fill);
    // Hairline border, a little brighter at the top.
    QLinearGradient border(rect.topLeft(), rect.bottomLeft());
    border.setColorAt(0, QColor(110, 150, 180, 110));
    border.setColorAt(1, QColor(60, 80, 100, 90));
    p.setPen(QPen(QBrush(border), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(body);
    // Top highlight just inside the border.
    p.setPen(QPen(QColor(255, 255, 255, 18), 1));
    p.drawLine(QPointF(rect.left() + radius, rect.top() + 1.5),
               QPointF(rect.right() - radius, rect.top() + 1.5));
    p.restore();
}

void drawWell(QPainter& p, const QRectF& rect, qreal radius) {
    p.save();
    const QRectF r = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(palette::kWell);
    p.drawRoundedRect(r, radius, radius);
    // Inner shadow at the top, light edge at the bottom: a recess.
    QLinearGradient shade(r.topLeft(), r.topLeft() + QPointF(0, 6));
    shade.setColorAt(0, QColor(0, 0, 0, 120));
    shade.setColorAt(1, QColor(0, 0, 0, 0));
    p.setBrush(shade);
    p.drawRoundedRect(r, radius, radius);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0, 150), 1));
    p.drawRoundedRect(r, radius, radius);
    p.setPen(QPen(QColor(120, 170, 200, 45), 1));
    p.drawLine(QPointF(r.left() + radius, r.bottom() + 1),
               QPointF(r.right() - radius, r.bottom() + 1));
    p.restore();
}

void drawHeading(QPainter& p, int language, QPointF topLeft, const QString& text, qreal ruleEnd) {
    p.save();
    const bool latin = language == 1;
    const QFont font = captionFont(language, latin ? 11 : 13, Weight::Bold, latin ? 1.2 : 1.0);
    const QFontMetricsF metrics(font);
    const qreal height = 16;
    // Bullet: a small slanted bar in the accent colour.
    QPainterPath bullet;
    const qreal bx = topLeft.x();
    const qreal by = topLeft.y() + 3;
    bullet.moveTo(bx + 3, by);
    bullet.lineTo(bx + 7, by);
    bullet.lineTo(bx + 4, by + height - 6);
    bullet.lineTo(bx, by + height - 6);
    bullet.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(palette::kAccent);
    p.drawPath(bullet);
    const QRectF textRect(bx + 12, topLeft.y(), metrics.horizontalAdvance(text) + 4, height);
    drawCaption(p, textRect, text, font, palette::kTitle);
    const qreal ruleStart = textRect.right() + 8;
    if (ruleEnd > ruleStart + 10) {
        QLinearGradient rule(QPointF(ruleStart, 0), QPointF(ruleEnd, 0));
        rule.setColorAt(0, QColor(0, 229, 255, 90));
        rule.setColorAt(1, QColor(0, 229, 255, 0));
        p.setPen(QPen(QBrush(rule), 1));
        const qreal y = topLeft.y() + height / 2 + 0.5;
        p.drawLine(QPointF(ruleStart, y), QPointF(ruleEnd, y));
    }
    p.restore();
}

void drawCaption(QPainter& p, const QRectF& rect, const QString& text, const QFont& font,
                 QColor colour, int align) {
    p.save();
    p.setFont(font);
    p.setPen(colour);
    p.drawText(rect, align, text);
    p.restore();
}

void drawBrackets(QPainter& p, const QRectF& r, qreal arm, QColor colour) {
    p.save();
    p.setPen(QPen(colour, 1.2, Qt::SolidLine, Qt::SquareCap));
    p.setBrush(Qt::NoBrush);
    const QPointF corners[4] = {r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()};
    const QPointF dirs[4][2] = {
        {{1, 0}, {0, 1}}, {{-1, 0}, {0, 1}}, {{-1, 0}, {0, -1}}, {{1, 0}, {0, -1}}};
    for (int i = 0; i < 4; ++i) {
        p.drawLine(corners[i], corners[i] + dirs[i][0] * arm);
        p.drawLine(corners[i], corners[i] + dirs[i][1] * arm);
    }
    p.restore();
}

void drawRail(QPainter& p, qreal x1, qreal x2, qreal y, QColor colour, qreal width) {
    p.save();
    QLinearGradient g(QPointF(x1, 0), QPointF(x2, 0));
    QColor clear = colour;
    clear.setAlpha(0);
    g.setColorAt(0, clear);
    g.setColorAt(0.15, colour);
    g.setColorAt(0.85, colour);
    g.setColorAt(1, clear);
    p.setPen(QPen(QBrush(g), width, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(x1, y), QPointF(x2, y));
    p.restore();
}

QImage keyedOutside(const QImage& content, const QImage& inside) {
    QImage out = content.convertToFormat(QImage::Format_ARGB32);
    const QImage mask = inside.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = qRgba(palette::kKey.red(), palette::kKey.green(), palette::kKey.blue(), 255);
    for (int y = 0; y < out.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        const auto* m = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if (qAlpha(m[x]) < 128) {
                row[x] = key;
            } else {
                QRgb c = row[x] | 0xFF000000u;
                // Never let a drawn pixel be taken for the key colour.
                if (c == key) {
                    c = qRgba(129, 0, 0, 255);
                }
                row[x] = c;
            }
        }
    }
    return out;
}

}  // namespace skin

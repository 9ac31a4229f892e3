// The window's background (800 x 568): the outline that gives the window its
// shape, the header and footer bands with their trays, and the name plate.
#include <QLinearGradient>
#include <QRadialGradient>
#include <QTransform>
#include <cmath>

#include "Art.h"
#include "Pictures.h"
#include "Texts.h"

namespace skin {

namespace {

constexpr qreal kCut = 18;  // chamfer of the outline's corners

QRectF trayAround(Point first, Point last, Size button, int pad) {
    return QRectF(first.x - pad, first.y - pad, last.x + button.w - first.x + 2 * pad,
                  button.h + 2 * pad);
}

// A darker tray the buttons of a group sit in.
void drawTray(QPainter& p, const QRectF& r) {
    p.save();
    const QPainterPath path = chamferedRect(r, 6);
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, QColor(6, 9, 13, 235));
    fill.setColorAt(1, QColor(10, 14, 19, 235));
    p.fillPath(path, fill);
    p.setPen(QPen(QColor(0, 0, 0, 160), 1));
    p.drawPath(path);
    p.setPen(QPen(QColor(0, 229, 255, 40), 1));
    p.drawLine(QPointF(r.left() + 6, r.bottom() + 1), QPointF(r.right() - 6, r.bottom() + 1));
    p.restore();
}

// A band across the window (header or footer) between y1 and y2.
void drawBand(QPainter& p, qreal y1, qreal y2, bool header) {
    QLinearGradient g(QPointF(0, y1), QPointF(0, y2));
    if (header) {
        g.setColorAt(0, QColor(27, 36, 47));
        g.setColorAt(1, QColor(17, 23, 31));
    } else {
        g.setColorAt(0, QColor(15, 20, 27));
        g.setColorAt(1, QColor(22, 29, 38));
    }
    p.fillRect(QRectF(0, y1, kBackground.w, y2 - y1), g);
}

// A glowing line across the window at y.
void drawGlowRail(QImage& image, qreal y, qreal x1, qreal x2) {
    QImage layer = newImage(kBackground);
    {
        QPainter l(&layer);
        prepare(l);
        drawRail(l, x1, x2, y, QColor(0, 229, 255, 255), 2);
    }
    addGlow(image, layer, 4, 0.9);
    QPainter p(&image);
    prepare(p);
    drawRail(p, x1, x2, y, QColor(0, 229, 255, 210), 1);
    drawRail(p, x1 + 60, x2 - 60, y + 1.5, QColor(255, 255, 255, 30), 1);
}

void drawNamePlate(QImage& image, int language, Point at, bool taglineBelow) {
    const QFont logoFont = latinFont(26, Weight::Bold, 1.5);
    const QString logo = QStringLiteral("VTR6420KD");
    const QFontMetricsF metrics(logoFont);
    const qreal width = metrics.horizontalAdvance(logo);
    const QRectF box(at.x, at.y, width + 12, 28);

    // Slanted text with a light-to-accent fill, and its glow.
    QImage layer = newImage(kBackground);
    auto drawLogo = [&](QPainter& q, const QBrush& brush) {
        q.save();
        q.translate(box.left(), box.bottom());
        q.setTransform(QTransform().shear(-0.2, 0), true);
        QPainterPath path;
        path.addText(QPointF(6, -6), logoFont, logo);
        q.fillPath(path, brush);
        q.restore();
    };
    {
        QPainter l(&layer);
        prepare(l);
        drawLogo(l, QBrush(QColor(0, 229, 255)));
    }
    addGlow(image, layer, 6, 0.8);
    QPainter p(&image);
    prepare(p);
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setColorAt(0, QColor(255, 255, 255));
    fill.setColorAt(0.55, QColor(170, 245, 255));
    fill.setColorAt(1, QColor(0, 200, 240));
    drawLogo(p, QBrush(fill));

    // Tagline beside the name.
    const bool latin = language == 1;
    const QFont tagFont = captionFont(language, latin ? 9 : 12, Weight::Bold, latin ? 2.2 : 2.0);
    QRectF tag(box.right() + 12, box.top() + (latin ? 12 : 9), 300, 14);
    if (taglineBelow) {
        // Under the name, after a short accent rule.
        tag = QRectF(box.left() + 34, box.bottom() + 6, 300, 16);
        p.setPen(QPen(QColor(0, 229, 255, 140), 1));
        p.drawLine(QPointF(box.left() + 4, tag.center().y()),
                   QPointF(box.left() + 26, tag.center().y()));
    } else {
        // A thin divider between name and tagline.
        p.setPen(QPen(QColor(0, 229, 255, 120), 1));
        p.drawLine(QPointF(box.right() + 4, box.top() + 6),
                   QPointF(box.right() + 4, box.bottom() - 4));
    }
    drawCaption(p, tag, text::kTagline.in(language), tagFont, palette::kTextDim,
                Qt::AlignLeft | Qt::AlignVCenter);
}

// Short slanted stripes, a small flourish at a band's end.
void drawStripes(QPainter& p, qreal x, qreal y, int count, QColor colour) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    for (int i = 0; i < count; ++i) {
        QPainterPath s;
        const qreal sx = x + i * 9;
        s.moveTo(sx + 4, y);
        s.lineTo(sx + 9, y);
        s.lineTo(sx + 5, y + 8);
        s.lineTo(sx, y + 8);
        s.closeSubpath();
        QColor c = colour;
        c.setAlphaF(colour.alphaF() * (1.0 - 0.22 * i));
        p.setBrush(c);
        p.drawPath(s);
    }
    p.restore();
}

// A faint honeycomb over the content band, brightest near its top centre.
void drawHexMesh(QImage& image, const QRectF& band) {
    QImage layer = newImage(kBackground);
    {
        QPainter l(&layer);
        prepare(l);
        l.setPen(QPen(QColor(0, 229, 255, 255), 1));
        const qreal r = 11;  // cell radius
        const qreal w = r * std::sqrt(3.0);
        int row = 0;
        for (qreal y = band.top(); y < band.bottom() + r; y += r * 1.5, ++row) {
            const qreal shift = (row % 2) * w / 2;
            for (qreal x = -w + shift; x < kBackground.w + w; x += w) {
                QPolygonF hex;
                for (int k = 0; k < 6; ++k) {
                    const qreal angle = (60.0 * k + 30.0) * 3.14159265358979 / 180.0;
                    hex << QPointF(x + r * std::cos(angle), y + r * std::sin(angle));
                }
                l.drawPolygon(hex);
            }
        }
        // Fade: strongest near the top centre of the band, gone at its edges.
        l.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        QRadialGradient fade(QPointF(band.center().x(), band.top() + 40), band.width() * 0.55);
        fade.setColorAt(0, QColor(0, 0, 0, 22));
        fade.setColorAt(0.6, QColor(0, 0, 0, 8));
        fade.setColorAt(1, QColor(0, 0, 0, 0));
        l.fillRect(QRectF(0, 0, kBackground.w, kBackground.h), fade);
        l.setCompositionMode(QPainter::CompositionMode_Clear);
        l.fillRect(QRectF(0, 0, kBackground.w, band.top()), Qt::transparent);
        l.fillRect(QRectF(0, band.bottom(), kBackground.w, kBackground.h - band.bottom()),
                   Qt::transparent);
    }
    QPainter p(&image);
    p.drawImage(0, 0, layer);
}

}  // namespace

QImage Background(int language) {
    const Arrangement a = arrangement(language);
    const QRectF whole(0, 0, kBackground.w, kBackground.h);
    const QPainterPath outline = chamferedRect(whole, kCut);

    QImage image = newImage(kBackground, palette::kBase);
    {
        QPainter p(&image);
        prepare(p);
        // Base: a deep vertical gradient.
        QLinearGradient base(whole.topLeft(), whole.bottomLeft());
        base.setColorAt(0, QColor(18, 24, 32));
        base.setColorAt(0.5, QColor(12, 16, 22));
        base.setColorAt(1, QColor(9, 12, 16));
        p.fillRect(whole, base);
        // A cool light from above the content, a warm one low on the right.
        QRadialGradient cool(QPointF(400, a.contentTop + 40), 520);
        cool.setColorAt(0, QColor(0, 140, 170, 46));
        cool.setColorAt(1, QColor(0, 140, 170, 0));
        p.fillRect(whole, cool);

        p.end();
        drawHexMesh(image, QRectF(0, a.headerRail, kBackground.w, a.footerRail - a.headerRail));
        p.begin(&image);
        prepare(p);

        // Header and footer bands.
        drawBand(p, 0, a.headerRail, true);
        drawBand(p, a.footerRail, kBackground.h, false);

        // Vignette.
        QRadialGradient vignette(QPointF(400, 284), 560);
        vignette.setColorAt(0.55, QColor(0, 0, 0, 0));
        vignette.setColorAt(1, QColor(0, 0, 0, 120));
        p.fillRect(whole, vignette);

        // Faint frame of the content area.
        const QRectF content(16, a.contentTop + 6, kBackground.w - 32,
                             a.contentBottom - a.contentTop - 12);
        drawBrackets(p, content, 14, QColor(0, 229, 255, 70));

        // Trays under the button groups.
        const int pad = 4;
        drawTray(p, trayAround(a.save, a.load, kSetS, pad));
        drawTray(p, trayAround(a.bottomButtons[0], a.bottomButtons[3], kBtnS, pad));
        if (a.buttonsOnTop) {
            drawTray(p, trayAround(a.lang1, a.lang3, kSetS, pad));
            drawTray(p, trayAround(a.main, a.macro, kSetS, pad));
        } else {
            drawTray(p, trayAround(a.main, a.macro, kSetS, pad));
            drawTray(p, trayAround(a.lang1, a.lang3, kSetS, pad));
        }
        p.end();
    }
    drawGlowRail(image, a.headerRail, 0, kBackground.w);
    drawGlowRail(image, a.footerRail, 0, kBackground.w);
    drawNamePlate(image, language, a.logo, a.taglineBelow);
    {
        QPainter p(&image);
        prepare(p);
        // Flourishes at the header's right end and at the top edge.
        drawStripes(p, 736, a.buttonsOnTop ? 18 : 14, 4, QColor(0, 229, 255, 150));
        // The outline: an accent hairline and a faint inner line.
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0, 229, 255, 150), 1.5));
        p.drawPath(chamferedRect(whole.adjusted(0.75, 0.75, -0.75, -0.75), kCut));
        p.setPen(QPen(QColor(255, 255, 255, 14), 1));
        p.drawPath(chamferedRect(whole.adjusted(4.5, 4.5, -4.5, -4.5), kCut - 2));
    }

    // Everything outside the outline is the window's see-through colour.
    QImage inside = newImage(kBackground);
    {
        QPainter m(&inside);
        m.setRenderHint(QPainter::Antialiasing, false);
        m.fillPath(outline, Qt::white);
    }
    return keyedOutside(image, inside);
}

}  // namespace skin

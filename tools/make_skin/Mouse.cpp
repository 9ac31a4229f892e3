// The mouse seen from above, for the Main Control panel: body, the two main
// buttons, the wheel, the CPI button behind it, the top button (layout 2) and
// the two side buttons, with light strips and leader lines to the key labels.
#include "Mouse.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <QTransform>
#include <algorithm>
#include <cmath>

#include "Art.h"

namespace skin {

namespace {

// The right half of the outline as offsets from the centre line; the left half
// mirrors it.
QPainterPath bodyPath(qreal cx) {
    struct Curve {
        QPointF c1, c2, end;
    };
    const QPointF start(0, 36);
    const Curve right[] = {
        {{12, 31}, {26, 28}, {36, 30}},    {{50, 33}, {58, 48}, {60, 72}},
        {{62, 108}, {56, 140}, {57, 170}}, {{58, 200}, {70, 228}, {70, 262}},
        {{70, 306}, {40, 332}, {0, 333}},
    };
    QPainterPath path;
    path.moveTo(cx + start.x(), start.y());
    for (const Curve& c : right) {
        path.cubicTo(QPointF(cx + c.c1.x(), c.c1.y()), QPointF(cx + c.c2.x(), c.c2.y()),
                     QPointF(cx + c.end.x(), c.end.y()));
    }
    // Back up the left side: the same curves mirrored and reversed.
    const QPointF points[] = {start,        right[0].end, right[1].end,
                              right[2].end, right[3].end, right[4].end};
    for (int i = 4; i >= 0; --i) {
        const Curve& c = right[i];
        const QPointF to = points[i];
        path.cubicTo(QPointF(cx - c.c2.x(), c.c2.y()), QPointF(cx - c.c1.x(), c.c1.y()),
                     QPointF(cx - to.x(), to.y()));
    }
    path.closeSubpath();
    return path;
}

// The curve where the main buttons end, as a band over the body's width.
QPainterPath buttonsRegion(qreal cx) {
    QPainterPath region;
    region.moveTo(cx - 100, 0);
    region.lineTo(cx + 100, 0);
    region.lineTo(cx + 100, 150);
    region.quadTo(cx, 176, cx - 100, 150);
    region.closeSubpath();
    return region;
}

// The x of the body's left edge at height y: where the flattened outline
// crosses that height left of the centre line.
qreal leftEdge(const QPainterPath& body, qreal cx, qreal y) {
    const QPolygonF outline = body.toFillPolygon();
    qreal best = cx;
    for (int i = 0; i + 1 < outline.size(); ++i) {
        const QPointF a = outline[i];
        const QPointF b = outline[i + 1];
        if ((a.y() - y) * (b.y() - y) > 0 || a.y() == b.y()) {
            continue;
        }
        const qreal x = a.x() + (b.x() - a.x()) * (y - a.y()) / (b.y() - a.y());
        best = std::min(best, x);
    }
    return best;
}

// A side button: a slim key set into the left flank between `top` and `bottom`.
QPainterPath sideButton(const QPainterPath& body, qreal cx, qreal top, qreal bottom) {
    const int steps = 12;
    QPainterPath path;
    for (int i = 0; i <= steps; ++i) {
        const qreal y = top + (bottom - top) * i / steps;
        const QPointF point(leftEdge(body, cx, y) + 2.5, y);
        if (i == 0) {
            path.moveTo(point);
        } else {
            path.lineTo(point);
        }
    }
    for (int i = steps; i >= 0; --i) {
        const qreal y = top + (bottom - top) * i / steps;
        // The inner edge bows inwards in the middle.
        const qreal t = static_cast<qreal>(i) / steps;
        const qreal depth = 4 + 6 * std::sin(t * 3.14159265358979);
        path.lineTo(leftEdge(body, cx, y) + 2.5 + depth, y);
    }
    path.closeSubpath();
    return path;
}

void strokeGlow(QImage& image, const QPainterPath& path, QColor colour, qreal width, int radius,
                qreal strength) {
    QImage layer = newImage(image.width(), image.height());
    {
        QPainter l(&layer);
        prepare(l);
        l.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        l.setBrush(Qt::NoBrush);
        l.drawPath(path);
    }
    addGlow(image, layer, radius, strength);
}

void fillGlow(QImage& image, const QPainterPath& path, QColor colour, int radius, qreal strength) {
    QImage layer = newImage(image.width(), image.height());
    {
        QPainter l(&layer);
        prepare(l);
        l.fillPath(path, colour);
    }
    addGlow(image, layer, radius, strength);
}

}  // namespace

MouseAnchors DrawMouse(QImage& image, qreal cx, bool topButton) {
    const QPainterPath body = bodyPath(cx);
    const QPainterPath buttons = body.intersected(buttonsRegion(cx));
    const QPainterPath upper = sideButton(body, cx, 178, 206);
    const QPainterPath lower = sideButton(body, cx, 212, 240);
    const qreal grooveBottom = topButton ? 156 : 134;
    const QRectF groove(cx - 10, 48, 20, grooveBottom - 48);
    const QRectF wheel(cx - 7, 56, 14, 46);
    const QRectF cpi(cx - 6, 110, 12, 18);
    const QRectF top(cx - 5, 136, 10, 13);

    // Soft shadow and accent halo under the body.
    {
        QImage layer = newImage(image.width(), image.height());
        {
            QPainter l(&layer);
            prepare(l);
            l.fillPath(body.translated(0, 8), QColor(0, 0, 0, 255));
        }
        const QImage shadow = blurred(layer, 8);
        QPainter p(&image);
        p.setOpacity(0.8);
        p.drawImage(0, 0, shadow);
    }
    strokeGlow(image, body, palette::kAccent, 3, 7, 0.55);

    QPainter p(&image);
    prepare(p);
    // Body: graphite with a light from the upper left.
    QRadialGradient shell(QPointF(cx - 20, 200), 190);
    shell.setColorAt(0, QColor(52, 62, 74));
    shell.setColorAt(0.6, QColor(32, 39, 48));
    shell.setColorAt(1, QColor(18, 22, 28));
    p.fillPath(body, shell);

    // Main buttons: a slightly lighter skin with a glossy front.
    QLinearGradient keys(QPointF(0, 30), QPointF(0, 170));
    keys.setColorAt(0, QColor(58, 70, 84));
    keys.setColorAt(1, QColor(34, 41, 50));
    p.fillPath(buttons, keys);
    p.save();
    p.setClipPath(buttons);
    QRadialGradient gloss(QPointF(cx - 28, 62), 46);
    gloss.setColorAt(0, QColor(255, 255, 255, 40));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(QRectF(cx - 80, 20, 160, 120), gloss);
    QRadialGradient gloss2(QPointF(cx + 30, 62), 40);
    gloss2.setColorAt(0, QColor(255, 255, 255, 22));
    gloss2.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(QRectF(cx - 80, 20, 160, 120), gloss2);
    p.restore();

    // Seams: between the buttons and where they meet the shell.
    p.setPen(QPen(QColor(6, 8, 11), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(cx, 34), QPointF(cx, 50));
    QPainterPath seam;
    seam.moveTo(cx - 62, 150);
    seam.quadTo(cx, 176, cx + 62, 150);
    p.save();
    p.setClipPath(body);
    p.drawPath(seam);
    p.setPen(QPen(QColor(255, 255, 255, 28), 1));
    p.drawPath(seam.translated(0, 2));
    p.restore();

    // Groove with the wheel, the CPI button and the top button.
    p.setPen(QPen(QColor(0, 0, 0, 200), 1));
    p.setBrush(QColor(8, 10, 13));
    p.drawRoundedRect(groove, 9, 9);
    p.end();
    fillGlow(image, roundedRect(wheel, 6), palette::kAccent, 4, 0.9);
    p.begin(&image);
    prepare(p);
    QLinearGradient tyre(wheel.topLeft(), wheel.topRight());
    tyre.setColorAt(0, QColor(20, 24, 30));
    tyre.setColorAt(0.5, QColor(62, 74, 88));
    tyre.setColorAt(1, QColor(20, 24, 30));
    p.setPen(QPen(QColor(0, 229, 255, 200), 1));
    p.setBrush(tyre);
    p.drawRoundedRect(wheel, 6, 6);
    p.setPen(QPen(QColor(8, 10, 13, 200), 1));
    for (qreal y = wheel.top() + 5; y < wheel.bottom() - 3; y += 4) {
        p.drawLine(QPointF(wheel.left() + 2.5, y), QPointF(wheel.right() - 2.5, y));
    }
    p.end();
    fillGlow(image, roundedRect(cpi, 4), palette::kWarm, 3, 0.9);
    p.begin(&image);
    prepare(p);
    QLinearGradient cpiFill(cpi.topLeft(), cpi.bottomLeft());
    cpiFill.setColorAt(0, QColor(255, 190, 100));
    cpiFill.setColorAt(1, QColor(200, 90, 10));
    p.setPen(QPen(QColor(255, 210, 150), 1));
    p.setBrush(cpiFill);
    p.drawRoundedRect(cpi, 4, 4);
    if (topButton) {
        p.setPen(QPen(QColor(0, 229, 255, 200), 1));
        p.setBrush(QColor(40, 50, 62));
        p.drawRoundedRect(top, 3.5, 3.5);
    }

    // Outline and light strips along the flanks.
    p.setPen(QPen(QColor(120, 150, 175, 150), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(body);
    p.end();
    const QPainterPath inner =
        QTransform().translate(cx, 190).scale(0.9, 0.955).translate(-cx, -190).map(body);
    QPainterPath strip;
    {
        QPainterPath band;
        band.addRect(QRectF(cx - 100, 182, 200, 130));
        QPainterPathStroker stroker;
        stroker.setWidth(2.4);
        stroker.setCapStyle(Qt::RoundCap);
        strip = stroker.createStroke(inner).intersected(band);
    }
    fillGlow(image, strip, palette::kAccent, 4, 1.3);
    p.begin(&image);
    prepare(p);
    p.fillPath(strip, QColor(150, 245, 255));

    // Side buttons, set into the left flank over the light strip.
    p.end();
    for (const QPainterPath* side : {&upper, &lower}) {
        fillGlow(image, *side, palette::kAccent, 3, 0.5);
    }
    p.begin(&image);
    prepare(p);
    for (const QPainterPath* side : {&upper, &lower}) {
        const QRectF box = side->boundingRect();
        QLinearGradient g(box.topLeft(), box.topRight());
        g.setColorAt(0, QColor(96, 112, 130));
        g.setColorAt(1, QColor(44, 54, 66));
        p.setPen(QPen(QColor(6, 8, 11), 2));
        p.setBrush(Qt::NoBrush);
        p.drawPath(*side);
        p.setPen(QPen(QColor(0, 229, 255, 200), 1));
        p.setBrush(g);
        p.drawPath(*side);
    }

    // A soft light along the spine of the palm.
    {
        QRadialGradient spine(QPointF(0, 0), 60);
        spine.setColorAt(0, QColor(255, 255, 255, 22));
        spine.setColorAt(1, QColor(255, 255, 255, 0));
        p.save();
        p.setClipPath(body);
        p.translate(cx, 222);
        p.scale(0.3, 1);
        p.fillRect(QRectF(-60, -60, 120, 120), spine);
        p.restore();
    }

    // Emblem on the palm: a chevron.
    QPainterPath chevron;
    chevron.moveTo(cx - 16, 268);
    chevron.lineTo(cx - 9, 268);
    chevron.lineTo(cx, 282);
    chevron.lineTo(cx + 9, 268);
    chevron.lineTo(cx + 16, 268);
    chevron.lineTo(cx, 293);
    chevron.closeSubpath();
    p.end();
    fillGlow(image, chevron, palette::kAccent, 4, 1.0);
    p.begin(&image);
    prepare(p);
    QLinearGradient emblem(QPointF(0, 268), QPointF(0, 293));
    emblem.setColorAt(0, QColor(200, 250, 255));
    emblem.setColorAt(1, QColor(0, 200, 240));
    p.fillPath(chevron, emblem);

    MouseAnchors anchors;
    anchors.left = {cx - 30, 92};
    anchors.right = {cx + 30, 92};
    anchors.wheel = {wheel.right(), 80};
    anchors.cpi = {cpi.right(), 119};
    anchors.top = {top.right(), 142.5};
    anchors.upperSide = {leftEdge(body, cx, 192) + 6, 192};
    anchors.lowerSide = {leftEdge(body, cx, 226) + 6, 226};
    return anchors;
}

QPainterPath MouseOutline(qreal cx) {
    return bodyPath(cx);
}

void DrawLeader(QImage& image, QPointF from, QPointF elbow, QPointF to) {
    QPainterPath path;
    path.moveTo(from);
    path.lineTo(elbow);
    path.lineTo(to);
    strokeGlow(image, path, palette::kAccent, 1.5, 2, 0.5);
    QPainterPath dot;
    dot.addEllipse(from, 3, 3);
    fillGlow(image, dot, palette::kAccent, 3, 1.2);
    QPainter p(&image);
    prepare(p);
    p.setPen(QPen(QColor(0, 229, 255, 200), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(QPen(QColor(10, 14, 18), 1));
    p.setBrush(QColor(180, 250, 255));
    p.drawEllipse(from, 3, 3);
    // A small tick where the label begins.
    p.setPen(QPen(QColor(0, 229, 255, 220), 1.5));
    p.drawLine(to + QPointF(0, -4), to + QPointF(0, 4));
}

}  // namespace skin

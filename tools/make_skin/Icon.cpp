// The application icon: the mouse's outline glowing on a dark rounded tile.
// The picture and the SVG are drawn from the same shapes.
#include <QLinearGradient>
#include <QTransform>
#include <cstdio>
#include <sstream>

#include "Art.h"
#include "Mouse.h"
#include "Pictures.h"

namespace skin {

namespace {

constexpr qreal kUnit = 256;  // the icon's own coordinates
const QRectF kTile(12, 12, 232, 232);
constexpr qreal kTileRadius = 52;

// The mouse outline placed on the tile.
QPainterPath iconMouse() {
    const QPainterPath body = MouseOutline(0);  // centred on x = 0, y 28 ... 333
    const qreal scale = 0.56;
    return QTransform().translate(128, 128).scale(scale, scale).translate(0, -182).map(body);
}

struct Shapes {
    QPainterPath mouse;
    QRectF wheel;
    QPainterPath seam;
    QPainterPath chevron;
};

Shapes shapes() {
    Shapes s;
    s.mouse = iconMouse();
    const QRectF box = s.mouse.boundingRect();
    s.wheel = QRectF(128 - 5, box.top() + 16, 10, 24);
    s.seam.moveTo(box.left() + 6, box.top() + 70);
    s.seam.quadTo(128, box.top() + 86, box.right() - 6, box.top() + 70);
    s.seam.moveTo(128, box.top() + 2);
    s.seam.lineTo(128, s.wheel.top() - 3);
    s.chevron.moveTo(128 - 12, box.bottom() - 52);
    s.chevron.lineTo(128 - 6, box.bottom() - 52);
    s.chevron.lineTo(128, box.bottom() - 42);
    s.chevron.lineTo(128 + 6, box.bottom() - 52);
    s.chevron.lineTo(128 + 12, box.bottom() - 52);
    s.chevron.lineTo(128, box.bottom() - 33);
    s.chevron.closeSubpath();
    return s;
}

std::string number(qreal v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", v);
    std::string text = buffer;
    while (text.back() == '0') {
        text.pop_back();
    }
    if (text.back() == '.') {
        text.pop_back();
    }
    return text;
}

std::string svgPath(const QPainterPath& path) {
    std::ostringstream d;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        switch (e.type) {
            case QPainterPath::MoveToElement:
                d << "M" << number(e.x) << " " << number(e.y);
                break;
            case QPainterPath::LineToElement:
                d << "L" << number(e.x) << " " << number(e.y);
                break;
            case QPainterPath::CurveToElement: {
                const QPainterPath::Element c2 = path.elementAt(i + 1);
                const QPainterPath::Element end = path.elementAt(i + 2);
                d << "C" << number(e.x) << " " << number(e.y) << " " << number(c2.x) << " "
                  << number(c2.y) << " " << number(end.x) << " " << number(end.y);
                i += 2;
                break;
            }
            case QPainterPath::CurveToDataElement:
                break;
        }
    }
    return d.str();
}

}  // namespace

QImage AppIcon(int size) {
    const Shapes s = shapes();
    QImage image = newImage(size, size);
    const qreal k = size / kUnit;
    const QTransform scale = QTransform::fromScale(k, k);
    {
        QPainter p(&image);
        prepare(p);
        p.setTransform(scale);
        QLinearGradient tile(kTile.topLeft(), kTile.bottomLeft());
        tile.setColorAt(0, QColor(30, 40, 52));
        tile.setColorAt(1, QColor(9, 12, 16));
        p.setPen(QPen(QColor(0, 229, 255, 140), 3));
        p.setBrush(tile);
        p.drawRoundedRect(kTile, kTileRadius, kTileRadius);
    }
    QImage layer = newImage(size, size);
    {
        QPainter l(&layer);
        prepare(l);
        l.setTransform(scale);
        l.setPen(QPen(palette::kAccent, 8));
        l.setBrush(Qt::NoBrush);
        l.drawPath(s.mouse);
    }
    addGlow(image, layer, std::max(2, size / 40), 1.1);
    QPainter p(&image);
    prepare(p);
    p.setTransform(scale);
    QLinearGradient shell(QPointF(0, 40), QPointF(0, 220));
    shell.setColorAt(0, QColor(70, 84, 100));
    shell.setColorAt(1, QColor(24, 30, 38));
    p.setPen(QPen(QColor(170, 245, 255), 3));
    p.setBrush(shell);
    p.drawPath(s.mouse);
    p.setPen(QPen(QColor(8, 10, 13), 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(s.seam);
    p.setPen(QPen(QColor(0, 229, 255), 2));
    p.setBrush(QColor(12, 16, 20));
    p.drawRoundedRect(s.wheel, 5, 5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 229, 255));
    p.drawPath(s.chevron);
    return image;
}

std::string AppIconSvg() {
    const Shapes s = shapes();
    std::ostringstream svg;
    svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 "
           "256 256\">\n"
        << "  <title>VTR6420KD Gaming Mouse</title>\n"
        << "  <defs>\n"
        << "    <linearGradient id=\"tile\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">\n"
        << "      <stop offset=\"0\" stop-color=\"#1e2834\"/><stop offset=\"1\" "
           "stop-color=\"#090c10\"/>\n"
        << "    </linearGradient>\n"
        << "    <linearGradient id=\"shell\" gradientUnits=\"userSpaceOnUse\" x1=\"0\" y1=\"40\" "
           "x2=\"0\" y2=\"220\">\n"
        << "      <stop offset=\"0\" stop-color=\"#465464\"/><stop offset=\"1\" "
           "stop-color=\"#181e26\"/>\n"
        << "    </linearGradient>\n"
        << "    <filter id=\"glow\" x=\"-30%\" y=\"-30%\" width=\"160%\" height=\"160%\">\n"
        << "      <feGaussianBlur stdDeviation=\"6\"/>\n"
        << "    </filter>\n"
        << "  </defs>\n"
        << "  <rect x=\"" << number(kTile.x()) << "\" y=\"" << number(kTile.y()) << "\" width=\""
        << number(kTile.width()) << "\" height=\"" << number(kTile.height()) << "\" rx=\""
        << number(kTileRadius)
        << "\" fill=\"url(#tile)\" stroke=\"#00e5ff\" stroke-opacity=\"0.55\" "
        << "stroke-width=\"3\"/>\n"
        << "  <path d=\"" << svgPath(s.mouse)
        << "\" fill=\"none\" stroke=\"#00e5ff\" stroke-width=\"8\" filter=\"url(#glow)\"/>\n"
        << "  <path d=\"" << svgPath(s.mouse)
        << "\" fill=\"url(#shell)\" stroke=\"#aaf5ff\" stroke-width=\"3\"/>\n"
        << "  <path d=\"" << svgPath(s.seam)
        << "\" fill=\"none\" stroke=\"#080a0d\" stroke-width=\"3\" stroke-linecap=\"round\"/>\n"
        << "  <rect x=\"" << number(s.wheel.x()) << "\" y=\"" << number(s.wheel.y())
        << "\" width=\"" << number(s.wheel.width()) << "\" height=\"" << number(s.wheel.height())
        << "\" rx=\"5\" fill=\"#0c1014\" stroke=\"#00e5ff\" stroke-width=\"2\"/>\n"
        << "  <path d=\"" << svgPath(s.chevron) << "Z\" fill=\"#00e5ff\"/>\n"
        << "</svg>\n";
    return svg.str();
}

}  // namespace skin

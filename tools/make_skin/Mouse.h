#pragma once

#include <QImage>
#include <QPainterPath>
#include <QPointF>

namespace skin {

// Where the leader lines start on the drawn mouse.
struct MouseAnchors {
    QPointF left, right, wheel, cpi, top, upperSide, lowerSide;
};

// Draws the mouse centred on x = `cx` (body from y 30 to 333); `topButton`
// adds the small button behind the CPI button.
MouseAnchors DrawMouse(QImage& image, qreal cx, bool topButton);
// The body's outline alone (y from 28 to 333, 140 wide), for the icon.
QPainterPath MouseOutline(qreal cx);
// A leader from a button (`from`, with a dot) over `elbow` to a label's edge.
void DrawLeader(QImage& image, QPointF from, QPointF elbow, QPointF to);

}  // namespace skin

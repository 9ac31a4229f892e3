#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>

#include "Layout.h"

// Drawing helpers shared by every picture: the palette, fonts, glows, panels.
namespace skin {

namespace palette {
inline const QColor kAccent{0, 229, 255};  // electric cyan
inline const QColor kAccentDeep{0, 150, 190};
inline const QColor kWarm{255, 150, 40};  // selected states
inline const QColor kWarmDeep{190, 90, 10};
inline const QColor kText{214, 226, 238};
inline const QColor kTextDim{128, 146, 164};
inline const QColor kTitle{120, 236, 255};
inline const QColor kBase{14, 19, 26};
inline const QColor kBaseDark{8, 11, 15};
inline const QColor kPanel{21, 28, 37};
inline const QColor kPanelDark{13, 18, 24};
inline const QColor kWell{9, 13, 18};  // recessed slots behind lists and boxes
inline const QColor kKey{128, 0, 0};   // the window's see-through colour
}  // namespace palette

// An ARGB32 premultiplied image filled with `fill` (transparent by default).
QImage newImage(Size size, QColor fill = Qt::transparent);
QImage newImage(int w, int h, QColor fill = Qt::transparent);

// A painter with antialiasing on.
void prepare(QPainter& painter);

// Registers the fonts the pictures use; fails when a font file is missing.
void LoadFonts();
// The font files the pictures were drawn with (for the renderer stamp).
QStringList FontFiles();

enum class Weight { Regular, Bold };
// The font for captions of a language (1 English, 2 and 3 Chinese), in pixels.
QFont captionFont(int language, int pixelSize, Weight weight = Weight::Regular,
                  qreal letterSpacing = 0);
// The Latin display font used for the name plate and numbers.
QFont latinFont(int pixelSize, Weight weight = Weight::Bold, qreal letterSpacing = 0);

// Separable box blur, three passes (close to a Gaussian); keeps the size.
QImage blurred(const QImage& image, int radius);
// Adds a blurred copy of `layer` to `target` (additive light).
void addGlow(QImage& target, const QImage& layer, int radius, qreal strength = 1.0,
             QPoint offset = {});

QPainterPath roundedRect(const QRectF& rect, qreal radius);
QPainterPath chamferedRect(const QRectF& rect, qreal cut);

// A raised card: gradient body, hairline border, top highlight.
void drawCard(QPainter& p, const QRectF& rect, qreal radius = 7);
// A recessed well where a list or an entry box sits.
void drawWell(QPainter& p, const QRectF& rect, qreal radius = 3);
// A section heading with a bullet and a fading rule to `ruleEnd`.
void drawHeading(QPainter& p, int language, QPointF topLeft, const QString& text, qreal ruleEnd);
// A caption; `align` as Qt::Alignment flags within `rect`.
void drawCaption(QPainter& p, const QRectF& rect, const QString& text, const QFont& font,
                 QColor colour, int align = Qt::AlignLeft | Qt::AlignVCenter);
// Small HUD corner brackets around `rect`.
void drawBrackets(QPainter& p, const QRectF& rect, qreal arm, QColor colour);
// A horizontal line that fades out at both ends.
void drawRail(QPainter& p, qreal x1, qreal x2, qreal y, QColor colour, qreal width = 1);

// Copies `content` where `inside` is opaque and puts the exact key colour
// everywhere else (no blending at the edge: the window's mask is one bit).
QImage keyedOutside(const QImage& content, const QImage& inside);

}  // namespace skin

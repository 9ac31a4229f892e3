// The four page panels, one set per language, with their printed captions.
#include <QLinearGradient>
#include <QRadialGradient>

#include "Art.h"
#include "Layout.h"
#include "Mouse.h"
#include "Pictures.h"
#include "Texts.h"

namespace skin {

namespace {

QRectF rect(Point at, Size size) {
    return QRectF(at.x, at.y, size.w, size.h);
}

// A recess one pixel larger than the control that covers it.
QRectF around(Point at, Size size) {
    return QRectF(at.x - 1, at.y - 1, size.w + 2, size.h + 2);
}

QImage panelBase(Size size) {
    QImage image = newImage(size);
    QPainter p(&image);
    prepare(p);
    const QRectF whole(0, 0, size.w, size.h);
    const QPainterPath body = roundedRect(whole.adjusted(0.5, 0.5, -0.5, -0.5), 9);
    QLinearGradient fill(whole.topLeft(), whole.bottomLeft());
    fill.setColorAt(0, QColor(17, 23, 31, 250));
    fill.setColorAt(1, QColor(11, 15, 20, 250));
    p.fillPath(body, fill);
    p.setPen(QPen(QColor(0, 229, 255, 60), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(body);
    drawBrackets(p, whole.adjusted(2.5, 2.5, -2.5, -2.5), 10, QColor(0, 229, 255, 150));
    return image;
}

int textPixels(int language, int latin, int chinese) {
    return language == 1 ? latin : chinese;
}

QFont small(int language) {
    return captionFont(language, textPixels(language, 10, 12));
}

QFont label(int language) {
    return captionFont(language, textPixels(language, 11, 13));
}

// A lamp socket for the window's lamp of `size` at `at`.
void drawSocket(QPainter& p, Point at, Size size) {
    const QPointF c(at.x + size.w / 2.0, at.y + size.h / 2.0);
    p.save();
    p.setPen(QPen(QColor(0, 0, 0, 200), 1));
    p.setBrush(QColor(6, 9, 12));
    p.drawEllipse(c, size.w / 2.0 + 1.5, size.h / 2.0 + 1.5);
    p.setPen(QPen(QColor(110, 150, 180, 90), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, size.w / 2.0 + 2.5, size.h / 2.0 + 2.5);
    p.restore();
}

}  // namespace

QImage Back1(int language) {
    const Arrangement a = arrangement(language);
    QImage image = panelBase(kBack1);
    const qreal cx = back1::kMouseCentreX;
    {
        QPainter p(&image);
        prepare(p);
        // A pool of light behind the mouse.
        QRadialGradient pool(QPointF(cx, 190), 190);
        pool.setColorAt(0, QColor(0, 200, 240, 38));
        pool.setColorAt(1, QColor(0, 200, 240, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(pool);
        p.drawEllipse(QPointF(cx, 190), 190, 175);
        drawHeading(p, language, QPointF(12, 10), text::kAssignTitle.in(language), 190);
        drawCaption(p, QRectF(0, kBack1.h - 24, kBack1.w, 16), text::kAssignHint.in(language),
                    small(language), palette::kTextDim, Qt::AlignCenter);
    }
    const MouseAnchors anchors = DrawMouse(image, cx, a.key8);

    auto leftEnd = [](int key) {
        const Point slot = back1::kKeys[key - 1];
        return QPointF(slot.x + kKeyS.w, slot.y + kKeyS.h / 2.0);
    };
    auto rightEnd = [](int key) {
        const Point slot = back1::kKeys[key - 1];
        return QPointF(slot.x, slot.y + kKeyS.h / 2.0);
    };
    const qreal leftElbow = 166;
    const qreal rightElbow = 296;
    DrawLeader(image, anchors.left, QPointF(leftElbow + 10, leftEnd(1).y()), leftEnd(1));
    DrawLeader(image, anchors.right, QPointF(rightElbow, rightEnd(3).y()), rightEnd(3));
    DrawLeader(image, anchors.wheel, QPointF(rightElbow, rightEnd(2).y()), rightEnd(2));
    DrawLeader(image, anchors.cpi, QPointF(rightElbow, rightEnd(6).y()), rightEnd(6));
    if (a.key8) {
        DrawLeader(image, anchors.top, QPointF(rightElbow, rightEnd(8).y()), rightEnd(8));
    }
    DrawLeader(image, anchors.upperSide, QPointF(leftElbow, leftEnd(5).y()), leftEnd(5));
    DrawLeader(image, anchors.lowerSide, QPointF(leftElbow, leftEnd(4).y()), leftEnd(4));
    return image;
}

QImage Back2(int language) {
    const Arrangement a = arrangement(language);
    QImage image = panelBase(kBack2);
    QPainter p(&image);
    prepare(p);
    using namespace back2;
    const QFont captionSmall = small(language);
    const QFont captionLabel = label(language);

    // Pointer: three ten-step bars.
    drawCard(p, QRectF(8, 8, 338, 206));
    struct Bar {
        const Caption* title;
        Point at;
        const Caption* low;
        const Caption* high;
    };
    const Bar bars[] = {{&text::kPointerSpeed, kSpd, &text::kSlow, &text::kFast},
                        {&text::kDoubleClick, kDbSpd, &text::kSlow, &text::kFast},
                        {&text::kScrollLines, kScrSpd, &text::kLess, &text::kMore}};
    for (const Bar& bar : bars) {
        drawHeading(p, language, QPointF(18, bar.at.y - 30), bar.title->in(language), 336);
        const qreal width = 10 * kBar1.w;
        drawWell(p, QRectF(bar.at.x - 2, bar.at.y - 2, width + 1, kBar1.h + 4), 2);
        const QRectF line(0, bar.at.y - 5, 0, kBar1.h + 10);
        drawCaption(p, QRectF(12, line.top(), bar.at.x - 18, line.height()), bar.low->in(language),
                    captionSmall, palette::kTextDim, Qt::AlignRight | Qt::AlignVCenter);
        drawCaption(p, QRectF(bar.at.x + width + 4, line.top(), 50, line.height()),
                    bar.high->in(language), captionSmall, palette::kTextDim,
                    Qt::AlignLeft | Qt::AlignVCenter);
    }

    // Fire key: repeat count and fire time with their ranges.
    drawCard(p, QRectF(8, 222, 338, 110));
    drawHeading(p, language, QPointF(18, 230), text::kFireKey.in(language), 336);
    struct Row {
        const Caption* caption;
        Point box;
        const char* range;
    };
    const Row rows[] = {{&text::kRepeatCount, kFireCount, "2-127"},
                        {&text::kFireTime, kFireDelay, "0-255"}};
    for (const Row& row : rows) {
        drawCaption(p, QRectF(24, row.box.y, row.box.x - 30, kFireKeyBox.h),
                    row.caption->in(language), captionLabel, palette::kText);
        drawWell(p, around(row.box, kFireKeyBox));
        drawCaption(p, QRectF(row.box.x + kFireKeyBox.w + 8, row.box.y, 60, kFireKeyBox.h),
                    QString::fromUtf8(row.range), latinFont(11, Weight::Regular), palette::kTitle);
    }
    // A sight, the fire key's emblem.
    {
        const QPointF c(300, 284);
        p.setPen(QPen(QColor(255, 150, 40, 150), 1.4));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, 17, 17);
        p.drawEllipse(c, 6, 6);
        for (const QPointF d : {QPointF(1, 0), QPointF(-1, 0), QPointF(0, 1), QPointF(0, -1)}) {
            p.drawLine(c + d * 10, c + d * 22);
        }
    }

    // CPI levels: level, current, value bar, value, and in layout 2 the colour.
    const qreal right = kBack2.w - 8;
    drawCard(p, QRectF(354, 8, right - 354, 324));
    drawHeading(p, language, QPointF(364, 14), text::kCpiLevels.in(language), right - 10);
    const qreal headerY = cpiRow(1) - 24;
    auto header = [&](qreal centre, const Caption& caption, int align = Qt::AlignHCenter) {
        const qreal w = 80;
        QRectF r(centre - w / 2, headerY, w, 16);
        if (align == Qt::AlignLeft) {
            r.moveLeft(centre);
        }
        drawCaption(p, r, caption.in(language), captionSmall, palette::kTextDim,
                    align | Qt::AlignVCenter);
    };
    header(kCpiLabelX, text::kLevel, Qt::AlignLeft);
    header(kCpiCheckX + kCbS.w / 2.0, text::kCurrent);
    header(kCpiStepsX + 4 * kBar2.w, text::kValue);
    header(kCpiValueX, text::kCpi, Qt::AlignLeft);
    if (a.colourColumn) {
        header(kCpiColourX + kColourBox.w / 2.0, text::kColour);
    }
    p.setPen(QPen(QColor(110, 150, 180, 50), 1));
    p.drawLine(QPointF(364, headerY + 18.5), QPointF(right - 10, headerY + 18.5));
    for (int level = 1; level <= 8; ++level) {
        const qreal r = cpiRow(level);
        if (level % 2 == 0) {
            p.fillRect(QRectF(360, r - 6, right - 366, 28), QColor(255, 255, 255, 7));
        }
        drawWell(p, QRectF(kCpiStepsX - 2, r + 2, 8 * kBar2.w + 1, kBar2.h + 4), 2);
        if (a.colourColumn) {
            drawWell(p, around({kCpiColourX, static_cast<int>(r) - 1}, kColourBox));
        }
    }
    drawCaption(p, QRectF(364, cpiRow(8) + 24, right - 374, 16), text::kCpiHint.in(language),
                captionSmall, palette::kTextDim, Qt::AlignLeft | Qt::AlignVCenter);
    return image;
}

QImage Back3(int language) {
    QImage image = panelBase(kBack3);
    QPainter p(&image);
    prepare(p);
    using namespace back3;
    const QFont captionSmall = small(language);
    const QFont captionLabel = label(language);
    const QFont captionBold = captionFont(language, textPixels(language, 11, 13), Weight::Bold);

    auto optionCaption = [&](Point at, const Caption& caption, qreal width = 110) {
        // A faint socket, so an option the window hides (the other lighting
        // variant's) still reads as a place for one.
        p.save();
        p.setPen(QPen(QColor(100, 140, 170, 70), 1.2));
        p.setBrush(QColor(10, 14, 19, 160));
        p.drawEllipse(QPointF(at.x + kRdS.w / 2.0, at.y + kRdS.h / 2.0), 6.3, 6.3);
        p.restore();
        drawCaption(p, QRectF(at.x + kRdS.w + 6, at.y - 2, width, kRdS.h + 4), caption.in(language),
                    captionLabel, palette::kText);
    };

    // Button effect switches.
    drawCard(p, QRectF(8, 6, 342, 58));
    drawCaption(p, QRectF(20, kMcpiOn.y - 2, kMcpiOn.x - 24, kRdS.h + 4),
                text::kEffectSwitch.in(language), captionBold, palette::kTitle);
    drawCaption(p, QRectF(20, kLedKeyOn.y - 2, kLedKeyOn.x - 24, kRdS.h + 4),
                text::kEffect.in(language), captionBold, palette::kTitle);
    optionCaption(kMcpiOn, text::kOn, 40);
    optionCaption(kMcpiOff, text::kOff, 40);
    optionCaption(kLedKeyOn, text::kOn, 40);
    optionCaption(kLedKeyOff, text::kOff, 40);

    // Colour mode (colour lighting, steady).
    drawCard(p, QRectF(356, 6, kBack3.w - 364, 58));
    drawHeading(p, language, QPointF(364, 12), text::kColourMode.in(language), kBack3.w - 14);
    optionCaption(kColourMode1, text::kSteady, 56);
    optionCaption(kColourMode2, text::kLightOff, 50);

    // Light modes with their timings.
    drawCard(p, QRectF(8, 72, 342, 158));
    drawHeading(p, language, QPointF(18, 78), text::kLightMode.in(language), kNtStepX - 14);
    drawCaption(p, QRectF(kNtStepX - 10, 78, kTimingBox.w + 20, 16), text::kStep.in(language),
                captionSmall, palette::kTextDim, Qt::AlignCenter);
    drawCaption(p, QRectF(kNtSecondX - 20, 78, kTimingBox.w + 40, 16),
                text::kHoldTurns.in(language), captionSmall, palette::kTextDim, Qt::AlignCenter);
    const Caption* modes[] = {&text::kSevenColour, &text::kCpiColour, &text::kFlame,
                              &text::kWindFire, &text::kLightsOff};
    for (int option = 1; option <= 5; ++option) {
        const int row = ntRow(option);
        optionCaption({kNtOptionX, row}, *modes[option - 1], kNtStepX - kNtOptionX - 26);
        if (option % 2 == 0) {
            p.fillRect(QRectF(14, row - 4, 330, 24), QColor(255, 255, 255, 6));
        }
    }
    struct Box {
        int option;
        int x;
        const Caption* unit;
    };
    const Box boxes[] = {{1, kNtStepX, &text::kMs},
                         {3, kNtStepX, &text::kTimes32Ms},
                         {3, kNtSecondX, &text::kTimes32Ms},
                         {4, kNtStepX, &text::kTimes32Ms},
                         {4, kNtSecondX, &text::kTurns}};
    for (const Box& box : boxes) {
        const Point at{box.x, ntRow(box.option) - 1};
        drawWell(p, around(at, kTimingBox));
        drawCaption(p, QRectF(at.x + kTimingBox.w + 3, at.y, 44, kTimingBox.h),
                    box.unit->in(language), captionSmall, palette::kTextDim);
    }

    // Breathing (colour lighting) with its four times.
    drawCard(p, QRectF(356, 72, kBack3.w - 364, 158));
    drawHeading(p, language, QPointF(364, 78), text::kBreathing.in(language), kBack3.w - 14);
    const Caption* breathing[] = {&text::kBreathe, &text::kSteady, &text::kSyncBreathe,
                                  &text::kLightOff};
    for (int option = 1; option <= 4; ++option) {
        optionCaption({kBreX, breRow(option)}, *breathing[option - 1], 120);
    }
    struct Time {
        Point at;
        const Caption* caption;
    };
    const Time times[] = {{kOffTime, &text::kOffTime},
                          {kRiseTime, &text::kRiseTime},
                          {kLightTime, &text::kLightTime},
                          {kFallTime, &text::kFallTime}};
    for (const Time& time : times) {
        drawCaption(p, QRectF(time.at.x - 36, time.at.y, 33, kTimingBox.h),
                    time.caption->in(language), captionSmall, palette::kTextDim,
                    Qt::AlignRight | Qt::AlignVCenter);
        drawWell(p, around(time.at, kTimingBox));
    }
    return image;
}

QImage Back4(int language) {
    QImage image = panelBase(kBack4);
    QPainter p(&image);
    prepare(p);
    using namespace back4;
    const QFont captionLabel = label(language);

    // Macro list.
    drawCard(p, QRectF(6, 6, 208, 166));
    drawHeading(p, language, QPointF(14, 14), text::kMacroList.in(language), 206);
    drawWell(p, around(kMacroName, kMacroNameListSize));

    // Delay modes (the insert panel covers the same place when it is open).
    const QRectF group = rect(kGroup, kGroupSize);
    drawCard(p, group, 6);
    drawHeading(p, language, QPointF(group.left() + 8, group.top() + 10),
                text::kDelayMode.in(language), group.right() - 8);
    const Caption* modes[] = {&text::kRecordDelay, &text::kDefaultDelay, &text::kNoDelay};
    for (int row = 0; row < 3; ++row) {
        const Point lamp = kGroup + delaygroup::kRecDelay + Point{0, row * delaygroup::kRowPitch};
        drawSocket(p, lamp, kLamp);
        drawCaption(p, QRectF(lamp.x + kLamp.w + 10, lamp.y - 4, 140, kLamp.h + 8),
                    modes[row]->in(language), captionLabel, palette::kText);
    }
    const Point edit = kGroup + delaygroup::kEdit;
    drawCaption(p, QRectF(group.left() + 10, edit.y, edit.x - group.left() - 14, kDelayBox.h),
                text::kDelayTime.in(language), captionLabel, palette::kTextDim);
    drawWell(p, around(edit, kDelayBox));
    drawCaption(p, QRectF(edit.x + kDelayBox.w + 5, edit.y, 40, kDelayBox.h),
                text::kMs.in(language), captionLabel, palette::kTextDim);

    // Steps of the chosen macro.
    drawCard(p, QRectF(220, 6, 184, 334));
    drawHeading(p, language, QPointF(228, 14), text::kMacroSteps.in(language), 396);
    drawWell(p, around(kStepList, kStepListSize));

    // The buttons, in three groups.
    drawCard(p, QRectF(410, 6, 184, 334));
    const Caption* groups[] = {&text::kRecordEdit, &text::kMacros, &text::kFiles};
    for (int g = 0; g < 3; ++g) {
        drawHeading(p, language, QPointF(418, groupTitleY(g)), groups[g]->in(language), 586);
        if (g > 0) {
            drawRail(p, 416, 588, groupTitleY(g) - 10.5, QColor(110, 150, 180, 50), 1);
        }
    }
    return image;
}

std::vector<NamedImage> PagePictures(int language) {
    const QString prefix = QStringLiteral("L%1_").arg(language);
    return {{prefix + "BackGround", Background(language)},
            {prefix + "Back1", Back1(language)},
            {prefix + "Back2", Back2(language)},
            {prefix + "Back3", Back3(language)},
            {prefix + "Back4", Back4(language)}};
}

}  // namespace skin

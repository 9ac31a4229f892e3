// Buttons in their states, bar segments, checks, options, the insert panel's
// backdrops and the web button. None of them carries text: the window draws
// its captions on top.
#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>

#include "Art.h"
#include "Layout.h"
#include "Pictures.h"

namespace skin {

namespace {

enum class State { Normal, Hover, Selected, Pressed };

enum class Shape { Rounded, Chamfered };

QPainterPath plateShape(const QRectF& r, Shape shape, qreal radius) {
    return shape == Shape::Rounded ? roundedRect(r, radius) : chamferedRect(r, radius);
}

// A button plate filling `size`, in one of its states.
QImage plate(Size size, State state, Shape shape, qreal radius) {
    QImage image = newImage(size);
    const QRectF r(0.5, 0.5, size.w - 1, size.h - 1);
    const QPainterPath body = plateShape(r, shape, radius);

    QColor top, bottom, border, accent;
    switch (state) {
        case State::Normal:
            top = QColor(34, 45, 58);
            bottom = QColor(19, 25, 33);
            border = QColor(110, 150, 180, 110);
            accent = QColor(0, 229, 255, 70);
            break;
        case State::Hover:
            top = QColor(22, 72, 90);
            bottom = QColor(10, 38, 50);
            border = QColor(0, 229, 255, 230);
            accent = QColor(0, 229, 255, 255);
            break;
        case State::Selected:
            top = QColor(92, 52, 14);
            bottom = QColor(40, 22, 8);
            border = QColor(255, 160, 60, 220);
            accent = QColor(255, 170, 60, 255);
            break;
        case State::Pressed:
            top = QColor(6, 10, 14);
            bottom = QColor(20, 34, 44);
            border = QColor(0, 200, 235, 200);
            accent = QColor(255, 150, 40, 200);
            break;
    }

    QPainter p(&image);
    prepare(p);
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    p.fillPath(body, fill);

    p.save();
    p.setClipPath(body);
    if (state == State::Pressed) {
        // Inset: a shadow falling from the top edge.
        QLinearGradient shade(r.topLeft(), r.topLeft() + QPointF(0, 8));
        shade.setColorAt(0, QColor(0, 0, 0, 170));
        shade.setColorAt(1, QColor(0, 0, 0, 0));
        p.fillRect(r, shade);
        p.setPen(QPen(QColor(255, 255, 255, 26), 1));
        p.drawLine(QPointF(r.left() + radius, r.bottom() - 1),
                   QPointF(r.right() - radius, r.bottom() - 1));
    } else {
        // Gloss on the upper half and a highlight along the top.
        QLinearGradient gloss(r.topLeft(), QPointF(r.left(), r.center().y()));
        gloss.setColorAt(0, QColor(255, 255, 255, state == State::Normal ? 22 : 34));
        gloss.setColorAt(1, QColor(255, 255, 255, 0));
        p.fillRect(QRectF(r.left(), r.top(), r.width(), r.height() / 2), gloss);
        p.setPen(QPen(QColor(255, 255, 255, state == State::Normal ? 30 : 60), 1));
        p.drawLine(QPointF(r.left() + radius, r.top() + 1.5),
                   QPointF(r.right() - radius, r.top() + 1.5));
    }
    p.restore();
    p.end();

    if (state != State::Normal) {
        // Light from the inner edge of the border.
        QImage layer = newImage(size);
        {
            QPainter l(&layer);
            prepare(l);
            l.setPen(QPen(state == State::Pressed ? QColor(0, 229, 255) : border, 3));
            l.drawPath(body);
        }
        QImage glow = blurred(layer, 2);
        QImage clipped = newImage(size);
        {
            QPainter c(&clipped);
            prepare(c);
            c.setClipPath(body);
            c.drawImage(0, 0, glow);
        }
        QPainter g(&image);
        g.setCompositionMode(QPainter::CompositionMode_Plus);
        g.setOpacity(state == State::Pressed ? 0.35 : 0.55);
        g.drawImage(0, 0, clipped);
    }

    QPainter q(&image);
    prepare(q);
    q.setPen(QPen(border, 1));
    q.setBrush(Qt::NoBrush);
    q.drawPath(body);
    // The accent bar along the bottom edge.
    const qreal barWidth = state == State::Normal ? 1 : 2;
    const qreal inset = radius + 2;
    QLinearGradient bar(QPointF(r.left() + inset, 0), QPointF(r.right() - inset, 0));
    QColor clear = accent;
    clear.setAlpha(0);
    bar.setColorAt(0, clear);
    bar.setColorAt(0.2, accent);
    bar.setColorAt(0.8, accent);
    bar.setColorAt(1, clear);
    q.setPen(QPen(QBrush(bar), barWidth, Qt::SolidLine, Qt::FlatCap));
    const qreal y = r.bottom() - 1.5 - (barWidth - 1) / 2;
    q.drawLine(QPointF(r.left() + inset, y), QPointF(r.right() - inset, y));
    return image;
}

// Key labels: a plate with a marker at the left and a chevron at the right.
QImage keyPlate(Size size, bool hover) {
    QImage image = plate(size, hover ? State::Hover : State::Normal, Shape::Chamfered, 5);
    QPainter p(&image);
    prepare(p);
    const qreal cy = size.h / 2.0;
    const QRectF marker(5, cy - 6.5, 3, 13);
    if (hover) {
        QImage layer = newImage(size);
        {
            QPainter l(&layer);
            l.fillRect(marker, palette::kAccent);
        }
        p.end();
        addGlow(image, layer, 2, 1.2);
        p.begin(&image);
        prepare(p);
    }
    p.fillRect(marker, hover ? QColor(180, 250, 255) : QColor(0, 229, 255, 150));
    // Chevron: the label opens a menu.
    QPainterPath chevron;
    const qreal x = size.w - 13;
    chevron.moveTo(x, cy - 4);
    chevron.lineTo(x + 4, cy);
    chevron.lineTo(x, cy + 4);
    p.setPen(QPen(hover ? QColor(180, 250, 255) : QColor(120, 160, 190, 150), 1.5, Qt::SolidLine,
                  Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(chevron);
    return image;
}

// One segment of a bar: lit or dark, leaving a gap at its right.
QImage segment(Size size, int gap, bool lit) {
    QImage image = newImage(size);
    QPainter p(&image);
    prepare(p);
    const QRectF r(0.5, 0.5, size.w - gap - 1, size.h - 1);
    if (lit) {
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, QColor(170, 250, 255));
        g.setColorAt(0.35, QColor(0, 229, 255));
        g.setColorAt(1, QColor(0, 150, 200));
        p.setPen(QPen(QColor(120, 240, 255), 1));
        p.setBrush(g);
        p.drawRoundedRect(r, 1.5, 1.5);
    } else {
        p.setPen(QPen(QColor(48, 62, 78), 1));
        p.setBrush(QColor(22, 29, 38));
        p.drawRoundedRect(r, 1.5, 1.5);
        p.setPen(QPen(QColor(255, 255, 255, 12), 1));
        p.drawLine(QPointF(r.left() + 1.5, r.top() + 1), QPointF(r.right() - 1.5, r.top() + 1));
    }
    return image;
}

// The check image of a CPI level: current (on) or not.
QImage check(bool on) {
    QImage image = newImage(kCbS);
    const QRectF box(2.5, 3, 13, 13);
    if (on) {
        QImage layer = newImage(kCbS);
        {
            QPainter l(&layer);
            prepare(l);
            l.setPen(Qt::NoPen);
            l.setBrush(palette::kWarm);
            l.drawRoundedRect(box, 3, 3);
        }
        addGlow(image, layer, 2, 1.0);
    }
    QPainter p(&image);
    prepare(p);
    if (on) {
        QLinearGradient g(box.topLeft(), box.bottomLeft());
        g.setColorAt(0, QColor(255, 200, 110));
        g.setColorAt(1, QColor(235, 115, 20));
        p.setPen(QPen(QColor(255, 215, 150), 1));
        p.setBrush(g);
        p.drawRoundedRect(box, 3, 3);
        QPainterPath tick;
        tick.moveTo(box.left() + 3, box.center().y() + 0.5);
        tick.lineTo(box.left() + 5.5, box.bottom() - 3.5);
        tick.lineTo(box.right() - 3, box.top() + 3.5);
        p.setPen(QPen(QColor(40, 20, 4), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(tick);
    } else {
        p.setPen(QPen(QColor(100, 140, 170, 190), 1));
        p.setBrush(QColor(12, 17, 23));
        p.drawRoundedRect(box, 3, 3);
        p.setPen(QPen(QColor(0, 0, 0, 120), 1));
        p.drawLine(QPointF(box.left() + 2, box.top() + 1.5),
                   QPointF(box.right() - 2, box.top() + 1.5));
    }
    return image;
}

// The option image of the lighting page: selected (on) or not.
QImage option(bool on) {
    QImage image = newImage(kRdS);
    const QPointF c(8, 8);
    if (on) {
        QImage layer = newImage(kRdS);
        {
            QPainter l(&layer);
            prepare(l);
            l.setPen(Qt::NoPen);
            l.setBrush(palette::kWarm);
            l.drawEllipse(c, 4, 4);
        }
        addGlow(image, layer, 2, 1.4);
    }
    QPainter p(&image);
    prepare(p);
    p.setPen(QPen(on ? QColor(255, 175, 80) : QColor(100, 140, 170, 190), 1.2));
    p.setBrush(QColor(10, 14, 19, on ? 120 : 255));
    p.drawEllipse(c, 6.3, 6.3);
    if (on) {
        QRadialGradient dot(c + QPointF(-1, -1), 4);
        dot.setColorAt(0, QColor(255, 235, 190));
        dot.setColorAt(1, QColor(255, 140, 30));
        p.setPen(Qt::NoPen);
        p.setBrush(dot);
        p.drawEllipse(c, 3.4, 3.4);
    }
    return image;
}

// The insert panel's backdrop: recessed places for the list and the delay box,
// and, for keys, the sockets of the three mode lamps.
QImage insertBase(bool keys) {
    QImage image = newImage(kInsertBase);
    QPainter p(&image);
    prepare(p);
    const QRectF whole(0, 0, kInsertBase.w, kInsertBase.h);
    drawCard(p, whole, 6);
    // Accent along the top: this panel is a mode of its own.
    drawRail(p, 8, kInsertBase.w - 8, 1.5, QColor(255, 150, 40, 200), 1);
    using namespace insertgroup;
    drawWell(p, QRectF(kList.x - 1, kList.y - 1, kInsertList.w + 2, kInsertList.h + 2));
    drawWell(p, QRectF(kDelayEdit.x - 1, kDelayEdit.y - 1, kInsertDelayBox.w + 2,
                       kInsertDelayBox.h + 2));
    drawRail(p, 10, kInsertBase.w - 10, kRecDelay.y - 6.5, QColor(110, 150, 180, 60), 1);
    drawRail(p, 10, kInsertBase.w - 10, kOk.y - 5.5, QColor(110, 150, 180, 60), 1);
    if (keys) {
        for (int row = 0; row < 3; ++row) {
            const QPointF c(kRecDelay.x + kLamp.w / 2.0,
                            kRecDelay.y + row * kRowPitch + kLamp.h / 2.0);
            p.setPen(QPen(QColor(0, 0, 0, 200), 1));
            p.setBrush(QColor(6, 9, 12));
            p.drawEllipse(c, 7.5, 7.5);
            p.setPen(QPen(QColor(110, 150, 180, 90), 1));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(c, 8.5, 8.5);
        }
        // A record mark beside the modes.
        const QPointF mark(170, kRecDelay.y + kRowPitch + kLamp.h / 2.0);
        p.setPen(QPen(QColor(255, 80, 70, 110), 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(mark, 13, 13);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 80, 70, 150));
        p.drawEllipse(mark, 6, 6);
    } else {
        // A small stopwatch where the key modes would be.
        const QPointF c(44, 96);
        p.setPen(QPen(QColor(0, 229, 255, 110), 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, 14, 14);
        p.drawLine(c + QPointF(0, -18), c + QPointF(0, -14));
        p.drawLine(c + QPointF(-4, -19), c + QPointF(4, -19));
        p.setPen(QPen(QColor(255, 150, 40, 200), 1.8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(c, c + QPointF(6, -7));
        p.setPen(QPen(QColor(0, 229, 255, 90), 1));
        for (int i = 0; i < 12; ++i) {
            const double a = i * M_PI / 6;
            p.drawLine(c + QPointF(std::cos(a) * 10.5, std::sin(a) * 10.5),
                       c + QPointF(std::cos(a) * 12.5, std::sin(a) * 12.5));
        }
        drawRail(p, 70, 196, 96.5, QColor(0, 229, 255, 50), 1);
    }
    return image;
}

// The web button: a globe and a mouse outline on a plate.
QImage webButton(State state) {
    QImage image = plate(kWebS, state, Shape::Chamfered, 10);
    const bool lit = state == State::Hover;
    const QColor line = state == State::Pressed ? QColor(255, 170, 70, 220)
                        : lit                   ? QColor(150, 245, 255)
                                                : QColor(0, 229, 255, 170);
    QImage layer = newImage(kWebS);
    auto drawArt = [&](QPainter& q, QColor colour) {
        q.setPen(QPen(colour, 1.6));
        q.setBrush(Qt::NoBrush);
        const QPointF c(52, 44);
        q.drawEllipse(c, 24, 24);
        q.drawEllipse(c, 10, 24);
        q.drawLine(c + QPointF(-24, 0), c + QPointF(24, 0));
        q.drawLine(c + QPointF(0, -24), c + QPointF(0, 24));
        QPainterPath lat;
        lat.moveTo(c + QPointF(-21, -11));
        lat.quadTo(c + QPointF(0, -6), c + QPointF(21, -11));
        lat.moveTo(c + QPointF(-21, 11));
        lat.quadTo(c + QPointF(0, 16), c + QPointF(21, 11));
        q.drawPath(lat);
        // Mouse outline with its wheel.
        const QRectF mouse(106, 20, 40, 52);
        q.drawRoundedRect(mouse, 20, 22);
        q.drawLine(QPointF(126, 20), QPointF(126, 40));
        q.drawRoundedRect(QRectF(123.5, 26, 5, 10), 2.5, 2.5);
        // Link arrow between them.
        q.drawLine(QPointF(82, 44), QPointF(100, 44));
        q.drawLine(QPointF(95, 39), QPointF(100, 44));
        q.drawLine(QPointF(95, 49), QPointF(100, 44));
    };
    {
        QPainter l(&layer);
        prepare(l);
        drawArt(l, palette::kAccent);
    }
    addGlow(image, layer, 3, lit ? 1.0 : 0.45);
    QPainter p(&image);
    prepare(p);
    drawArt(p, line);
    return image;
}

// The small dialogs (combination keys, macro name): a card shaped by the
// see-through colour, with places for the title, the entry line, a row of
// check boxes, the two buttons and the close mark.
QImage dialogBack() {
    const Size size = kDialog;
    QImage content = newImage(size);
    QImage inside = newImage(size);
    const QRectF card(2, 2, size.w - 4, size.h - 4);
    {
        QPainter m(&inside);
        m.setRenderHint(QPainter::Antialiasing, false);
        m.fillPath(chamferedRect(card, 14), Qt::white);
    }
    QPainter p(&content);
    prepare(p);
    p.fillRect(QRectF(0, 0, size.w, size.h), palette::kBaseDark);
    const QPainterPath body = chamferedRect(card, 14);
    QLinearGradient fill(card.topLeft(), card.bottomLeft());
    fill.setColorAt(0, QColor(30, 40, 52));
    fill.setColorAt(0.45, palette::kPanel);
    fill.setColorAt(1, palette::kPanelDark);
    p.fillPath(body, fill);
    p.setPen(QPen(QColor(0, 229, 255, 150), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(body);
    // The title bar: a darker band with an accent rail under it.
    p.save();
    p.setClipPath(body);
    QLinearGradient band(QPointF(0, 2), QPointF(0, 54));
    band.setColorAt(0, QColor(0, 60, 80, 150));
    band.setColorAt(1, QColor(0, 30, 40, 0));
    p.fillRect(QRectF(2, 2, size.w - 4, 52), band);
    p.restore();
    drawRail(p, 14, size.w - 14, 54.5, QColor(0, 229, 255, 170), 1);
    drawBrackets(p, QRectF(8, 8, size.w - 16, size.h - 16), 10, QColor(0, 229, 255, 120));
    // The entry line.
    drawWell(p,
             QRectF(dialog::kEdit.x - 2, dialog::kEdit.y - 2, kDialogEdit.w + 4, kDialogEdit.h + 4),
             3);
    drawRail(p, dialog::kEdit.x, dialog::kEdit.x + kDialogEdit.w,
             dialog::kEdit.y + kDialogEdit.h + 3.5, QColor(0, 229, 255, 90), 1);
    // The two buttons at rest; their hover pictures lie over them.
    for (const Point at : {dialog::kConfirm, dialog::kCancel}) {
        p.drawImage(at.x, at.y, plate(kDialogButton, State::Normal, Shape::Chamfered, 6));
    }
    // The close mark.
    const QPointF c(dialog::kClose.x + 15, dialog::kClose.y + 15);
    p.setPen(QPen(QColor(110, 150, 180, 120), 1));
    p.setBrush(QColor(8, 11, 15, 200));
    p.drawEllipse(c, 9.5, 9.5);
    p.setPen(QPen(palette::kText, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(-4, -4), c + QPointF(4, 4));
    p.drawLine(c + QPointF(-4, 4), c + QPointF(4, -4));
    p.end();
    return keyedOutside(content, inside);
}

// A step of a macro: 0 a delay (stopwatch), 1 a press (key going down),
// 2 a release (key coming up).
QImage stepIcon(int kind) {
    QImage image = newImage(kStepIcon);
    QPainter p(&image);
    prepare(p);
    const QColor colour = kind == 1 ? palette::kWarm : palette::kAccent;
    const QRectF well(1, 1, 22, 22);
    p.setPen(QPen(QColor(colour.red(), colour.green(), colour.blue(), 120), 1));
    p.setBrush(QColor(8, 11, 15, 230));
    p.drawRoundedRect(well, 4, 4);
    if (kind == 0) {
        const QPointF c(12, 13.5);
        p.setPen(QPen(colour, 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, 6.5, 6.5);
        p.drawLine(QPointF(12, 4.5), QPointF(12, 6.5));
        p.drawLine(QPointF(10, 4.5), QPointF(14, 4.5));
        p.setPen(QPen(palette::kText, 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(c, c + QPointF(3, -3.5));
    } else {
        // A key cap with an arrow: down for a press, up for a release.
        p.setPen(QPen(colour, 1.4));
        p.setBrush(QColor(colour.red(), colour.green(), colour.blue(), 50));
        p.drawRoundedRect(QRectF(5, kind == 1 ? 12 : 14, 14, 6), 2, 2);
        QPainterPath arrow;
        if (kind == 1) {
            arrow.moveTo(12, 11);
            arrow.lineTo(7.5, 6.5);
            arrow.lineTo(10.5, 6.5);
            arrow.lineTo(10.5, 3.5);
            arrow.lineTo(13.5, 3.5);
            arrow.lineTo(13.5, 6.5);
            arrow.lineTo(16.5, 6.5);
        } else {
            arrow.moveTo(12, 3.5);
            arrow.lineTo(16.5, 8);
            arrow.lineTo(13.5, 8);
            arrow.lineTo(13.5, 12);
            arrow.lineTo(10.5, 12);
            arrow.lineTo(10.5, 8);
            arrow.lineTo(7.5, 8);
        }
        arrow.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(kind == 1 ? palette::kWarm : palette::kText);
        p.drawPath(arrow);
    }
    return image;
}

}  // namespace

QImage InsertBase(bool keys) {
    return insertBase(keys);
}

std::vector<NamedImage> ControlPictures() {
    std::vector<NamedImage> images;
    auto add = [&](const char* name, QImage image) {
        images.push_back({QString::fromUtf8(name), std::move(image)});
    };
    // Confirm, Apply, Reset, Exit: normal, hover, pressed.
    add("BtnS_01", plate({48, 43}, State::Normal, Shape::Chamfered, 7));
    add("BtnS_02", plate({46, 43}, State::Hover, Shape::Chamfered, 7));
    add("BtnS_03", plate({49, 43}, State::Pressed, Shape::Chamfered, 7));
    // Page, profile and language buttons: normal, selected, hover.
    add("SetS_01", plate({90, 30}, State::Normal, Shape::Rounded, 4));
    add("SetS_02", plate({90, 30}, State::Selected, Shape::Rounded, 4));
    add("SetS_03", plate({89, 30}, State::Hover, Shape::Rounded, 4));
    // Key labels: normal, hover.
    add("KeyS_01", keyPlate({135, 27}, false));
    add("KeyS_02", keyPlate({134, 27}, true));
    // Macro page buttons and the insert panel's OK and Cancel.
    add("MacroS_01", plate(kMacroS, State::Normal, Shape::Rounded, 4));
    add("MacroS_02", plate(kMacroS, State::Hover, Shape::Rounded, 4));
    add("MacroS_03", plate(kMacroS, State::Pressed, Shape::Rounded, 4));
    add("MacroBtnS_01", plate(kMacroBtnS, State::Normal, Shape::Rounded, 4));
    add("MacroBtnS_02", plate(kMacroBtnS, State::Hover, Shape::Rounded, 4));
    add("MacroBtnS_03", plate(kMacroBtnS, State::Pressed, Shape::Rounded, 4));
    // Web button: normal, pressed, hover.
    add("WebS_01", webButton(State::Normal));
    add("WebS_02", webButton(State::Pressed));
    add("WebS_03", webButton(State::Hover));
    // On and off pairs.
    add("Bar1_E", segment(kBar1, 3, true));
    add("Bar1_D", segment(kBar1, 3, false));
    add("Bar2_E", segment(kBar2, 3, true));
    add("Bar2_D", segment(kBar2, 3, false));
    add("CbS_E", check(true));
    add("CbS_D", check(false));
    add("RdS_E", option(true));
    add("RdS_D", option(false));
    add("InsertDelayBase", insertBase(false));
    add("InsertKeyBase", insertBase(true));
    // The small dialogs and the macro steps.
    add("DialogBack", dialogBack());
    add("DialogBtnHover", plate(kDialogButton, State::Hover, Shape::Chamfered, 6));
    add("StepDelay", stepIcon(0));
    add("StepPress", stepIcon(1));
    add("StepRelease", stepIcon(2));
    return images;
}

}  // namespace skin

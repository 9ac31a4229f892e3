#include "shell/SkinControls.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "shell/Skin.h"

namespace vtr::shell {

namespace {

// How much wider than its label (in percent of the label) a caption may be
// and still be fitted into it.
constexpr int kMaxTighten = 10;

}  // namespace

ImageControl::ImageControl(const QString& name, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
}

void ImageControl::setPicture(const QString& pictureName) {
    if (pictureName == pictureName_) {
        return;
    }
    pictureName_ = pictureName;
    // The size is known without decoding; a picture is decoded when drawn.
    const QSize size = Skin::size(pictureName);
    if (this->size() != size) {
        resize(size);
    }
    update();
}

void ImageControl::paintEvent(QPaintEvent*) {
    if (pictureName_.isEmpty()) {
        return;
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, Skin::picture(pictureName_));
}

LabelButton::LabelButton(const QString& name, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
}

void LabelButton::setCaption(const QString& caption) {
    if (caption == caption_) {
        return;
    }
    caption_ = caption;
    update();
    emit captionChanged(caption_);
}

void LabelButton::setTextColour(const QColor& colour) {
    if (colour != colour_) {
        colour_ = colour;
        update();
    }
}

void LabelButton::setPointSize(int points) {
    QFont f = font();
    f.setPointSize(std::max(1, points));
    setFont(f);
}

void LabelButton::setAlignment(Qt::Alignment alignment) {
    alignment_ = alignment;
    update();
}

void LabelButton::paintEvent(QPaintEvent*) {
    if (caption_.isEmpty()) {
        return;
    }
    QPainter painter(this);
    QColor colour = colour_;
    if (!isEnabled()) {
        colour = QColor(128, 128, 128);
    }
    painter.setPen(colour);
    // A caption a little wider than its label ("Main Control" in a page
    // button) is drawn with its letters slightly closer rather than cut off;
    // a scrolling caption is far wider and stays as it is.
    const int textWidth = painter.fontMetrics().horizontalAdvance(caption_);
    const int overflow = textWidth - width() + 2;
    if (overflow > 0 && caption_.size() > 1 && overflow * 100 <= width() * kMaxTighten) {
        QFont tighter = painter.font();
        tighter.setLetterSpacing(QFont::AbsoluteSpacing,
                                 -static_cast<qreal>(overflow) / (caption_.size() - 1));
        painter.setFont(tighter);
    }
    painter.drawText(rect(), alignment_ | Qt::TextSingleLine, caption_);
}

void LabelButton::enterEvent(QEnterEvent*) {
    emit entered(this);
}

void LabelButton::leaveEvent(QEvent*) {
    emit left(this);
}

void ClickTracker::press(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
    }
    event->accept();
}

bool ClickTracker::release(QMouseEvent* event, const QWidget& widget) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       widget.rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    return click;
}

void LabelButton::mousePressEvent(QMouseEvent* event) {
    click_.press(event);
}

void LabelButton::mouseReleaseEvent(QMouseEvent* event) {
    if (click_.release(event, *this)) {
        emit clicked(this);
    }
}

InputBlocker::InputBlocker(const QString& name, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
}

void InputBlocker::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

void InputBlocker::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
}

void InputBlocker::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}

void InputBlocker::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
}

void InputBlocker::wheelEvent(QWheelEvent* event) {
    event->accept();
}

}  // namespace vtr::shell

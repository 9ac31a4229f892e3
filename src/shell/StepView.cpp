#include "shell/StepView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "shell/Skin.h"

namespace vtr::shell {

StepView::StepView(const QString& name, Model model, QWidget* parent)
    : QAbstractScrollArea(parent), model_(std::move(model)) {
    setObjectName(name);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    verticalScrollBar()->setSingleStep(1);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        viewport()->update();
        if (!settingScroll_) {
            emit scrolled(value);
        }
    });
}

int StepView::visibleRows() const {
    return std::max(1, viewport()->height() / kRowHeight);
}

int StepView::topRow() const {
    return verticalScrollBar()->value();
}

void StepView::updateRange() {
    const int count = model_.rowCount ? model_.rowCount() : 0;
    verticalScrollBar()->setRange(0, std::max(0, count - visibleRows()));
    verticalScrollBar()->setPageStep(visibleRows());
}

void StepView::refresh(int topRow) {
    settingScroll_ = true;
    updateRange();
    verticalScrollBar()->setValue(topRow);
    const int selected = model_.selectedRow ? model_.selectedRow() : -1;
    if (selected >= 0) {
        const int top = verticalScrollBar()->value();
        if (selected < top) {
            verticalScrollBar()->setValue(selected);
        } else if (selected >= top + visibleRows()) {
            verticalScrollBar()->setValue(selected - visibleRows() + 1);
        }
    }
    settingScroll_ = false;
    viewport()->update();
}

int StepView::rowAt(QPoint point) const {
    const int count = model_.rowCount ? model_.rowCount() : 0;
    const int row = topRow() + point.y() / kRowHeight;
    return point.y() >= 0 && row < count ? row : -1;
}

void StepView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const QPalette& colours = palette();
    painter.fillRect(viewport()->rect(), colours.color(QPalette::Base));
    const int count = model_.rowCount ? model_.rowCount() : 0;
    const int selected = model_.selectedRow ? model_.selectedRow() : -1;
    const QColor text = isEnabled() ? colours.color(QPalette::Text) : QColor(114, 113, 113);
    for (int r = topRow(), y = 0; r < count && y < viewport()->height(); ++r, y += kRowHeight) {
        const QRect rowRect(0, y, viewport()->width(), kRowHeight);
        // The background of the row, the selected one marked.
        if (r == selected) {
            QColor mark = text;
            mark.setAlpha(60);
            painter.fillRect(rowRect, mark);
            painter.setPen(text);
            painter.drawRect(rowRect.adjusted(0, 0, -1, -1));
        }
        const macros::StepRow row = model_.row(r);
        const int icon = row.icon >= 0 && row.icon <= 2 ? row.icon : 0;
        const int side = kRowHeight - 2;
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(QRect(rowRect.left() + 2, rowRect.top() + 2, side, side),
                           Skin::picture(kIcons[icon]));
        painter.setPen(text);
        painter.drawText(QRect(rowRect.left() + kTextLeft, rowRect.top(),
                               rowRect.width() - kTextLeft, kRowHeight),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         QString::fromStdString(row.text));
    }
}

void StepView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const int row = rowAt(event->position().toPoint());
    if (row >= 0) {
        emit rowClicked(row);
    }
}

void StepView::keyPressEvent(QKeyEvent* event) {
    // Up and Down move the selection.
    const int count = model_.rowCount ? model_.rowCount() : 0;
    const int selected = model_.selectedRow ? model_.selectedRow() : -1;
    if (count > 0 && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        const int next = event->key() == Qt::Key_Up ? std::max(0, selected - 1)
                                                    : std::min(count - 1, selected + 1);
        emit rowClicked(next);
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void StepView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateRange();
}

}  // namespace vtr::shell

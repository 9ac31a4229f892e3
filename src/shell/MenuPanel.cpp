#include "shell/MenuPanel.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace vtr::shell {

namespace {

constexpr int kTextIndent = 4;
constexpr int kMarkerMargin = 8;
constexpr int kFontPixels = 12;

QFont MenuFont(QFont font) {
    font.setPixelSize(kFontPixels);
    return font;
}

}  // namespace

MenuItem::MenuItem(const QString& name, int tag, bool marker, QWidget* parent)
    : QWidget(parent), tag_(tag), marker_(marker) {
    setObjectName(name);
    setFont(MenuFont(font()));
}

void MenuItem::setCaption(const QString& caption) {
    if (caption != caption_) {
        caption_ = caption;
        update();
    }
}

void MenuItem::setHighlighted(bool on) {
    if (on != highlighted_) {
        highlighted_ = on;
        update();
    }
}

void MenuItem::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (highlighted_) {
        painter.fillRect(rect(), MenuColours::highlight());
    }
    painter.setPen(highlighted_ ? MenuColours::highlightText() : MenuColours::text());
    QRect textArea = rect().adjusted(kTextIndent, 0, -kMarkerMargin, 0);
    if (marker_) {
        const QString marker = QStringLiteral(">>");
        painter.drawText(textArea, Qt::AlignVCenter | Qt::AlignRight, marker);
        textArea.setRight(textArea.right() - fontMetrics().horizontalAdvance(marker) - 4);
    }
    painter.drawText(textArea, Qt::AlignVCenter | Qt::AlignLeft,
                     fontMetrics().elidedText(caption_, Qt::ElideRight, textArea.width()));
}

void MenuItem::enterEvent(QEnterEvent*) {
    setHighlighted(true);
    emit entered(this);
}

void MenuItem::leaveEvent(QEvent*) {
    setHighlighted(false);
    emit left(this);
}

void MenuItem::mousePressEvent(QMouseEvent* event) {
    click_.press(event);
}

void MenuItem::mouseReleaseEvent(QMouseEvent* event) {
    if (click_.release(event, *this)) {
        emit clicked(this);
    }
}

MenuPanel::MenuPanel(const QString& name, QSize size, int inset, QWidget* parent)
    : QWidget(parent), inset_(inset) {
    setObjectName(name);
    resize(size);
    hide();
}

MenuItem* MenuPanel::addItem(const QString& name, int tag, bool marker) {
    auto* item = new MenuItem(name, tag, marker, this);
    item->setGeometry(inset_, inset_ + static_cast<int>(items_.size()) * MenuItem::kHeight,
                      width() - 2 * inset_, MenuItem::kHeight);
    items_.push_back(item);
    return item;
}

void MenuPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), MenuColours::background());
    painter.setPen(MenuColours::border());
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void MenuPanel::hideEvent(QHideEvent* event) {
    // A menu opens again without the highlight it was closed with.
    for (MenuItem* item : items_) {
        item->setHighlighted(false);
    }
    QWidget::hideEvent(event);
}

MacroList::MacroList(const QString& name, QSize size, QWidget* parent) : QListWidget(parent) {
    setObjectName(name);
    resize(size);
    setFont(MenuFont(font()));
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setUniformItemSizes(true);
    setMouseTracking(true);
    setSelectionMode(QAbstractItemView::NoSelection);
    const QString style = QStringLiteral(
        "QListWidget { background: %1; color: %2; border: 1px solid %3; outline: 0; }"
        "QListWidget::item { height: %4px; padding-left: %5px; border: 0; }"
        "QListWidget::item:hover { background: %6; color: %7; }"
        "QScrollBar:vertical { background: %1; width: 10px; margin: 0; }"
        "QScrollBar::handle:vertical { background: %3; min-height: 16px; border-radius: 3px; }"
        "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
        "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }");
    setStyleSheet(style
                      .arg(MenuColours::background().name(), MenuColours::text().name(),
                           MenuColours::border().name())
                      .arg(kRowHeight)
                      .arg(kTextIndent)
                      .arg(MenuColours::highlight().name(), MenuColours::highlightText().name()));
    connect(this, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { emit rowClicked(row(item)); });
    hide();
}

void MacroList::setNames(const QStringList& names) {
    clear();
    for (const QString& name : names) {
        auto* item = new QListWidgetItem(name, this);
        item->setSizeHint(QSize(0, kRowHeight));
    }
}

QRect MacroList::rowRect(int row) const {
    const QListWidgetItem* it = item(row);
    if (it == nullptr) {
        return {};
    }
    const QRect r = visualItemRect(it).intersected(viewport()->rect());
    return r.isEmpty() ? QRect() : r.translated(viewport()->pos());
}

}  // namespace vtr::shell

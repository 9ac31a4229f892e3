#pragma once

#include <QColor>
#include <QListWidget>
#include <QString>
#include <QWidget>
#include <vector>

#include "shell/SkinControls.h"

// The pop-up menus of the Main Control page: dark panels of 24-pixel items
// that light up teal under the pointer, and the list of macro names.
namespace vtr::shell {

// The look every menu shares.
struct MenuColours {
    static QColor background() { return {28, 31, 36}; }
    static QColor border() { return {0, 128, 128}; }
    static QColor text() { return {225, 228, 232}; }
    static QColor highlight() { return {0, 128, 128}; }
    static QColor highlightText() { return Qt::white; }
};

// One menu entry: its caption, drawn over a teal background with white text
// while the pointer is on it; entries that open a further menu show ">>" at
// their right end.
class MenuItem final : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kHeight = 24;

    MenuItem(const QString& name, int tag, bool marker, QWidget* parent);

    int tag() const { return tag_; }
    bool hasMarker() const { return marker_; }
    void setCaption(const QString& caption);
    const QString& caption() const { return caption_; }
    bool highlighted() const { return highlighted_; }
    void setHighlighted(bool on);

  signals:
    void entered(vtr::shell::MenuItem* item);
    void left(vtr::shell::MenuItem* item);
    // A left-button press and release both on the item.
    void clicked(vtr::shell::MenuItem* item);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    int tag_;
    bool marker_;
    QString caption_;
    bool highlighted_ = false;
    ClickTracker click_;
};

// A panel of items stacked from the top, drawn dark with a thin teal frame.
class MenuPanel final : public QWidget {
    Q_OBJECT
  public:
    // `inset`: the items keep that margin from the panel's edges.
    MenuPanel(const QString& name, QSize size, int inset, QWidget* parent);

    MenuItem* addItem(const QString& name, int tag, bool marker);
    const std::vector<MenuItem*>& items() const { return items_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    int inset_;
    std::vector<MenuItem*> items_;
};

// The macro names, one 20-pixel row each, scrolling when they do not fit.
class MacroList final : public QListWidget {
    Q_OBJECT
  public:
    static constexpr int kRowHeight = 20;

    MacroList(const QString& name, QSize size, QWidget* parent);

    void setNames(const QStringList& names);
    // The rectangle of a row inside the list, in the list's coordinates;
    // empty for a row that is not shown.
    QRect rowRect(int row) const;

  signals:
    void rowClicked(int row);
};

}  // namespace vtr::shell

#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

class QMouseEvent;

// The window's three kinds of control: a skin picture, the transparent text
// label lying over it that takes the clicks, and a transparent blocker that
// swallows every click and hover beneath it. Each is named (objectName) the
// way the window addresses it: "Img_Apply_2", "Btn_Apply_2", "Disable_All_2".
namespace vtr::shell {

// What makes a click on a control: a left-button press and a left-button
// release both on it. Controls feed it their press and release events.
class ClickTracker {
  public:
    void press(QMouseEvent* event);
    // True when this release completes a click on `widget`.
    bool release(QMouseEvent* event, const QWidget& widget);

  private:
    bool pressed_ = false;
};

class ImageControl final : public QWidget {
    Q_OBJECT
  public:
    ImageControl(const QString& name, QWidget* parent);

    // Shows the skin picture of that name; the control takes the picture's
    // size and keeps its top-left corner.
    void setPicture(const QString& pictureName);
    const QString& pictureName() const { return pictureName_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString pictureName_;
};

class LabelButton final : public QWidget {
    Q_OBJECT
  public:
    LabelButton(const QString& name, QWidget* parent);

    void setCaption(const QString& caption);
    const QString& caption() const { return caption_; }
    void setTextColour(const QColor& colour);
    const QColor& textColour() const { return colour_; }
    // Font size in points; values below 1 count as 1.
    void setPointSize(int points);
    // Where the caption lies in the label; centred unless set.
    void setAlignment(Qt::Alignment alignment);

  signals:
    void entered(vtr::shell::LabelButton* label);
    void left(vtr::shell::LabelButton* label);
    // A left-button press and release both on the label.
    void clicked(vtr::shell::LabelButton* label);
    void captionChanged(const QString& caption);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QString caption_;
    QColor colour_{Qt::white};
    Qt::Alignment alignment_ = Qt::AlignCenter;
    ClickTracker click_;
};

class InputBlocker final : public QWidget {
    Q_OBJECT
  public:
    InputBlocker(const QString& name, QWidget* parent);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
};

}  // namespace vtr::shell

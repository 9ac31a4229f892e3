#include "shell/SkinDialog.h"

#include <QMouseEvent>
#include <QPalette>
#include <functional>

#include "shell/Skin.h"
#include "shell/SkinControls.h"

namespace vtr::shell {

namespace {

constexpr QPoint kTitleAt{10, 25};
constexpr QSize kTitleSize{164, 24};
constexpr QRect kEdit{56, 68, 209, 22};
constexpr QPoint kConfirmAt{44, 134};
constexpr QPoint kCancelAt{196, 134};
constexpr QSize kButtonSize{97, 29};
constexpr QRect kClose{316, 6, 30, 30};

// The close mark: a click area without a picture of its own (the background
// draws the mark).
class CloseArea final : public QWidget {
  public:
    CloseArea(QWidget* parent, std::function<void()> onClick)
        : QWidget(parent), onClick_(std::move(onClick)) {
        setObjectName("IB_Close");
        setCursor(Qt::PointingHandCursor);
    }

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
            onClick_();
        }
    }

  private:
    std::function<void()> onClick_;
};

}  // namespace

SkinDialog::SkinDialog(QWidget* mainWindow, const Names& names, int extraTop)
    : QWidget(mainWindow, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(names.dialog);
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(kWidth, kHeight);
    if (mainWindow != nullptr) {
        const QRect main = mainWindow->geometry();
        move(main.left() + (main.width() - kWidth) / 2,
             main.top() + (main.height() - kHeight) / 2 + extraTop);
    }

    background_ = new ImageControl("Img_Assembly", this);
    background_->setPicture("DialogBack");
    background_->move(0, 0);

    title_ = new QLabel(this);
    title_->setObjectName(names.title);
    title_->setGeometry(QRect(kTitleAt, kTitleSize));
    QFont titleFont = title_->font();
    titleFont.setBold(true);
    titleFont.setPixelSize(15);
    title_->setFont(titleFont);

    edit_ = new QLineEdit(this);
    edit_->setObjectName(names.edit);
    edit_->setGeometry(kEdit);
    edit_->setFrame(false);
    QFont editFont = edit_->font();
    editFont.setPixelSize(16);
    edit_->setFont(editFont);

    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, Qt::white);
    colours.setColor(QPalette::Text, Qt::white);
    colours.setColor(QPalette::Base, QColor(9, 13, 18));
    colours.setColor(QPalette::Window, QColor(9, 13, 18));
    colours.setColor(QPalette::Highlight, QColor(0, 150, 190));
    colours.setColor(QPalette::HighlightedText, Qt::white);
    title_->setPalette(colours);
    edit_->setPalette(colours);

    auto button = [this](const QString& name, const QString& hoverName, QPoint at,
                         ImageControl*& hover) {
        hover = new ImageControl(hoverName, this);
        hover->setPicture("DialogBtnHover");
        hover->move(at);
        hover->hide();
        auto* label = new LabelButton(name, this);
        label->setGeometry(QRect(at, kButtonSize));
        label->setCursor(Qt::PointingHandCursor);
        connect(label, &LabelButton::entered, hover, &QWidget::show);
        connect(label, &LabelButton::left, hover, &QWidget::hide);
        return label;
    };
    confirm_ = button("IB_Confirm", "Img_Confirm", kConfirmAt, confirmHover_);
    cancel_ = button("IB_Cancel", "Img_Cancel", kCancelAt, cancelHover_);
    connect(confirm_, &LabelButton::clicked, this, &SkinDialog::confirmClicked);
    connect(cancel_, &LabelButton::clicked, this, &SkinDialog::cancelClicked);

    closeArea_ = new CloseArea(this, [this] {
        emit closeClicked();
        close();
    });
    closeArea_->setGeometry(kClose);
}

void SkinDialog::setTexts(const QString& title, const QString& confirm, const QString& cancel) {
    title_->setText(title);
    confirm_->setCaption(confirm);
    cancel_->setCaption(cancel);
}

QWidget* SkinDialog::control(const QString& name) const {
    for (QWidget* w : std::initializer_list<QWidget*>{background_, title_, edit_, confirm_, cancel_,
                                                      closeArea_, confirmHover_, cancelHover_}) {
        if (w->objectName() == name) {
            return w;
        }
    }
    return nullptr;
}

void SkinDialog::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Maroon is see-through: the window takes the shape of its background
    // (set after showing; a mask set earlier is lost on X11).
    clearMask();
    setMask(Skin::shape("DialogBack"));
    edit_->setFocus();
}

}  // namespace vtr::shell

#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QWidget>

namespace vtr::shell {

class ImageControl;
class LabelButton;

// The small border-less dialog the Main Control and Macro pages open over the
// main window: 354 × 179, shaped by its background picture (maroon is
// see-through), kept above other windows, not modal. It has a title, one
// entry line, two buttons (Confirm-like on the left, Cancel-like on the right)
// whose hover pictures show only while the pointer is over them, and an
// invisible close area in the top right corner. Subclasses add their own
// behaviour to the entry line and the buttons.
class SkinDialog : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kWidth = 354;
    static constexpr int kHeight = 179;

    struct Names {
        QString dialog;  // "TForm2"
        QString title;   // "lbl_Assembly"
        QString edit;    // "Edt_Assembly"
    };

    // Centred on `mainWindow`, moved down by `extraTop` pixels. Deletes itself
    // when closed.
    SkinDialog(QWidget* mainWindow, const Names& names, int extraTop);

    void setTexts(const QString& title, const QString& confirm, const QString& cancel);

    QLabel* title() const { return title_; }
    QLineEdit* edit() const { return edit_; }
    LabelButton* confirmButton() const { return confirm_; }
    LabelButton* cancelButton() const { return cancel_; }
    QWidget* closeArea() const { return closeArea_; }
    // A control by name: "Img_Assembly", the title and edit names, "IB_Confirm",
    // "IB_Cancel", "IB_Close", "Img_Confirm", "Img_Cancel"; null for others.
    QWidget* control(const QString& name) const;

  signals:
    void confirmClicked();
    void cancelClicked();
    // The close area was clicked; the dialog closes after this signal.
    void closeClicked();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    ImageControl* background_ = nullptr;
    QLabel* title_ = nullptr;
    QLineEdit* edit_ = nullptr;
    ImageControl* confirmHover_ = nullptr;
    ImageControl* cancelHover_ = nullptr;
    LabelButton* confirm_ = nullptr;
    LabelButton* cancel_ = nullptr;
    QWidget* closeArea_ = nullptr;
};

}  // namespace vtr::shell

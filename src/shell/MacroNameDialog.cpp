#include "shell/MacroNameDialog.h"

#include "macros/MacroInputs.h"

namespace vtr::shell {

MacroNameDialog::MacroNameDialog(QWidget* mainWindow, const Texts& texts,
                                 std::function<void(const QString&)> apply,
                                 std::function<void()> closed)
    : SkinDialog(mainWindow, {"TForm3", "lbl_MacroName", "Edt_MacroName"}, 0),
      apply_(std::move(apply)) {
    setTexts(texts.title, texts.confirm, texts.cancel);
    QLineEdit* input = edit();
    input->setMaxLength(static_cast<int>(macros::kMaxMacroNameLength));
    // Whatever is typed or pasted keeps to the name rule (a character that
    // would not fit whole is refused).
    connect(input, &QLineEdit::textEdited, this, [input](const QString& text) {
        const std::u16string units = text.toStdU16String();
        const std::u16string limited = macros::LimitMacroName(units);
        if (limited != units) {
            input->setText(QString::fromStdU16String(limited));
        }
    });
    connect(this, &SkinDialog::confirmClicked, this, [this] {
        apply_(edit()->text());
        close();
    });
    connect(this, &SkinDialog::cancelClicked, this, [this] { edit()->clear(); });
    connect(this, &SkinDialog::closeClicked, this, [closed = std::move(closed)] { closed(); });
}

}  // namespace vtr::shell

#include "shell/NumberEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QValidator>

namespace vtr::shell {

namespace {

// Digits only, at most `length` characters; what does not fit is cut off.
class DigitsValidator final : public QValidator {
  public:
    DigitsValidator(int length, QObject* parent) : QValidator(parent), length_(length) {}

    State validate(QString& input, int& position) const override {
        QString digits;
        for (const QChar c : input) {
            if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
                digits += c;
            }
        }
        digits.truncate(length_);
        if (digits != input) {
            input = digits;
            position = std::min<int>(position, static_cast<int>(input.size()));
        }
        return Acceptable;
    }

  private:
    int length_;
};

}  // namespace

NumberEdit::NumberEdit(const QString& name, text::NumberBox::Rule rule, QWidget* parent)
    : QLineEdit(parent), rule_(rule) {
    setObjectName(name);
    setValidator(new DigitsValidator(rule_.maxLength, this));
    setFrame(false);
}

void NumberEdit::setNumberText(const QString& text) {
    if (text != this->text()) {
        setText(text);
    }
}

int NumberEdit::value() const {
    return text::NumberBox(rule_, text().toStdString()).value();
}

void NumberEdit::normalise() {
    text::NumberBox box(rule_, text().toStdString());
    box.normalise();
    setNumberText(QString::fromStdString(box.text()));
}

void NumberEdit::setColours(const QColor& text, const QColor& background) {
    setStyleSheet(QStringLiteral("QLineEdit { color: %1; background: %2; border: 1px solid %2; }")
                      .arg(text.name(), background.name()));
}

void NumberEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    normalise();
    emit left(this);
}

}  // namespace vtr::shell

#include "shell/NumberEdit.h"

#include <QKeyEvent>
#include <QPalette>
#include <QValidator>

namespace vtr::shell {

namespace {

// Every change to the text (typed, pasted, dropped) keeps only its digits,
// as many as the box has room for.
class DigitsValidator final : public QValidator {
  public:
    DigitsValidator(int maxLength, QObject* parent) : QValidator(parent), maxLength_(maxLength) {}

    State validate(QString& input, int& pos) const override {
        QString digits;
        int digitsBeforeCursor = 0;
        for (int i = 0; i < input.size(); ++i) {
            if (input[i].isDigit() && input[i].unicode() < 128 && digits.size() < maxLength_) {
                digits.append(input[i]);
                if (i < pos) {
                    ++digitsBeforeCursor;
                }
            }
        }
        input = digits;
        pos = digitsBeforeCursor;
        return Acceptable;
    }

  private:
    int maxLength_;
};

bool isEditingKey(const QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Backspace:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Home:
        case Qt::Key_End:
            return true;
        default:
            return event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Copy) ||
                   event->matches(QKeySequence::SelectAll);
    }
}

}  // namespace

NumberEdit::NumberEdit(const QString& name, text::NumberBox::Rule rule, QWidget* parent)
    : QLineEdit(parent), rule_(rule) {
    setObjectName(name);
    setValidator(new DigitsValidator(rule_.maxLength, this));
    setFrame(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    installEventFilter(this);
}

bool NumberEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == this && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        const bool digit = text.size() == 1 && text[0] >= QLatin1Char('0') &&
                           text[0] <= QLatin1Char('9') &&
                           !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        // Tab and the like move the focus as usual; every other key that
        // would change the text is swallowed.
        if (!digit && !isEditingKey(key) && key->key() != Qt::Key_Tab &&
            key->key() != Qt::Key_Backtab) {
            return true;
        }
    }
    return QLineEdit::eventFilter(watched, event);
}

void NumberEdit::setNumberText(const QString& text) {
    // Shown as it is: setText does not pass through the validator, which
    // governs only what the user changes.
    setText(text);
}

int NumberEdit::value() const {
    return text::NumberBox(rule_, text().toStdString()).value();
}

void NumberEdit::normalise() {
    text::NumberBox box(rule_, text().toStdString());
    box.normalise();
    const QString normalised = QString::fromStdString(box.text());
    if (normalised != text()) {
        setNumberText(normalised);
    }
}

void NumberEdit::setColours(const QColor& text, const QColor& background) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::Window, background);
    setPalette(palette);
    setAutoFillBackground(true);
}

void NumberEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    normalise();
    emit left(this);
}

}  // namespace vtr::shell

#include "shell/DelayBox.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>

namespace vtr::shell {

namespace {
const QColor kGrey(114, 113, 113);
}

DelayBox::DelayBox(const QString& name, std::function<macros::DelayEdit&()> edit, QWidget* parent)
    : QLineEdit(parent), edit_(std::move(edit)) {
    setObjectName(name);
    setFrame(false);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setContextMenuPolicy(Qt::NoContextMenu);
    setTextMargins(2, 0, 4, 0);
    showRule();
}

void DelayBox::showRule() {
    const QString shown = QString::fromStdString(edit_().text());
    if (text() != shown) {
        setText(shown);
    }
    setReadOnly(!edit_().editable());
}

void DelayBox::refresh(bool active, const QColor& value, const QColor& back) {
    showRule();
    QPalette colours = palette();
    const QColor fore = active && edit_().editable() ? value : kGrey;
    colours.setColor(QPalette::Text, fore);
    colours.setColor(QPalette::WindowText, fore);
    colours.setColor(QPalette::Base, back);
    colours.setColor(QPalette::Window, back);
    setPalette(colours);
}

void DelayBox::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        paste(QGuiApplication::clipboard()->text());
        return;
    }
    const QString typed = event->text();
    if (event->key() == Qt::Key_Backspace) {
        if (edit_().type('\b')) {
            showRule();
            emit edited();
        }
        return;
    }
    if (typed.size() == 1 && typed[0].unicode() < 128 && typed[0].isPrint()) {
        // Digits go through the rule; anything else printable is refused.
        if (edit_().type(static_cast<char>(typed[0].unicode()))) {
            showRule();
            emit edited();
        }
        return;
    }
    // Typing always appends, so there is no cursor to move.
    event->ignore();
}

void DelayBox::paste(const QString& text) {
    if (!edit_().editable()) {
        return;
    }
    edit_().insert(text.toStdString());
    showRule();
    emit edited();
}

}  // namespace vtr::shell

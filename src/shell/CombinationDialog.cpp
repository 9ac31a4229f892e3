#include "shell/CombinationDialog.h"

#include <QKeyEvent>

#include "shell/QtVirtualKeys.h"

namespace vtr::shell {

namespace {

struct BoxPlace {
    keys::Modifier modifier;
    const char* name;
    const char* text;
    int x;
};
constexpr BoxPlace kBoxes[] = {
    {keys::Modifier::Ctrl, "CB_Ctrl", "Ctrl", 56},
    {keys::Modifier::Shift, "CB_Shift", "Shift", 110},
    {keys::Modifier::Alt, "CB_Alt", "Alt", 176},
    {keys::Modifier::Win, "CB_Win", "Win", 232},
};
constexpr int kBoxTop = 96;
constexpr int kBoxHeight = 18;

// Small white boxes with white text, readable on the dark dialog.
const char* const kBoxStyle =
    "QCheckBox { color: white; font-size: 11px; spacing: 4px; background: transparent; }"
    "QCheckBox::indicator { width: 11px; height: 11px; border: 1px solid #9fd8d8;"
    " background: #1c1f24; border-radius: 2px; }"
    "QCheckBox::indicator:hover { border-color: white; }"
    "QCheckBox::indicator:checked { background: #008080; border-color: white;"
    " image: none; }";

}  // namespace

CombinationDialog::CombinationDialog(QWidget* mainWindow, keys::ButtonAssignment& target,
                                     const text::Languages& languages)
    : SkinDialog(mainWindow, {"TForm2", "lbl_Assembly", "Edt_Assembly"}, kExtraTop),
      model_(std::make_unique<keys::CombinationKeyDialog>(target, languages)) {
    setTexts(QString::fromStdString(model_->title()), QString::fromStdString(model_->confirmText()),
             QString::fromStdString(model_->clearText()));
    edit()->setReadOnly(true);
    edit()->installEventFilter(this);

    for (const BoxPlace& place : kBoxes) {
        auto* box = new QCheckBox(QString::fromLatin1(place.text), this);
        box->setObjectName(QString::fromLatin1(place.name));
        box->setFocusPolicy(Qt::NoFocus);
        box->setStyleSheet(kBoxStyle);
        box->adjustSize();
        box->setGeometry(place.x, kBoxTop, box->sizeHint().width(), kBoxHeight);
        const keys::Modifier modifier = place.modifier;
        connect(box, &QCheckBox::clicked, this,
                [this, modifier](bool checked) { boxClicked(modifier, checked); });
        boxes_[static_cast<std::size_t>(modifier)] = box;
    }

    connect(this, &SkinDialog::confirmClicked, this, [this] {
        model_->IB_ConfirmClick();
        emit applied();
        close();
    });
    connect(this, &SkinDialog::cancelClicked, this, [this] {
        model_->IB_CancelClick();
        showState();
    });
    connect(this, &SkinDialog::closeClicked, this, [this] { model_->IB_CloseClick(); });
    showState();
}

CombinationDialog::~CombinationDialog() = default;

QCheckBox* CombinationDialog::box(keys::Modifier modifier) const {
    return boxes_[static_cast<std::size_t>(modifier)];
}

void CombinationDialog::boxClicked(keys::Modifier modifier, bool checked) {
    model_->ModifierClick(modifier, checked);
    showState();
}

void CombinationDialog::showState() {
    edit()->setText(QString::fromStdString(model_->editText()));
    for (const BoxPlace& place : kBoxes) {
        box(place.modifier)->setChecked(model_->checked(place.modifier));
    }
    edit()->setFocus(Qt::OtherFocusReason);
}

bool CombinationDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched != edit()) {
        return SkinDialog::eventFilter(watched, event);
    }
    switch (event->type()) {
        case QEvent::ShortcutOverride:
            // Every key is the line's, before any shortcut sees it.
            event->accept();
            return true;
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            const std::uint16_t virtualKey = VirtualKeyOf(key->key(), key->modifiers());
            // A key without a virtual key is not one the mouse can send.
            if (virtualKey != 0) {
                model_->Edt_AssemblyKeyDown(virtualKey, ShiftStateOf(key->key(), key->modifiers()));
                showState();
            }
            return true;
        }
        case QEvent::KeyRelease:
            return true;
        default:
            return SkinDialog::eventFilter(watched, event);
    }
}

}  // namespace vtr::shell

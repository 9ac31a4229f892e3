#include "keys/CombinationKey.h"

#include "keys/FunctionCode.h"
#include "keys/KeyCatalogue.h"

namespace vtr::keys {
namespace {

constexpr std::string_view kModifierNames[] = {"Ctrl", "Shift", "Alt", "Win"};
constexpr std::uint8_t kModifierBits[] = {kModifierCtrl, kModifierShift, kModifierAlt,
                                          kModifierWin};

constexpr std::uint16_t kLeftWindows = 0x5B;
constexpr std::uint16_t kRightWindows = 0x5C;

// Replaces the first occurrence of `what` in `text` with nothing.
void RemoveFirst(std::string& text, std::string_view what) {
    const std::size_t pos = text.find(what);
    if (pos != std::string::npos) {
        text.erase(pos, what.size());
    }
}

}  // namespace

Point CombinationDialogPosition(const Rect& mainWindow) {
    return {mainWindow.left + (mainWindow.width - kCombinationDialogSize.width) / 2,
            mainWindow.top + (mainWindow.height - kCombinationDialogSize.height) / 2 + 40};
}

CombinationKeyDialog::CombinationKeyDialog(ButtonAssignment& target,
                                           const text::Languages& languages)
    : target_(target),
      title_(languages.text("Str500")),
      confirm_(languages.text("Str501")),
      clear_(languages.text("Str502")) {}

void CombinationKeyDialog::reset() {
    edit_.clear();
    count_ = 0;
    keyText_.clear();
    lastKeyName_.clear();
    resultCode_.clear();
    modifierText_.clear();
    firstKey_ = 0;
    secondKey_ = 0;
    checked_ = {};
}

bool CombinationKeyDialog::Edt_AssemblyKeyDown(std::uint16_t virtualKey, ShiftState shift) {
    if (!open_) {
        return false;
    }
    if (count_ == 2) {
        keyText_.clear();
        lastKeyName_.clear();
        resultCode_.clear();
        modifierText_ = RefreshControl();
        edit_ = modifierText_;
        count_ = 0;
        firstKey_ = 0;
        secondKey_ = 0;
    }
    if (virtualKey == kLeftWindows || virtualKey == kRightWindows) {
        return false;
    }
    // Modifiers come from the check boxes only, never from held keys.
    if (shift.shift || shift.alt || shift.ctrl) {
        return false;
    }
    const int index = VirtualKeyToKeyIndex(virtualKey);
    const std::string name(KeyIndexToName(index));
    const std::uint8_t deviceKey = KeyIndexToDeviceKey(index);

    edit_ = edit_.empty() ? name : edit_ + "+" + name;
    if (count_ == 0) {
        lastKeyName_ = name;
        keyText_ = name;
        firstKey_ = deviceKey;
    } else {
        keyText_ += "+" + name;
        secondKey_ = deviceKey;
    }
    ++count_;
    return true;
}

void CombinationKeyDialog::ModifierClick(Modifier modifier, bool checked) {
    if (!open_) {
        return;
    }
    checked_[Index(modifier)] = checked;
    if (checked) {
        modifierText_ = RefreshControl();
        edit_ = keyText_.empty() ? modifierText_ : modifierText_ + "+" + keyText_;
        return;
    }
    if (edit_.empty()) {
        return;
    }
    const std::string name(kModifierNames[Index(modifier)]);
    if (edit_.starts_with(name)) {
        RemoveFirst(edit_, edit_ == name ? name : name + "+");
    } else {
        RemoveFirst(edit_, "+" + name);
    }
}

std::uint8_t CombinationKeyDialog::RefreshModify() const {
    std::uint8_t mask = 0;
    for (std::size_t i = 0; i < checked_.size(); ++i) {
        if (checked_[i]) {
            mask |= kModifierBits[i];
        }
    }
    return mask;
}

std::string CombinationKeyDialog::RefreshControl() const {
    std::string text;
    for (std::size_t i = 0; i < checked_.size(); ++i) {
        if (checked_[i]) {
            if (!text.empty()) {
                text += "+";
            }
            text += kModifierNames[i];
        }
    }
    return text;
}

void CombinationKeyDialog::IB_ConfirmClick() {
    if (!open_) {
        return;
    }
    resultCode_ = CombinationCodeText(RefreshModify(), firstKey_, secondKey_);
    PendingCombination& pending = target_.pendingCombination();
    pending.displayText = edit_;
    pending.codeText = resultCode_;
    pending.confirmed = true;
    target_.ApplyCombinationKey();
    open_ = false;
}

void CombinationKeyDialog::IB_CancelClick() {
    if (!open_) {
        return;
    }
    reset();
    target_.pendingCombination() = PendingCombination{};
}

void CombinationKeyDialog::IB_CloseClick() {
    open_ = false;
}

}  // namespace vtr::keys

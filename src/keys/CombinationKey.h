#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "keys/ButtonAssignment.h"
#include "keys/ButtonMenus.h"
#include "text/Language.h"

// The combination-key dialog ("Assembly Key") without its window: up to two
// keys captured from the keyboard plus the modifiers Ctrl, Shift, Alt and Win
// chosen with check boxes, handed to the button editor as a keyboard code.
// Key presses arrive as Windows virtual-key codes with the held modifiers.
namespace vtr::keys {

enum class Modifier { Ctrl, Shift, Alt, Win };

// The modifiers held during a key press.
struct ShiftState {
    bool shift = false;
    bool alt = false;
    bool ctrl = false;
};

inline constexpr Size kCombinationDialogSize{354, 179};

// The dialog's top-left corner: centred on the main window, 40 pixels lower.
Point CombinationDialogPosition(const Rect& mainWindow);

class CombinationKeyDialog {
  public:
    // Opens the dialog (FormCreate): the initial state, and the title and button
    // texts of the current language. The result goes to `target`; the caller
    // has already cleared its pending result (Key_AssemblyClick).
    CombinationKeyDialog(ButtonAssignment& target, const text::Languages& languages);

    bool isOpen() const { return open_; }
    const std::string& title() const { return title_; }          // Str500
    const std::string& confirmText() const { return confirm_; }  // Str501
    const std::string& clearText() const { return clear_; }      // Str502

    const std::string& editText() const { return edit_; }
    int count() const { return count_; }
    const std::string& keyText() const { return keyText_; }
    const std::string& lastKeyName() const { return lastKeyName_; }
    const std::string& modifierText() const { return modifierText_; }
    std::uint8_t firstKey() const { return firstKey_; }
    std::uint8_t secondKey() const { return secondKey_; }
    const std::string& resultCode() const { return resultCode_; }
    bool checked(Modifier modifier) const { return checked_[Index(modifier)]; }

    // A key press in the edit. A third key starts over (the edit keeps only the
    // checked modifiers); the Windows keys and any press with Shift, Alt or Ctrl
    // held are swallowed. Returns whether the key was captured.
    bool Edt_AssemblyKeyDown(std::uint16_t virtualKey, ShiftState shift);

    // A check box has changed to `checked`. Checking rebuilds the edit as the
    // modifiers followed by the keys; unchecking removes that modifier's first
    // occurrence from the edit text.
    void ModifierClick(Modifier modifier, bool checked);
    void CB_CtrlClick(bool checked) { ModifierClick(Modifier::Ctrl, checked); }
    void CB_ShiftClick(bool checked) { ModifierClick(Modifier::Shift, checked); }
    void CB_AltClick(bool checked) { ModifierClick(Modifier::Alt, checked); }
    void CB_WinClick(bool checked) { ModifierClick(Modifier::Win, checked); }

    // The modifier mask of the checked boxes.
    std::uint8_t RefreshModify() const;
    // The names of the checked boxes joined by "+", in the order Ctrl, Shift,
    // Alt, Win.
    std::string RefreshControl() const;

    // Confirm: the code "02" + mask + first key + second key and the edit text
    // become the target's pending result, which is applied to the button
    // selected now; the dialog closes.
    void IB_ConfirmClick();
    // Clear: everything back to the initial state, the target's pending result
    // cleared; the dialog stays open.
    void IB_CancelClick();
    // Close without touching the pending result.
    void IB_CloseClick();

  private:
    static std::size_t Index(Modifier modifier) { return static_cast<std::size_t>(modifier); }
    void reset();

    ButtonAssignment& target_;
    std::string title_;
    std::string confirm_;
    std::string clear_;
    bool open_ = true;

    std::string edit_;
    int count_ = 0;
    std::string keyText_;
    std::string lastKeyName_;
    std::string modifierText_;
    std::array<bool, 4> checked_{};
    std::uint8_t firstKey_ = 0;
    std::uint8_t secondKey_ = 0;
    std::string resultCode_;
};

}  // namespace vtr::keys

#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "image/ConfigImage.h"
#include "keys/FireKey.h"
#include "keys/FunctionCode.h"
#include "keys/MacroDirectory.h"
#include "text/Caption.h"
#include "text/Language.h"

// The Main Control page's nine button labels Key1 ... Key9 without their
// drawing: each button's code text, its three bytes in the button function table
// of the working image, and the caption its label shows; the selected button;
// and what picking from the button menus does.
namespace vtr::keys {

// What the combination-key dialog hands back.
struct PendingCombination {
    bool confirmed = false;
    std::string displayText;
    std::string codeText;  // eight digits: "02", modifier mask, first key, second key
};

class ButtonAssignment {
  public:
    // Writes the table bytes into the profile section of `working`, reads texts
    // from `languages` (current language) and the fire-key values from
    // `fireKey`; all must outlive the model. Starts with empty code texts and
    // captions and no button selected.
    ButtonAssignment(image::WorkingImage& working, const text::Languages& languages,
                     FireKey& fireKey, const MacroDirectory& macros);

    // The macros the names and macro picks come from from now on.
    void setMacros(const MacroDirectory& macros) { macros_ = &macros; }
    const MacroDirectory& macros() const { return *macros_; }

    // The nine code texts, Key1 ... Key9. The codec fills them from the table
    // bytes when it decodes an image (and reads them to find the fire-key
    // buttons); it then calls RefreshProfileKeys.
    CodeTexts& codeTexts() { return codeTexts_; }
    const CodeTexts& codeTexts() const { return codeTexts_; }

    // Button numbers are 1..9; other numbers give empty values and change nothing.
    const std::string& codeText(int button) const;
    const text::Caption& caption(int button) const;
    const std::string& captionText(int button) const { return caption(button).text; }
    // The button's three bytes in the working image's button function table.
    CodeBytes tableBytes(int button) const;

    // Gives a button a code: the code text and its three table bytes in one
    // step. Refused (false, nothing changed) for a text without bytes.
    bool setCode(int button, std::string code);
    void setCaption(int button, text::Caption caption);

    // 1..9, or -1 after a label whose name does not end in a digit; 0 before
    // any label was clicked.
    int selectedButton() const { return selected_; }
    // A click on a button label ("Key3"): selects the button named by the
    // label's last character.
    void ShowPnlMain_OnClick(std::string_view labelName);

    // A function item with this menu tag is picked for the selected button. The
    // caption becomes the item's name; then the pick stands only while at least
    // one of the nine captions (the new one included) reads Str210 ("Left Key"),
    // so the last Left Key cannot be given away. A refused pick puts the old
    // caption back and leaves the code alone. Returns whether the code changed;
    // an unknown tag or no selected button change nothing.
    bool KeyStatusOnClick(int tag);

    // A row of the macro list is picked for the selected button: its caption
    // becomes the macro's name, its code the macro code of the slot's start
    // address. No Left-key guard. A row outside the start-address table changes
    // nothing.
    bool LB_NameClick(int row);

    // The combination-key dialog is about to open: the pending result is
    // cleared.
    void Key_AssemblyClick();
    PendingCombination& pendingCombination() { return pending_; }
    const PendingCombination& pendingCombination() const { return pending_; }
    // Puts a confirmed pending result on the button selected now: caption the
    // display text, code text all eight digits, table bytes the first three
    // bytes. No Left-key guard. Returns whether the button changed.
    bool ApplyCombinationKey();

    // Every caption from its code text (after a decode, and whenever the Main
    // Control page is shown).
    void RefreshProfileKeys();
    // After a language switch: captions that came from the language tables take
    // the new language's text of their key; keyboard names, macro names and
    // combinations stay.
    void RetranslateCaptions();

    // Gives a button its fallback function (a button whose macro has gone):
    // the fallback item's name and code, Key7's fire key with the fire-key
    // values current now, Key8 "Win+D". No Left-key guard.
    void ApplyFallback(int button);

    // --- macro bookkeeping ---
    // A button carries a macro when its code is a macro code ("06" and an
    // address) and its caption equals the macro's name: bindings follow names,
    // not addresses, because macros move whenever an earlier one changes size.

    // Before a macro is cleared or deleted (device type 10): marks every button
    // carrying one of the macros of the list. Other types only clear the marks.
    void InitKeysParameters();
    // After a macro was cleared or deleted. Type 2: a button carrying "Macro" m
    // whose slot m holds no macro (slotHasMacro[m - 1] false, or beyond the span)
    // gets its fallback function. Type 10: every marked button is unmarked and
    // takes the address of the last macro of the list with its caption as name,
    // or its fallback function when there is none.
    void RefreshKeysParameters(std::span<const bool> slotHasMacro);
    // Before macros are written to the mouse: every button carrying a macro
    // takes that macro's current start address ("Macro1" ... "Macro5" for
    // type 2, the list's names for type 10; the last equal name wins).
    void RefreshMacroAddr();
    bool macroMark(int button) const { return valid(button) && macroMarks_[button - 1]; }

  private:
    bool valid(int button) const { return button >= 1 && button <= kButtonCount; }
    // The caption a menu pick gives: the item's caption without its marker.
    text::Caption itemCaption(std::string_view textKey) const;
    // The code of a menu tag with the fire-key boxes normalised first.
    std::string codeForTag(int tag);
    bool carriesMacroCode(int button) const;
    // The button carries a macro code and its caption is `name`.
    bool carriesMacro(int button, const std::string& name) const;

    image::WorkingImage& working_;
    const text::Languages& languages_;
    FireKey& fireKey_;
    const MacroDirectory* macros_;
    CodeTexts codeTexts_;
    std::array<text::Caption, kButtonCount> captions_;
    int selected_ = 0;
    PendingCombination pending_;
    std::array<bool, kButtonCount> macroMarks_{};
};

}  // namespace vtr::keys

#pragma once

#include <string>
#include <string_view>

#include "text/NumberBox.h"

// The two kinds of text input of the macro page: the delay boxes (milliseconds)
// and the macro name input of the name dialog.
namespace vtr::macros {

inline constexpr int kMinDelay = 1;
inline constexpr int kMaxDelay = 10200;
inline constexpr int kInitialDelay = 50;
// The name input takes at most 14 UTF-16 code units.
inline constexpr std::size_t kMaxMacroNameLength = 14;

// A delay box (Edt_Delay, Edt_InsertDelay): digits only, at most five, initially
// "50". After every change a value above 10200 becomes "10200" and a value
// below 1 becomes "1"; an emptied box stays empty while typing and counts as 1.
class DelayEdit {
  public:
    DelayEdit() = default;

    const std::string& text() const { return box_.text(); }
    // The value the box stands for: 1 ... 10200.
    int value() const { return box_.value(); }

    // Typing a character (digits; Backspace is 8); returns whether it was taken.
    bool type(char c);
    // Pasted text: its digits as far as there is room.
    void insert(std::string_view text);
    // Replaces the text as the program or a script does, then applies the rule.
    void setText(std::string_view text);
    void setValue(int value) { setText(std::to_string(value)); }

    // Read-only boxes refuse typing; the program can still set them.
    bool editable() const { return editable_; }
    void setEditable(bool editable) { editable_ = editable; }

  private:
    void change();

    text::NumberBox box_{{.emptyDefault = kMinDelay, .largest = kMaxDelay, .maxLength = 5},
                         std::to_string(kInitialDelay)};
    bool editable_ = true;
};

// The name dialog's input (Edt_MacroName): UTF-8 text of at most 14 UTF-16 code
// units; a character that would be the 15th is refused, pasted text is cut.
class MacroNameInput {
  public:
    const std::string& text() const { return text_; }
    // Typing or pasting: the text is appended as far as the limit allows (never
    // splitting a character). Returns whether all of it was taken.
    bool insert(std::string_view text);
    // Backspace: removes the last character.
    void backspace();
    // IB_CancelClick: the input is emptied; the dialog stays open.
    void IB_CancelClick() { text_.clear(); }

  private:
    std::string text_;
};

// The name as the input would hold it: at most 14 UTF-16 code units, cut before
// a character that would not fit.
std::u16string LimitMacroName(std::u16string_view name);

}  // namespace vtr::macros

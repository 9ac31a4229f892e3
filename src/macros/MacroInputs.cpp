#include "macros/MacroInputs.h"

#include "text/Utf.h"

namespace vtr::macros {

bool DelayEdit::type(char c) {
    if (!editable_ || !box_.type(c)) {
        return false;
    }
    change();
    return true;
}

void DelayEdit::insert(std::string_view text) {
    if (!editable_) {
        return;
    }
    box_.insert(text);
    change();
}

void DelayEdit::setText(std::string_view text) {
    box_.setText(std::string(text));
    change();
}

void DelayEdit::change() {
    if (box_.text().empty()) {
        return;
    }
    std::string text = box_.normalised(box_.text());
    if (text.find_first_not_of('0') == std::string::npos) {
        text = std::to_string(kMinDelay);
    }
    box_.setText(std::move(text));
}

std::u16string LimitMacroName(std::u16string_view name) {
    std::u16string limited(name.substr(0, kMaxMacroNameLength));
    // Do not keep half of a surrogate pair.
    if (limited.size() < name.size() && !limited.empty() && limited.back() >= 0xD800 &&
        limited.back() <= 0xDBFF) {
        limited.pop_back();
    }
    return limited;
}

bool MacroNameInput::insert(std::string_view text) {
    const std::u16string current = text::ToUtf16(text_);
    const std::u16string added = text::ToUtf16(text);
    const std::u16string limited = LimitMacroName(current + added);
    text_ = text::ToUtf8(limited);
    return limited.size() == current.size() + added.size();
}

void MacroNameInput::backspace() {
    std::u16string units = text::ToUtf16(text_);
    if (units.empty()) {
        return;
    }
    units.pop_back();
    if (!units.empty() && units.back() >= 0xD800 && units.back() <= 0xDBFF) {
        units.pop_back();
    }
    text_ = text::ToUtf8(units);
}

}  // namespace vtr::macros

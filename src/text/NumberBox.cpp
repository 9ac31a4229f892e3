#include "text/NumberBox.h"

#include <algorithm>
#include <cctype>

namespace vtr::text {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Digits only, so the value is bounded by the length: no overflow for lengths
// up to nine characters.
long long decimal(std::string_view digits) {
    long long value = 0;
    for (char c : digits) {
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

bool NumberBox::type(char c) {
    if (c == 8) {
        if (!text_.empty()) {
            text_.pop_back();
        }
        return true;
    }
    if (!isDigit(c) || static_cast<int>(text_.size()) >= rule_.maxLength) {
        return false;
    }
    text_.push_back(c);
    return true;
}

void NumberBox::insert(std::string_view text) {
    for (char c : text) {
        if (isDigit(c) && static_cast<int>(text_.size()) < rule_.maxLength) {
            text_.push_back(c);
        }
    }
}

std::string NumberBox::normalised(std::string_view text) const {
    if (text.empty() || (rule_.oneMeansEmpty && text == "1")) {
        return std::to_string(rule_.emptyDefault);
    }
    // A text the program set may hold anything; what is not a number counts as
    // its default rather than as garbage.
    if (!std::all_of(text.begin(), text.end(), isDigit) || text.size() > 9) {
        return std::all_of(text.begin(), text.end(), isDigit) ? std::to_string(rule_.largest)
                                                              : std::to_string(rule_.emptyDefault);
    }
    if (decimal(text) > rule_.largest) {
        return std::to_string(rule_.largest);
    }
    return std::string(text);
}

void NumberBox::normalise() {
    text_ = normalised(text_);
}

int NumberBox::value() const {
    return static_cast<int>(decimal(normalised(text_)));
}

}  // namespace vtr::text

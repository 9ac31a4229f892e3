#pragma once

#include <string>
#include <string_view>

namespace vtr::text {

// A small decimal entry box: at most `maxLength` characters, digits only. On
// leaving it (and again before its value is used) an empty text becomes the
// default, a value above the largest becomes the largest, anything else stays as
// typed ("007" stays "007"). Some boxes also treat exactly "1" as empty.
class NumberBox {
  public:
    struct Rule {
        int emptyDefault = 0;
        int largest = 255;
        bool oneMeansEmpty = false;
        int maxLength = 3;
    };

    explicit NumberBox(Rule rule, std::string initial = {})
        : rule_(rule), text_(std::move(initial)) {}

    const std::string& text() const { return text_; }
    // Sets the text as the program does (a decoded value), without filtering.
    void setText(std::string text) { text_ = std::move(text); }
    void setValue(int value) { text_ = std::to_string(value); }

    // Typing: digits are taken while there is room, Backspace (8) removes the
    // last character, everything else is discarded. Returns whether it was taken.
    bool type(char c);
    // Pasting or any text from outside: the digits of `text`, as far as there is
    // room after the current text.
    void insert(std::string_view text);

    // The leave rule, applied to the text.
    void normalise();
    // The value the rule gives, without changing the text.
    int value() const;

    // The text the leave rule makes of `text`.
    std::string normalised(std::string_view text) const;

    const Rule& rule() const { return rule_; }

  private:
    Rule rule_;
    std::string text_;
};

}  // namespace vtr::text

#pragma once

#include <map>
#include <string>
#include <string_view>

// The sectioned key files the window reads (language tables, layout
// descriptors): once split into lines, each line is trimmed; empty lines and
// lines beginning with ";" are ignored; "[name]" opens a section; "key=value"
// gives a key and a value, both trimmed. Names are compared without regard to
// case, and only the keys of one section are kept (the first of equal keys).
namespace vtr::text {

// Spaces, line breaks and the other control characters; every byte of a
// multi-byte UTF-8 character is above 0x7F, so bytes never split a character.
inline bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}
std::string_view Trim(std::string_view s);
std::string LowerCase(std::string_view s);

class KeyFileSection {
  public:
    explicit KeyFileSection(std::string_view section) : wanted_(LowerCase(Trim(section))) {}

    // One line (or item) of the file.
    void read(std::string_view line);
    // Lower-case key -> value.
    std::map<std::string, std::string, std::less<>> take() { return std::move(values_); }

  private:
    std::string wanted_;
    bool inSection_ = false;
    std::map<std::string, std::string, std::less<>> values_;
};

}  // namespace vtr::text

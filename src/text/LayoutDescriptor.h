#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A layout descriptor: the positions, visibility, font sizes and colours of the
// main window's controls for one language ("org1" ... "org3"), and the web
// button's address and place ("org").
//
// The bytes are 8-bit text split into lines at CR and LF. Each line is trimmed
// (spaces and other control characters); empty lines and lines beginning with
// ";" are ignored; "[name]" opens a section; any other line with "=" is
// key=value, split at the first "=", both trimmed. Lines without "=" (such as
// the "//" banner) and lines with an empty key are ignored. Only the keys of the
// named section count; keys and section names ignore case; when a key occurs
// twice the first one counts. Bytes above 0x7F (comments in other code pages)
// are kept as they are and never interpreted.
namespace vtr::text {

// A colour from three keys ending in _R, _G and _B, each 0..255.
struct Colour {
    int red = 0;
    int green = 0;
    int blue = 0;

    // R + 256 G + 65536 B, the form the descriptors' colours take in the window.
    int value() const { return red + 256 * green + 65536 * blue; }
    bool operator==(const Colour&) const = default;
};

class LayoutDescriptor {
  public:
    LayoutDescriptor() = default;
    // Reads a descriptor; `section` names the section whose keys count ("org1").
    // Never reads outside `bytes`; anything malformed just yields fewer keys.
    static LayoutDescriptor Parse(std::span<const std::uint8_t> bytes, std::string_view section);

    bool contains(std::string_view key) const;
    // The value as written (trimmed), or nothing when the key is missing.
    std::optional<std::string> text(std::string_view key) const;
    // The value as a decimal integer: an optional sign and digits, nothing else,
    // within the range of int. Anything else, or a missing key, gives nothing.
    std::optional<int> integer(std::string_view key) const;
    // `prefix`_R, `prefix`_G and `prefix`_B as a colour; nothing unless all three
    // are integers in 0..255.
    std::optional<Colour> colour(std::string_view prefix) const;

    std::size_t size() const { return values_.size(); }
    // Every key, in lower case, sorted.
    std::vector<std::string> keys() const;

  private:
    std::map<std::string, std::string, std::less<>> values_;  // lower-case key -> value
};

}  // namespace vtr::text

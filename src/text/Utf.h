#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Conversions between UTF-16 and UTF-8. Both directions accept any input: what
// is not well-formed becomes U+FFFD, so the result is always well-formed.
namespace vtr::text {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string ToUtf8(std::u16string_view text);

// UTF-8 to UTF-16. Each ill-formed sequence (a stray continuation byte, a cut
// sequence, an overlong form, an encoded surrogate, a value above U+10FFFF)
// becomes one U+FFFD per maximal ill-formed part, as the Unicode standard
// recommends.
std::u16string ToUtf16(std::string_view text);

// UTF-16 little-endian bytes to UTF-8, byte-order mark included if present; an
// odd last byte becomes U+FFFD.
std::string Utf16LeToUtf8(std::span<const std::uint8_t> bytes);

}  // namespace vtr::text

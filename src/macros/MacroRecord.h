#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Macro records as the mouse stores them: a length byte L (1 + the number of
// step bytes), the step bytes, and a check byte over the L bytes before it. In
// the type-10 layout each record follows a 32-byte name field (UTF-16, high byte
// first, zero-filled).
namespace vtr::macros {

inline constexpr std::size_t kNameFieldSize = 32;
inline constexpr std::size_t kMaxMacros10 = 15;
inline constexpr std::size_t kBaseAddress10 = 544;

// Step bytes.
namespace step {
inline constexpr std::uint8_t kKeyPress = 0x82;
inline constexpr std::uint8_t kKeyRelease = 0x02;
inline constexpr std::uint8_t kModifierPress = 0x81;
inline constexpr std::uint8_t kModifierRelease = 0x01;
inline constexpr std::uint8_t kDelay = 0xFE;        // followed by n, a delay of n x 8 ms
inline constexpr std::uint8_t kButtonPress = 0x80;  // | 0x20 | button bit
inline constexpr std::uint8_t kButtonBase = 0x20;
inline constexpr std::uint8_t kCtrl = 0x01;
inline constexpr std::uint8_t kShift = 0x02;
inline constexpr std::uint8_t kAlt = 0x04;
inline constexpr std::uint8_t kLeftWin = 0x08;
inline constexpr std::uint8_t kRightWin = 0x80;
inline constexpr std::uint8_t kLeftButton = 0x01;
inline constexpr std::uint8_t kRightButton = 0x02;
inline constexpr std::uint8_t kMiddleButton = 0x04;
}  // namespace step

// [L, steps..., check]; nothing when the steps do not fit a length byte.
std::optional<std::vector<std::uint8_t>> MakeRecord(std::span<const std::uint8_t> steps);
bool RecordIsValid(std::span<const std::uint8_t> record);

std::array<std::uint8_t, kNameFieldSize> MakeNameField(std::u16string_view name);
std::u16string ReadNameField(std::span<const std::uint8_t, kNameFieldSize> field);

// One type-10 macro as found in an area.
struct MacroEntry10 {
    std::u16string name;
    std::size_t offset = 0;            // of the name field within the area
    std::vector<std::uint8_t> record;  // L + 1 bytes
    bool valid = false;                // check byte verifies
};

// Lists the macros of a type-10 area up to the first zero length byte or the
// fifteenth entry. Records that would run past the area end the list.
std::vector<MacroEntry10> ListMacros10(std::span<const std::uint8_t> area);

}  // namespace vtr::macros

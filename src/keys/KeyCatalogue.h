#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// The keyboard keys the editor knows: for each, the Windows virtual-key code in
// which key presses arrive, the name shown to the user, and the device key code
// the mouse understands (a USB HID Keyboard/Keypad usage, except 0xC0..0xD1,
// which are the mouse's own codes for browser, volume, media and mail keys).
namespace vtr::keys {

inline constexpr int kKeyCount = 144;

// The key a virtual key does not name: every unlisted virtual key maps here.
inline constexpr int kNoKeyIndex = 0;
// Virtual key 0xFF; the macro recorder ignores it.
inline constexpr int kKey255Index = 2;

struct KeyEntry {
    std::string_view name;
    // -1 for the entries that no virtual key selects directly (0 and 1).
    int virtualKey = -1;
    // 0x00 when the key has no device code.
    std::uint8_t deviceKey = 0;
};

// All 144 entries, by index.
std::span<const KeyEntry> KeyCatalogue();

// The generic key of a side-specific modifier (left or right Shift, Ctrl,
// Alt: 0xA0..0xA5 become 0x10, 0x11, 0x12), as raw keyboard input reports
// them; any other key as it is.
std::uint16_t GenericModifier(std::uint16_t virtualKey);

// The entry for a virtual key; 0 ("None") for every value not listed.
int VirtualKeyToKeyIndex(std::uint16_t virtualKey);
// The entry's name; empty for an index outside 0..143 (and for entry 1).
std::string_view KeyIndexToName(int index);
// The entry's device key code; 0x00 for entries without one and for an index
// outside 0..143.
std::uint8_t KeyIndexToDeviceKey(int index);
// The name of a stored device key code. The generic modifiers share their codes
// with the left-hand keys and come back as "Left Ctrl", "Left Shift" and
// "Left Alt"; both Windows keys come back as "Win". 0x00 and every code no entry
// carries give the empty text.
std::string_view DeviceKeyToName(std::uint8_t deviceKey);

}  // namespace vtr::keys

#pragma once

#include <Qt>
#include <cstdint>
#include <span>

#include "keys/CombinationKey.h"

// Qt's key events in the form the key models take them: Windows virtual-key
// codes with the held Shift, Alt and Ctrl. A key on the numeric keypad is told
// apart by Qt's keypad modifier.
namespace vtr::shell {

struct QtKeyMapping {
    int qtKey;
    // The key as the numeric keypad sends it (Qt::KeypadModifier set).
    bool keypad;
    std::uint16_t virtualKey;
};

// Every Qt key this translation knows, with its virtual key.
std::span<const QtKeyMapping> QtKeyMappings();

// The virtual key of a Qt key; a keypad key without a keypad entry of its own
// (Home on the keypad without Num Lock) takes the main key's. 0 for keys
// without one.
std::uint16_t VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers);

// The held Shift, Alt and Ctrl. A modifier key counts as held while it is
// being pressed, as it does for a Windows key-down.
keys::ShiftState ShiftStateOf(int qtKey, Qt::KeyboardModifiers modifiers);

}  // namespace vtr::shell

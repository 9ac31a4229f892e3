#pragma once

#include <cstdint>
#include <optional>

#include "platform/InputCapture.h"

// Translation of what the X server reports (keysyms, keycodes, pointer button
// numbers) into what the macro recorder understands: Windows virtual-key codes
// as Windows raw keyboard input reports them, and the five mouse buttons.
// Plain tables: no X headers are needed to use them.
namespace vtr::platform {

// The virtual key of a key whose (unshifted) keysym is `keysym`; nothing for a
// keysym that names no key the recorder knows.
//
// - Letters give 'A'..'Z' in either case, digits '0'..'9', and the punctuation
//   keys of a US layout their OEM codes (';' VK_OEM_1 ... '\'' VK_OEM_7, '<' of
//   the extra ISO key VK_OEM_102).
// - Both sides of Shift, Ctrl and Alt give the generic 0x10, 0x11 and 0x12, as
//   raw input does; AltGr (ISO_Level3_Shift, Mode_switch) and Meta count as Alt.
//   The Windows (Super) keys give 0x5B on the left and 0x5C on the right.
// - A keypad key is known by its place on the pad, whichever of its two keysyms
//   the server gave: with Num Lock on the digit keys give VK_NUMPAD0..9 and the
//   decimal key VK_DECIMAL, with it off they give the arrows, Home, End, Page
//   Up/Down, Insert, Delete and (the middle key) VK_CLEAR. The operator keys and
//   keypad Enter do not depend on Num Lock.
// - F1..F24, and the browser, volume, media, mail and launch keys (XF86 keysyms).
std::optional<std::uint16_t> VirtualKeyFromKeysym(std::uint32_t keysym, bool numLock);

// The virtual key of a key by its keycode, for keys whose keysym names nothing
// above (F13..F24 and some browser keys are absent from common keymaps; on a
// layout without Latin letters the letter and punctuation keys are known by
// their place, as Windows does). Keycodes are those of the evdev and libinput
// drivers, Xwayland and Xvfb (Linux input codes + 8). Nothing for others.
std::optional<std::uint16_t> VirtualKeyFromKeycode(unsigned keycode);

// The mouse button of an X pointer button number: 1 left, 2 middle, 3 right,
// 8 backward, 9 forward. Nothing for the wheel (4..7) and any other button.
std::optional<CaptureButton> CaptureButtonFromPointerButton(unsigned button);

}  // namespace vtr::platform

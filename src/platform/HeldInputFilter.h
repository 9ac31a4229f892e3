#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "platform/InputCapture.h"

namespace vtr::platform {

// Turns a stream of raw presses and releases, which may repeat a press or
// release what was never pressed, into one where every reported press is
// followed by exactly one release before the next press of the same key or
// button.
//
// Keys are tracked by keycode (one physical key each) and reported by virtual
// key. Two keys that share a virtual key (left and right Shift, say) count as
// one: the virtual key goes down with the first of them and up with the last.
// A release reports the virtual key its press had, whatever the key means by
// then (Num Lock may have changed in between).
class HeldInputFilter {
  public:
    // Keycodes from 0 to 255 are tracked; others are dropped.
    static constexpr unsigned kKeycodeCount = 256;

    // Key `keycode` went down, meaning `virtualKey`: that virtual key to report
    // down, or nothing when the key is down already or another key holds the
    // virtual key down.
    std::optional<std::uint16_t> keyDown(unsigned keycode, std::uint16_t virtualKey);
    // Key `keycode` went up: the virtual key to report up, or nothing when the
    // key was not down or another key still holds its virtual key down.
    std::optional<std::uint16_t> keyUp(unsigned keycode);
    // Whether to report a press (or release) of `button`: only when it was up
    // (down).
    bool buttonPress(CaptureButton button);
    bool buttonRelease(CaptureButton button);

  private:
    // The virtual key each held keycode went down with; -1 when up.
    std::array<std::int32_t, kKeycodeCount> heldKeys_ = filled();
    std::array<bool, 5> heldButtons_{};

    static std::array<std::int32_t, kKeycodeCount> filled();
    int holders(std::int32_t virtualKey) const;
};

}  // namespace vtr::platform

#include "platform/HeldInputFilter.h"

#include <algorithm>

namespace vtr::platform {

std::array<std::int32_t, HeldInputFilter::kKeycodeCount> HeldInputFilter::filled() {
    std::array<std::int32_t, kKeycodeCount> keys{};
    keys.fill(-1);
    return keys;
}

int HeldInputFilter::holders(std::int32_t virtualKey) const {
    return static_cast<int>(std::count(heldKeys_.begin(), heldKeys_.end(), virtualKey));
}

std::optional<std::uint16_t> HeldInputFilter::keyDown(unsigned keycode, std::uint16_t virtualKey) {
    if (keycode >= kKeycodeCount || heldKeys_[keycode] != -1) {
        return std::nullopt;
    }
    const bool first = holders(virtualKey) == 0;
    heldKeys_[keycode] = virtualKey;
    return first ? std::optional<std::uint16_t>(virtualKey) : std::nullopt;
}

std::optional<std::uint16_t> HeldInputFilter::keyUp(unsigned keycode) {
    if (keycode >= kKeycodeCount || heldKeys_[keycode] == -1) {
        return std::nullopt;
    }
    const std::int32_t virtualKey = heldKeys_[keycode];
    heldKeys_[keycode] = -1;
    if (holders(virtualKey) != 0) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(virtualKey);
}

bool HeldInputFilter::buttonPress(CaptureButton button) {
    const auto index = static_cast<std::size_t>(button);
    if (index >= heldButtons_.size() || heldButtons_[index]) {
        return false;
    }
    heldButtons_[index] = true;
    return true;
}

bool HeldInputFilter::buttonRelease(CaptureButton button) {
    const auto index = static_cast<std::size_t>(button);
    if (index >= heldButtons_.size() || !heldButtons_[index]) {
        return false;
    }
    heldButtons_[index] = false;
    return true;
}

}  // namespace vtr::platform

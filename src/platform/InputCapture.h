#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// System-wide key and mouse-button capture for the macro recorder: every key
// and button the user presses in any window, seen but never consumed.
namespace vtr::platform {

enum class CaptureButton { Left, Right, Middle, Forward, Backward };

// What a capture delivers, always on the thread that called `start` (the
// user-interface thread).
struct CaptureSink {
    // A key went down or up, as a Windows virtual-key code (both sides of
    // Shift, Ctrl and Alt as 0x10, 0x11, 0x12; the Windows keys 0x5B, 0x5C).
    // A key already down is not reported down again, nor a key not down up.
    std::function<void(std::uint16_t virtualKey, bool down)> key;
    // One of the five mouse buttons went down (press) or up.
    std::function<void(CaptureButton button, bool press)> button;
};

class InputCapture {
  public:
    virtual ~InputCapture() = default;
    // Starts delivering events to `sink`. False when this system offers no
    // capture; `error` then says why, in words for the user.
    virtual bool start(CaptureSink sink, std::string& error) = 0;
    // Stops delivering; nothing reaches the sink after it returns.
    virtual void stop() = 0;
    virtual bool running() const = 0;
};

// The capture of this system (the X server's raw input on Linux).
std::unique_ptr<InputCapture> OpenSystemInputCapture();

}  // namespace vtr::platform

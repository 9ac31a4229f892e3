#pragma once

#include <memory>
#include <string>

#include "platform/InputCapture.h"

namespace vtr::platform {

// Capture through an X server's input extension (XInput 2 raw events): every
// key and mouse button of every keyboard and pointer the server knows, whatever
// window has the focus, without taking anything away from that window. Works on
// an X11 desktop and, for the windows XWayland shows, on a Wayland desktop.
//
// The capture has an X connection of its own (to $DISPLAY) and a thread that
// reads it; each event is posted to the thread that called `start`, which must
// run a Qt event loop. Keys are reported by the keysym their key has with no
// modifier but Num Lock held, in the keyboard's current group (see
// `VirtualKeyFromKeysym`), else by their place (`VirtualKeyFromKeycode`); keys
// neither names are not reported. Buttons 1, 2, 3, 8 and 9 are the left,
// middle, right, backward and forward buttons; the wheel is not reported.
//
// `start` fails, with a text for the user, when there is no event loop, no X
// server to reach (no $DISPLAY: a text console, or Wayland without XWayland),
// or an X server without the input extension's version 2. If the X server
// goes away while a capture runs, the capture reports nothing more and the
// program goes on.
//
// The capture must not be destroyed from inside one of its sink's calls;
// stopping it there is fine.
class X11InputCapture final : public InputCapture {
  public:
    X11InputCapture();
    ~X11InputCapture() override;
    X11InputCapture(const X11InputCapture&) = delete;
    X11InputCapture& operator=(const X11InputCapture&) = delete;

    bool start(CaptureSink sink, std::string& error) override;
    void stop() override;
    bool running() const override;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace vtr::platform

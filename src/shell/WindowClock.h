#pragma once

#include "device/Clock.h"

namespace vtr::shell {

// The real clock for the window: a sleep longer than 10 ms is taken in 10 ms
// steps, and between the steps the window repaints and its timers run (user
// input waits for the editor's own message pumping), so that a long wait
// never freezes the picture.
class WindowClock final : public device::Clock {
  public:
    static constexpr int kStepMs = 10;

    void sleepMs(int ms) override;
    std::uint64_t nowMs() override;

  private:
    device::SystemClock system_;
};

}  // namespace vtr::shell

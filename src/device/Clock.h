#pragma once

#include <chrono>
#include <cstdint>
#include <vector>

namespace vtr::device {

// Time as the transport sees it. The real clock sleeps; the virtual clock only
// advances its counter and remembers the sleeps, so protocol tests run in no time.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual void sleepMs(int ms) = 0;
    virtual std::uint64_t nowMs() = 0;
};

class SystemClock final : public Clock {
  public:
    void sleepMs(int ms) override;
    std::uint64_t nowMs() override;
};

class VirtualClock final : public Clock {
  public:
    void sleepMs(int ms) override {
        now_ += static_cast<std::uint64_t>(ms);
        sleeps_.push_back(ms);
    }
    std::uint64_t nowMs() override { return now_; }

    const std::vector<int>& sleeps() const { return sleeps_; }
    void clearSleeps() { sleeps_.clear(); }

  private:
    std::uint64_t now_ = 0;
    std::vector<int> sleeps_;
};

}  // namespace vtr::device

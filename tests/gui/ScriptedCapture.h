#pragma once

#include <string>

#include "platform/InputCapture.h"

namespace vtr::shell {

// A capture the test drives: it hands the sink's events over when told, and
// can refuse to start with the words a real capture would give.
class ScriptedCapture final : public platform::InputCapture {
  public:
    bool start(platform::CaptureSink sink, std::string& error) override {
        ++starts;
        if (!refusal.empty()) {
            error = refusal;
            return false;
        }
        sink_ = std::move(sink);
        running_ = true;
        return true;
    }
    void stop() override {
        ++stops;
        running_ = false;
        sink_ = {};
    }
    bool running() const override { return running_; }

    // Events as the capture would deliver them (nothing while stopped).
    void key(std::uint16_t virtualKey, bool down) {
        if (running_ && sink_.key) {
            sink_.key(virtualKey, down);
        }
    }
    void button(platform::CaptureButton button, bool press) {
        if (running_ && sink_.button) {
            sink_.button(button, press);
        }
    }

    // Non-empty: `start` fails with these words.
    std::string refusal;
    int starts = 0;
    int stops = 0;

  private:
    platform::CaptureSink sink_;
    bool running_ = false;
};

}  // namespace vtr::shell

#include "platform/InputCapture.h"

namespace vtr::platform {

namespace {

// A system without any capture the editor knows.
class NoCapture final : public InputCapture {
  public:
    bool start(CaptureSink, std::string& error) override {
        error = "Recording keys and mouse buttons is not available on this system.";
        return false;
    }
    void stop() override {}
    bool running() const override { return false; }
};

}  // namespace

std::unique_ptr<InputCapture> OpenSystemInputCapture() {
    return std::make_unique<NoCapture>();
}

}  // namespace vtr::platform

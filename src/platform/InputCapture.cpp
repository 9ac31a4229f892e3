#include "platform/InputCapture.h"

#if defined(VTR_HAVE_X11_CAPTURE)
#include "platform/X11InputCapture.h"
#endif

namespace vtr::platform {

#if !defined(VTR_HAVE_X11_CAPTURE)
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
#endif

std::unique_ptr<InputCapture> OpenSystemInputCapture() {
#if defined(VTR_HAVE_X11_CAPTURE)
    // Without a reachable X server its start says why.
    return std::make_unique<X11InputCapture>();
#else
    return std::make_unique<NoCapture>();
#endif
}

}  // namespace vtr::platform

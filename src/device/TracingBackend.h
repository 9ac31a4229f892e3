#pragma once

#include <ostream>

#include "device/HidBackend.h"

namespace vtr::device {

// Wraps a backend and writes every feature report sent and received, in hex
// with its direction, to a stream:
//   send 04 04 00 00 2B 00 00 00
//   recv 04 00 00 00 00 00 00 CC
class TracingBackend final : public HidBackend {
  public:
    TracingBackend(HidBackend& inner, std::ostream& out) : inner_(inner), out_(out) {}

    std::vector<HidInterfaceInfo> enumerate() override { return inner_.enumerate(); }
    std::unique_ptr<HidDevice> open(const std::string& path, std::string* error) override;

  private:
    HidBackend& inner_;
    std::ostream& out_;
};

}  // namespace vtr::device

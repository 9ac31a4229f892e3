#pragma once

#include "device/HidBackend.h"

namespace vtr::device {

// The machine's real HID interfaces through hidapi (hidraw on Linux). The feature
// report length of an interface comes from its report descriptor.
class HidapiBackend final : public HidBackend {
  public:
    HidapiBackend();
    ~HidapiBackend() override;
    HidapiBackend(const HidapiBackend&) = delete;
    HidapiBackend& operator=(const HidapiBackend&) = delete;

    std::vector<HidInterfaceInfo> enumerate() override;
    std::unique_ptr<HidDevice> open(const std::string& path, std::string* error) override;
};

}  // namespace vtr::device

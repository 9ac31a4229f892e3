#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace vtr::device {

// One HID interface present on the machine.
struct HidInterfaceInfo {
    std::string path;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    // Longest feature report in bytes, report ID byte included; 0 when the
    // interface declares no feature report.
    std::uint16_t featureReportLength = 0;
};

// An open HID interface. Destroying it closes it.
class HidDevice {
  public:
    virtual ~HidDevice() = default;
    // Sends one feature report; report[0] is the report ID. Returns the number of
    // bytes sent, or -1 on failure.
    virtual int sendFeatureReport(std::span<const std::uint8_t> report) = 0;
    // Fetches one feature report into `report`; report[0] must hold the report ID
    // on entry. Returns the number of bytes received (ID included), or -1.
    virtual int getFeatureReport(std::span<std::uint8_t> report) = 0;
};

// The machine's HID interfaces: the hidapi one for real mice, the simulated
// mouse for tests and for running without hardware.
class HidBackend {
  public:
    virtual ~HidBackend() = default;
    virtual std::vector<HidInterfaceInfo> enumerate() = 0;
    // nullptr when the path cannot be opened. `error` (optional) gets the reason.
    virtual std::unique_ptr<HidDevice> open(const std::string& path,
                                            std::string* error = nullptr) = 0;
};

}  // namespace vtr::device

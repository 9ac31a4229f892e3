#include "device/TracingBackend.h"

#include <cstdio>
#include <string>

namespace vtr::device {

namespace {

void writeReport(std::ostream& out, const char* direction, std::span<const std::uint8_t> bytes,
                 int result) {
    std::string line = direction;
    if (result < 0) {
        line += " failed";
    } else {
        for (std::size_t i = 0; i < bytes.size() && i < static_cast<std::size_t>(result); ++i) {
            char hex[4];
            std::snprintf(hex, sizeof hex, " %02X", bytes[i]);
            line += hex;
        }
    }
    out << line << '\n';
}

class TracingDevice final : public HidDevice {
  public:
    TracingDevice(std::unique_ptr<HidDevice> inner, std::ostream& out)
        : inner_(std::move(inner)), out_(out) {}

    int sendFeatureReport(std::span<const std::uint8_t> report) override {
        const int result = inner_->sendFeatureReport(report);
        writeReport(out_, "send", report, result < 0 ? -1 : static_cast<int>(report.size()));
        return result;
    }
    int getFeatureReport(std::span<std::uint8_t> report) override {
        const int result = inner_->getFeatureReport(report);
        writeReport(out_, "recv", report, result);
        return result;
    }

  private:
    std::unique_ptr<HidDevice> inner_;
    std::ostream& out_;
};

}  // namespace

std::unique_ptr<HidDevice> TracingBackend::open(const std::string& path, std::string* error) {
    auto device = inner_.open(path, error);
    if (!device) {
        return nullptr;
    }
    return std::make_unique<TracingDevice>(std::move(device), out_);
}

}  // namespace vtr::device

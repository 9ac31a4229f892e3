#include "device/SimulatedMouse.h"

#include <algorithm>

#include "device/MouseDescriptors.h"
#include "device/Protocol.h"
#include "device/ReportDescriptor.h"
#include "image/FileIo.h"

namespace vtr::device {

class SimulatedMouse::Handle final : public HidDevice {
  public:
    Handle(SimulatedMouse& mouse, bool configInterface)
        : mouse_(mouse), configInterface_(configInterface) {
        ++mouse_.openHandles_;
    }
    ~Handle() override { --mouse_.openHandles_; }

    int sendFeatureReport(std::span<const std::uint8_t> report) override {
        return mouse_.sendFeature(report, configInterface_);
    }
    int getFeatureReport(std::span<std::uint8_t> report) override {
        return mouse_.getFeature(report, configInterface_);
    }

  private:
    SimulatedMouse& mouse_;
    bool configInterface_;
};

SimulatedMouse::SimulatedMouse(int deviceType) : firmware_(deviceType) {}

SimulatedMouse::~SimulatedMouse() {
    persistIfWritten();
}

std::optional<std::string> SimulatedMouse::attachFile(const std::filesystem::path& file,
                                                      int deviceType) {
    std::error_code ec;
    if (std::filesystem::exists(file, ec)) {
        std::string error;
        const auto bytes = image::ReadFileBytes(file, image::kEepromSize, error);
        if (!bytes) {
            return error;
        }
        if (bytes->size() != image::kEepromSize) {
            return file.string() + ": not a simulated mouse memory (" +
                   std::to_string(bytes->size()) + " bytes instead of " +
                   std::to_string(image::kEepromSize) + ")";
        }
        std::copy(bytes->begin(), bytes->end(), firmware_.eeprom().begin());
        file_ = file;
        return std::nullopt;
    }
    firmware_.eeprom() = MouseFirmware::FactoryEeprom(deviceType);
    if (file.has_parent_path()) {
        std::filesystem::create_directories(file.parent_path(), ec);
    }
    file_ = file;
    return save();
}

std::optional<std::string> SimulatedMouse::save() {
    if (!file_) {
        return std::nullopt;
    }
    return image::WriteFileAtomically(*file_, firmware_.eeprom());
}

void SimulatedMouse::persistIfWritten() {
    if (firmware_.takeWritten()) {
        save();
    }
}

std::vector<std::vector<std::uint8_t>> SimulatedMouse::sentReports() const {
    std::vector<std::vector<std::uint8_t>> sent;
    for (const ReportLogEntry& entry : log_) {
        if (entry.direction == ReportLogEntry::Direction::HostToDevice) {
            sent.push_back(entry.bytes);
        }
    }
    return sent;
}

std::vector<HidInterfaceInfo> SimulatedMouse::enumerate() {
    std::vector<HidInterfaceInfo> interfaces = others_;
    if (firmware_.plugged()) {
        interfaces.push_back({kPointerPath, protocol::kVendorId, protocol::kProductId, 0});
        interfaces.push_back(
            {kConfigPath, protocol::kVendorId, protocol::kProductId, protocol::kReportLength});
    }
    return interfaces;
}

std::unique_ptr<HidDevice> SimulatedMouse::open(const std::string& path, std::string* error) {
    const bool ours = path == kConfigPath || path == kPointerPath;
    if (ours && firmware_.plugged() && refuseOpen_) {
        if (error) {
            *error = "permission denied opening " + path;
        }
        return nullptr;
    }
    if (ours && firmware_.plugged()) {
        return std::make_unique<Handle>(*this, path == kConfigPath);
    }
    const bool other = std::any_of(others_.begin(), others_.end(),
                                   [&](const HidInterfaceInfo& i) { return i.path == path; });
    if (other) {
        // Other devices open but take no feature reports.
        return std::make_unique<Handle>(*this, false);
    }
    if (error) {
        *error = path + ": no such device";
    }
    return nullptr;
}

int SimulatedMouse::sendFeature(std::span<const std::uint8_t> report, bool configInterface) {
    if (logging_) {
        log_.push_back({ReportLogEntry::Direction::HostToDevice, {report.begin(), report.end()}});
    }
    if (!configInterface || !firmware_.receive(report)) {
        return -1;
    }
    if (report.size() > 1 && report[1] == protocol::CloseCmd) {
        persistIfWritten();
    }
    return static_cast<int>(report.size());
}

int SimulatedMouse::getFeature(std::span<std::uint8_t> report, bool configInterface) {
    if (!configInterface || !firmware_.answer(report)) {
        return -1;
    }
    if (logging_) {
        log_.push_back({ReportLogEntry::Direction::DeviceToHost, {report.begin(), report.end()}});
    }
    return static_cast<int>(std::min<std::size_t>(report.size(), protocol::kReportLength));
}

}  // namespace vtr::device

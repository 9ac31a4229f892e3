#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "device/HidBackend.h"
#include "device/MouseFirmware.h"

namespace vtr::device {

// One feature report as the simulated mouse saw it.
struct ReportLogEntry {
    enum class Direction { HostToDevice, DeviceToHost } direction;
    std::vector<std::uint8_t> bytes;
};

// A HID backend holding one simulated VTR6420KD mouse with the two interfaces of
// the real one: the configuration interface (8-byte feature report) and a plain
// mouse interface without feature reports. Optionally keeps its EEPROM in a file.
class SimulatedMouse final : public HidBackend {
  public:
    static constexpr const char* kConfigPath = "sim:vtr6420kd/config";
    static constexpr const char* kPointerPath = "sim:vtr6420kd/mouse";

    explicit SimulatedMouse(int deviceType = image::kDeviceType10);
    ~SimulatedMouse() override;

    // Attaches a file that holds the EEPROM: loaded when it exists, created from
    // the factory settings of `deviceType` otherwise, and rewritten (atomically)
    // whenever a transaction has changed the memory. Returns an error text, or
    // nothing on success.
    std::optional<std::string> attachFile(const std::filesystem::path& file, int deviceType);
    // Writes the EEPROM to the attached file now (atomically).
    std::optional<std::string> save();

    MouseFirmware& firmware() { return firmware_; }
    FirmwareFaults& faults() { return firmware_.faults(); }

    // Additional interfaces of other devices on the machine (for hot-plug and
    // selection tests).
    std::vector<HidInterfaceInfo>& otherInterfaces() { return others_; }

    // Every report, when logging is on.
    void setLogging(bool on) { logging_ = on; }
    const std::vector<ReportLogEntry>& log() const { return log_; }
    void clearLog() { log_.clear(); }
    // Reports sent to the mouse, in order.
    std::vector<std::vector<std::uint8_t>> sentReports() const;

    int openHandles() const { return openHandles_; }

    // The interfaces stay listed, but opening them fails as it does for a user
    // without access to the device node.
    void setRefuseOpen(bool refuse) { refuseOpen_ = refuse; }

    std::vector<HidInterfaceInfo> enumerate() override;
    std::unique_ptr<HidDevice> open(const std::string& path, std::string* error) override;

  private:
    class Handle;
    friend class Handle;

    int sendFeature(std::span<const std::uint8_t> report, bool configInterface);
    int getFeature(std::span<std::uint8_t> report, bool configInterface);
    void persistIfWritten();

    MouseFirmware firmware_;
    std::vector<HidInterfaceInfo> others_;
    std::optional<std::filesystem::path> file_;
    bool logging_ = false;
    std::vector<ReportLogEntry> log_;
    int openHandles_ = 0;
    bool refuseOpen_ = false;
};

}  // namespace vtr::device

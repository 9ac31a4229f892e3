#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "image/MemoryMap.h"

namespace vtr::device {

// Faults the simulated firmware can be told to show.
struct FirmwareFaults {
    bool silent = false;            // never answers: byte 7 stays 0
    std::uint8_t wrongAck = 0;      // non-zero: answers with this instead of 0xCC
    bool notReady = false;          // memory-ready flag clear in the status
    std::uint8_t signature = 0xAA;  // status byte 1
    int failChunk = -1;             // this chunk (0-based) of every range goes unanswered
    int unplugAfterReports = -1;    // the mouse disappears after this many reports to it
    int answerAfterPolls = 0;       // the answer shows only from this poll of a command on
};

// The mouse's firmware as far as the configuration protocol goes: a 1024-byte
// EEPROM and the eight commands of the 8-byte feature report with ID 4. Used by
// the simulated HID backend and by the uhid test device, so both behave alike.
class MouseFirmware {
  public:
    using Eeprom = std::array<std::uint8_t, image::kEepromSize>;

    // A fresh mouse of device type 2 or 10 with its factory settings.
    explicit MouseFirmware(int deviceType = image::kDeviceType10);

    // The factory EEPROM of a device type: the built-in defaults at their
    // addresses (type byte set), a valid macro area of the type, 0xFF elsewhere.
    static Eeprom FactoryEeprom(int deviceType);

    Eeprom& eeprom() { return eeprom_; }
    const Eeprom& eeprom() const { return eeprom_; }
    int deviceType() const { return eeprom_[image::kDeviceTypeAddress]; }

    FirmwareFaults& faults() { return faults_; }

    bool plugged() const { return plugged_; }
    void unplug() { plugged_ = false; }
    void plug() { plugged_ = true; }

    // A feature report from the host, report ID first. Returns false when it is
    // not taken (unplugged, wrong report ID or length).
    bool receive(std::span<const std::uint8_t> report);
    // Fills `report` (8 bytes, ID first) with the current answer. Returns false
    // when unplugged.
    bool answer(std::span<std::uint8_t> report);

    // True once since the EEPROM was last written by a command.
    bool takeWritten() {
        const bool written = written_;
        written_ = false;
        return written;
    }
    int reloads() const { return reloads_; }

  private:
    void handle(std::span<const std::uint8_t, 8> report);
    void acknowledge(std::uint8_t status = 0);
    bool skipFailingChunk();

    Eeprom eeprom_{};
    FirmwareFaults faults_;
    bool plugged_ = true;
    int reportsReceived_ = 0;
    int pollsSinceCommand_ = 0;
    std::array<std::uint8_t, 8> answer_{};

    // The announced range.
    bool writing_ = false;
    int pointer_ = 0;
    int remaining_ = 0;
    int chunkIndex_ = 0;
    int ignored_ = 0;

    bool written_ = false;
    int reloads_ = 0;
};

}  // namespace vtr::device

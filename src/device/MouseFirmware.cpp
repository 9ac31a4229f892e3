#include "device/MouseFirmware.h"

#include <algorithm>
#include <vector>

#include "device/Protocol.h"
#include "image/CheckByte.h"
#include "image/DefaultImage.h"

namespace vtr::device {

using namespace protocol;
namespace img = vtr::image;

namespace {

// A type-2 factory macro area: two small records packed from the start.
std::vector<std::uint8_t> factoryMacroArea2() {
    const std::vector<std::vector<std::uint8_t>> macros = {
        {0x81, 0x01, 0x82, 0x06, 0x02, 0x06, 0x01, 0x01},              // Ctrl+C
        {0xA1, 0xFE, 0x06, 0x21, 0xFE, 0x06, 0xA1, 0xFE, 0x06, 0x21},  // double click
    };
    std::vector<std::uint8_t> area(img::kMacroAreaSize2, 0);
    std::size_t p = 0;
    for (const auto& steps : macros) {
        std::vector<std::uint8_t> record(steps.size() + 2);
        record[0] = static_cast<std::uint8_t>(steps.size() + 1);
        std::copy(steps.begin(), steps.end(), record.begin() + 1);
        record.back() = img::CheckByte(std::span(record).first(steps.size() + 1));
        std::copy(record.begin(), record.end(), area.begin() + static_cast<long>(p));
        p += record.size();
    }
    return area;
}

}  // namespace

MouseFirmware::MouseFirmware(int deviceType) : eeprom_(FactoryEeprom(deviceType)) {}

MouseFirmware::Eeprom MouseFirmware::FactoryEeprom(int deviceType) {
    Eeprom eeprom;
    eeprom.fill(0xFF);
    const auto defaults = img::BuiltInDefaultImage();
    const int imageType = img::ReadDefaultHeader().imageType();
    std::copy_n(defaults.begin(), img::kParameterAreaSize, eeprom.begin());
    std::copy_n(defaults.begin() + img::kProfileFileProfileOffset, img::kProfileAreaSize,
                eeprom.begin() + img::kProfileAddress);
    eeprom[img::kDeviceTypeAddress] = static_cast<std::uint8_t>(deviceType);
    if (deviceType == imageType) {
        const auto area = defaults.subspan(img::kProfileFileMacroOffset);
        std::copy_n(area.begin(), std::min(area.size(), img::macroAreaSize(deviceType)),
                    eeprom.begin() + img::macroAreaAddress(deviceType));
    } else if (deviceType == img::kDeviceType2) {
        const auto area = factoryMacroArea2();
        std::copy(area.begin(), area.end(), eeprom.begin() + img::kMacroAddress2);
    } else {
        // A type-10 area without macros: a zero length byte after the first name.
        std::fill_n(eeprom.begin() + img::kMacroAddress10, img::kMacroAreaSize10, 0);
    }
    return eeprom;
}

bool MouseFirmware::receive(std::span<const std::uint8_t> report) {
    if (!plugged_ || report.size() != kReportLength || report[0] != kReportId) {
        return false;
    }
    ++reportsReceived_;
    if (faults_.unplugAfterReports >= 0 && reportsReceived_ > faults_.unplugAfterReports) {
        plugged_ = false;
        return false;
    }
    pollsSinceCommand_ = 0;
    answer_.fill(0);
    answer_[0] = kReportId;
    if (faults_.silent) {
        return true;
    }
    handle(report.first<8>());
    return true;
}

bool MouseFirmware::answer(std::span<std::uint8_t> report) {
    if (!plugged_) {
        return false;
    }
    const bool ready = pollsSinceCommand_++ >= faults_.answerAfterPolls;
    const std::size_t n = std::min<std::size_t>(report.size(), answer_.size());
    std::copy_n(answer_.begin(), n, report.begin());
    if (!ready && n == answer_.size()) {
        report[7] = 0;
    }
    return true;
}

void MouseFirmware::acknowledge(std::uint8_t status) {
    answer_[2] = status;
    answer_[7] = faults_.wrongAck != 0 ? faults_.wrongAck : kAck;
}

bool MouseFirmware::skipFailingChunk() {
    if (chunkIndex_ != faults_.failChunk) {
        return false;
    }
    // The failing chunk stays unanswered for as long as the host retries it,
    // then the firmware moves past it.
    if (ignored_ < kAttempts) {
        ++ignored_;
        return true;
    }
    ignored_ = 0;
    ++chunkIndex_;
    pointer_ += kChunkSize;
    remaining_ = std::max(0, remaining_ - kChunkSize);
    return false;
}

void MouseFirmware::handle(std::span<const std::uint8_t, 8> report) {
    switch (report[1]) {
        case OpenCmd:
        case CloseCmd:
            remaining_ = 0;
            acknowledge();
            break;
        case StatusCmd:
            answer_[1] = faults_.signature;
            acknowledge(faults_.notReady ? 0 : kMemoryReadyMask);
            break;
        case ReadAddrCmd:
        case WriteAddrCmd: {
            const int address = report[2] | report[3] << 8;
            const int length = report[4] | report[5] << 8;
            if (address + length > img::kEepromSize) {
                answer_[7] = 0x01;  // refused: outside the memory
                remaining_ = 0;
                break;
            }
            writing_ = report[1] == WriteAddrCmd;
            pointer_ = address;
            remaining_ = length;
            chunkIndex_ = 0;
            ignored_ = 0;
            acknowledge();
            break;
        }
        case ReadDataCmd:
            if (skipFailingChunk()) {
                break;
            }
            for (int i = 0; i < kChunkSize; ++i) {
                const bool inRange = !writing_ && i < remaining_;
                answer_[1 + i] = inRange ? eeprom_[pointer_ + i] : 0xFF;
            }
            if (!writing_) {
                pointer_ += std::min(kChunkSize, remaining_);
                remaining_ = std::max(0, remaining_ - kChunkSize);
            }
            ++chunkIndex_;
            answer_[7] = faults_.wrongAck != 0 ? faults_.wrongAck : kAck;
            break;
        case WriteDataCmd:
            if (skipFailingChunk()) {
                break;
            }
            if (writing_) {
                const int take = std::min(kChunkSize, remaining_);
                std::copy_n(report.begin() + 2, take, eeprom_.begin() + pointer_);
                pointer_ += take;
                remaining_ -= take;
                written_ = written_ || take > 0;
            }
            ++chunkIndex_;
            answer_[7] = faults_.wrongAck != 0 ? faults_.wrongAck : kAck;
            break;
        case SystemReloadCmd:
            ++reloads_;
            acknowledge();
            break;
        default:
            answer_[7] = 0x01;  // unknown command
            break;
    }
}

}  // namespace vtr::device

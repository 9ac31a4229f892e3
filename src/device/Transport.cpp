#include "device/Transport.h"

#include <algorithm>

namespace vtr::device {

using namespace protocol;

Transport::Transport(HidBackend& backend, Clock& clock) : backend_(backend), clock_(clock) {}

Transport::~Transport() = default;

int Transport::CountHidDevices() {
    int count = 0;
    for (const HidInterfaceInfo& info : backend_.enumerate()) {
        if (backend_.open(info.path) != nullptr) {
            ++count;  // closed again at once
        }
    }
    return count;
}

int Transport::CountInterfaces(std::uint16_t vendorId, std::uint16_t productId) {
    const auto interfaces = backend_.enumerate();
    return static_cast<int>(std::count_if(
        interfaces.begin(), interfaces.end(), [&](const HidInterfaceInfo& info) {
            return info.vendorId == vendorId && info.productId == productId;
        }));
}

bool Transport::OpenDevice(std::uint16_t vendorId, std::uint16_t productId) {
    // Only interfaces with the right ids and an 8-byte feature report can be the
    // device, so only those are opened; the last one that opens wins and every
    // earlier one is closed when it is replaced.
    std::unique_ptr<HidDevice> accepted;
    for (const HidInterfaceInfo& info : backend_.enumerate()) {
        if (info.vendorId != vendorId || info.productId != productId ||
            info.featureReportLength != kReportLength) {
            continue;
        }
        if (auto device = backend_.open(info.path)) {
            accepted = std::move(device);
        }
    }
    if (!accepted) {
        return false;
    }
    device_ = std::move(accepted);
    vendorId_ = vendorId;
    productId_ = productId;
    featureReportLength_ = kReportLength;
    return true;
}

void Transport::CloseDevice() {
    device_.reset();
    vendorId_ = 0;
    productId_ = 0;
    featureReportLength_ = 0;
}

bool Transport::exchange(bool chunkWrite) {
    if (!device_) {
        return false;
    }
    const std::array<std::uint8_t, 8> request = report_;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        report_ = request;
        if (!chunkWrite) {
            report_[6] = 0;
            report_[7] = 0;
        }
        clock_.sleepMs(kSleepMs);
        device_->sendFeatureReport(report_);
        // From here the buffer holds the answer. A chunk write carries data in
        // byte 7, so it is cleared before polling: only a complete answer from the
        // mouse may put a non-zero value there, and a failed read never passes
        // our own data byte off as an acknowledgement.
        report_[7] = 0;
        for (int poll = 0; poll < kPolls; ++poll) {
            clock_.sleepMs(kSleepMs);
            std::array<std::uint8_t, 8> answer = report_;
            answer[0] = kReportId;
            if (device_->getFeatureReport(answer) == kReportLength) {
                report_ = answer;
            }
            if (report_[7] != 0) {
                break;
            }
        }
        if (report_[7] == kAck) {
            return true;
        }
    }
    return false;
}

bool Transport::SendCommand(std::uint8_t command, std::uint8_t p1, std::uint8_t p2, std::uint8_t p3,
                            std::uint8_t p4) {
    report_ = {kReportId, command, p1, p2, p3, p4, 0, 0};
    return exchange(false);
}

bool Transport::ReadChunk() {
    chunk_.fill(0xFF);
    if (!SendCommand(ReadDataCmd)) {
        return false;
    }
    std::copy(report_.begin() + 1, report_.end(), chunk_.begin());
    return true;
}

bool Transport::WriteChunk(std::span<const std::uint8_t, 6> data) {
    report_[0] = kReportId;
    report_[1] = WriteDataCmd;
    std::copy(data.begin(), data.end(), report_.begin() + 2);
    return exchange(true);
}

RangeResult Transport::readRange(std::uint16_t address, std::span<std::uint8_t> destination,
                                 bool quiet) {
    RangeResult result;
    std::fill(destination.begin(), destination.end(), std::uint8_t{0xFF});
    if (destination.size() > 0xFFFF) {
        return result;
    }
    const auto length = static_cast<std::uint16_t>(destination.size());
    if (!SendCommand(ReadAddrCmd, address & 0xFF, address >> 8, length & 0xFF, length >> 8)) {
        return result;
    }
    result.announced = true;
    const int chunks = chunkCount(length);
    for (int i = 0; i < chunks; ++i) {
        if (!quiet && betweenChunks_) {
            betweenChunks_(i, chunks);
        }
        if (!ReadChunk()) {
            ++result.failedChunks;
        }
        ++result.chunks;
        const std::size_t offset = static_cast<std::size_t>(i) * kChunkSize;
        const std::size_t take = std::min<std::size_t>(kChunkSize, length - offset);
        std::copy_n(chunk_.begin(), take, destination.begin() + static_cast<long>(offset));
    }
    return result;
}

RangeResult Transport::ReadMemory(std::uint16_t address, std::span<std::uint8_t> destination) {
    return readRange(address, destination, false);
}

RangeResult Transport::ReadMemoryQuiet(std::uint16_t address, std::span<std::uint8_t> destination) {
    return readRange(address, destination, true);
}

RangeResult Transport::WriteMemory(std::uint16_t address, std::span<const std::uint8_t> source) {
    RangeResult result;
    if (source.size() > 0xFFFF) {
        return result;
    }
    const auto length = static_cast<std::uint16_t>(source.size());
    if (!SendCommand(WriteAddrCmd, address & 0xFF, address >> 8, length & 0xFF, length >> 8)) {
        return result;
    }
    result.announced = true;
    const int chunks = chunkCount(length);
    for (int i = 0; i < chunks; ++i) {
        if (betweenChunks_) {
            betweenChunks_(i, chunks);
        }
        // The last chunk is padded with zero bytes; the mouse takes only the
        // announced length.
        std::array<std::uint8_t, kChunkSize> data{};
        const std::size_t offset = static_cast<std::size_t>(i) * kChunkSize;
        const std::size_t take = std::min<std::size_t>(kChunkSize, length - offset);
        std::copy_n(source.begin() + static_cast<long>(offset), take, data.begin());
        if (!WriteChunk(data)) {
            ++result.failedChunks;
        }
        ++result.chunks;
    }
    return result;
}

TransactionResult ConfigTransaction(Transport& transport,
                                    const std::function<bool(Transport&)>& body) {
    TransactionResult result;
    if (!transport.SendCommand(OpenCmd)) {
        result.outcome = TransactionOutcome::OpenRefused;
        return result;
    }
    if (!transport.SendCommand(StatusCmd)) {
        result.outcome = TransactionOutcome::StatusRefused;
        return result;
    }
    result.signature = transport.report()[1];
    result.statusFlags = transport.report()[2];
    if (result.signature != kSignature) {
        result.outcome = TransactionOutcome::WrongSignature;
        return result;
    }
    if (result.memoryReady()) {
        result.bodyOk = body ? body(transport) : true;
        transport.SendCommand(SystemReloadCmd);
        result.outcome = TransactionOutcome::Completed;
    } else {
        result.outcome = TransactionOutcome::NotReady;
    }
    transport.SendCommand(CloseCmd);
    return result;
}

}  // namespace vtr::device

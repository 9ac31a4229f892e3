#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>

#include "device/Clock.h"
#include "device/HidBackend.h"
#include "device/Protocol.h"

namespace vtr::device {

// Outcome of one range read or write.
struct RangeResult {
    bool announced = false;  // the range announcement was acknowledged
    int chunks = 0;          // chunks exchanged
    int failedChunks = 0;    // chunks the mouse did not acknowledge
    bool ok() const { return announced && failedChunks == 0; }
};

// The only code that talks to the mouse: commands, exchanges and chunked ranges
// over one open configuration interface.
class Transport {
  public:
    // Called before every chunk of a ReadMemory/WriteMemory (not ReadMemoryQuiet)
    // with the chunk's index and the chunk count of the range. The window keeps
    // itself alive here; the command-line tool draws its progress bar.
    using BetweenChunks = std::function<void(int chunk, int chunks)>;

    Transport(HidBackend& backend, Clock& clock);
    ~Transport();
    Transport(const Transport&) = delete;
    Transport& operator=(const Transport&) = delete;

    void setBetweenChunks(BetweenChunks callback) { betweenChunks_ = std::move(callback); }

    // Number of present HID interfaces that can be opened.
    int CountHidDevices();
    // Number of present HID interfaces with these ids, whether or not this
    // user may open them.
    int CountInterfaces(std::uint16_t vendorId, std::uint16_t productId);
    // Opens the interface with these ids and an 8-byte feature report; with several
    // such interfaces the last one enumerated wins. On false the state is unchanged.
    bool OpenDevice(std::uint16_t vendorId, std::uint16_t productId);
    // Closes the device and forgets its ids (device lost, window closing).
    void CloseDevice();

    bool devicePresent() const { return device_ != nullptr; }
    HidBackend& backend() { return backend_; }
    std::uint16_t vendorId() const { return vendorId_; }
    std::uint16_t productId() const { return productId_; }
    std::uint16_t featureReportLength() const { return featureReportLength_; }

    // One exchange: sends [4, command, p1..p4, 0, 0] and waits for 0xCC.
    bool SendCommand(std::uint8_t command, std::uint8_t p1 = 0, std::uint8_t p2 = 0,
                     std::uint8_t p3 = 0, std::uint8_t p4 = 0);
    // The mouse's last answer (after SendCommand, bytes 1 and 2 of a status).
    const std::array<std::uint8_t, 8>& report() const { return report_; }

    // One chunk read; its six data bytes are chunkBuffer()[0..5], 0xFF after a failure.
    bool ReadChunk();
    const std::array<std::uint8_t, 7>& chunkBuffer() const { return chunk_; }
    // One chunk write of six bytes.
    bool WriteChunk(std::span<const std::uint8_t, 6> data);

    // Range operations. The destination is preset to 0xFF; failed chunks keep
    // 0xFF and are counted in the result.
    RangeResult ReadMemory(std::uint16_t address, std::span<std::uint8_t> destination);
    RangeResult ReadMemoryQuiet(std::uint16_t address, std::span<std::uint8_t> destination);
    RangeResult WriteMemory(std::uint16_t address, std::span<const std::uint8_t> source);

  private:
    bool exchange(bool chunkWrite);
    RangeResult readRange(std::uint16_t address, std::span<std::uint8_t> destination, bool quiet);

    HidBackend& backend_;
    Clock& clock_;
    BetweenChunks betweenChunks_;
    std::unique_ptr<HidDevice> device_;
    std::uint16_t vendorId_ = 0;
    std::uint16_t productId_ = 0;
    std::uint16_t featureReportLength_ = 0;
    std::array<std::uint8_t, 8> report_{};
    std::array<std::uint8_t, 7> chunk_{};
};

// Bit helpers on single bytes; n = 0 is the least significant bit.
constexpr bool TestBit(std::uint8_t value, int n) {
    return (value >> n) & 1U;
}
constexpr std::uint8_t SetBit(std::uint8_t value, int n) {
    return static_cast<std::uint8_t>(value | (1U << n));
}
constexpr std::uint8_t ClearBit(std::uint8_t value, int n) {
    return static_cast<std::uint8_t>(value & ~(1U << n));
}

// How a configuration transaction ended.
enum class TransactionOutcome {
    OpenRefused,     // OpenCmd not acknowledged; nothing else sent
    StatusRefused,   // StatusCmd not acknowledged; nothing else sent
    WrongSignature,  // status byte 1 was not 0xAA; no CloseCmd
    NotReady,        // memory-ready flag clear; only CloseCmd followed
    Completed,       // the body ran, then SystemReloadCmd and CloseCmd
};

struct TransactionResult {
    TransactionOutcome outcome = TransactionOutcome::OpenRefused;
    std::uint8_t signature = 0;
    std::uint8_t statusFlags = 0;
    bool bodyOk = false;  // what the body returned (Completed only)
    bool ranBody() const { return outcome == TransactionOutcome::Completed; }
    bool memoryReady() const { return (statusFlags & protocol::kMemoryReadyMask) != 0; }
};

// The frame around every use of the mouse's memory: OpenCmd, StatusCmd, the
// signature check, then (memory ready) the body and SystemReloadCmd, then CloseCmd.
TransactionResult ConfigTransaction(Transport& transport,
                                    const std::function<bool(Transport&)>& body);

}  // namespace vtr::device

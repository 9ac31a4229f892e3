#pragma once

#include <cstdint>

// The mouse's feature-report protocol: one 8-byte report per command, report ID 4,
// acknowledgement 0xCC in byte 7, memory moved in 6-byte chunks.
namespace vtr::device::protocol {

inline constexpr std::uint16_t kVendorId = 0x1BCF;
inline constexpr std::uint16_t kProductId = 0x08A0;

inline constexpr int kReportLength = 8;
inline constexpr std::uint8_t kReportId = 4;
inline constexpr std::uint8_t kAck = 0xCC;
inline constexpr std::uint8_t kSignature = 0xAA;
inline constexpr std::uint8_t kMemoryReadyMask = 0x04;
inline constexpr int kChunkSize = 6;

enum Command : std::uint8_t {
    OpenCmd = 1,
    CloseCmd = 2,
    StatusCmd = 3,
    ReadAddrCmd = 4,
    ReadDataCmd = 5,
    WriteAddrCmd = 6,
    WriteDataCmd = 7,
    SystemReloadCmd = 8,
};

inline constexpr int kAttempts = 10;
inline constexpr int kPolls = 10;
inline constexpr int kSleepMs = 5;

inline constexpr int chunkCount(int length) {
    return (length + kChunkSize - 1) / kChunkSize;
}

}  // namespace vtr::device::protocol

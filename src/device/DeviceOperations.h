#pragma once

#include <cstdint>

#include "device/Transport.h"
#include "image/ConfigImage.h"

// Whole-memory operations built from the transport's ranges, in the order the
// mouse expects them. They run inside a configuration transaction.
namespace vtr::device {

struct TransferTotals {
    int ranges = 0;
    int refusedRanges = 0;  // announcements not acknowledged
    int chunks = 0;
    int failedChunks = 0;
    void add(const RangeResult& range);
    bool ok() const { return refusedRanges == 0 && failedChunks == 0; }
};

// The device type byte (address 42), read without progress: 2 or 10, or 0 when
// the read failed or the byte is neither.
int ReadDeviceType(Transport& transport);

// Reads the parameter area, the button table and the macro area of the type
// into `image` (the type-10 area page by page, each page as 255 bytes and then
// its last byte).
TransferTotals ReadAllAreas(Transport& transport, int deviceType, image::ConfigImage& image);

// Writes the parameter area and the button table, and the macro area of the type
// when `withMacros` (the type-10 area as two 256-byte ranges).
TransferTotals WriteAllAreas(Transport& transport, int deviceType, const image::ConfigImage& image,
                             bool withMacros);

// Chunks exchanged by those operations, for progress over the whole transfer.
int ReadAllChunkCount(int deviceType);
int WriteAllChunkCount(int deviceType, bool withMacros);

}  // namespace vtr::device

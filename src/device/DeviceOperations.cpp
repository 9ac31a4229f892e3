#include "device/DeviceOperations.h"

#include <array>

#include "image/MemoryMap.h"

namespace vtr::device {

namespace img = vtr::image;
using protocol::chunkCount;

namespace {

// A range of the macro area and where it lies in the mouse.
struct MacroRange {
    std::uint16_t address;
    std::size_t offset;
    std::size_t length;
};

constexpr std::array<MacroRange, 4> kMacroReads10 = {{
    {512, 0, 255},
    {767, 255, 1},
    {768, 256, 255},
    {1023, 511, 1},
}};
constexpr std::array<MacroRange, 2> kMacroWrites10 = {{
    {512, 0, 256},
    {768, 256, 256},
}};

}  // namespace

void TransferTotals::add(const RangeResult& range) {
    ++ranges;
    if (!range.announced) {
        ++refusedRanges;
    }
    chunks += range.chunks;
    failedChunks += range.failedChunks;
}

int ReadDeviceType(Transport& transport) {
    std::array<std::uint8_t, 1> type{};
    const RangeResult result = transport.ReadMemoryQuiet(img::kDeviceTypeAddress, type);
    if (!result.ok() || !img::isDeviceType(type[0])) {
        return 0;
    }
    return type[0];
}

TransferTotals ReadAllAreas(Transport& transport, int deviceType, img::ConfigImage& image) {
    TransferTotals totals;
    totals.add(transport.ReadMemory(img::kParameterAddress, image.parameterArea));
    totals.add(transport.ReadMemory(img::kProfileAddress, image.profileArea));
    if (deviceType == img::kDeviceType2) {
        totals.add(transport.ReadMemory(img::kMacroAddress2, image.macroArea2));
    } else if (deviceType == img::kDeviceType10) {
        for (const MacroRange& range : kMacroReads10) {
            totals.add(transport.ReadMemory(
                range.address, std::span(image.macroArea10).subspan(range.offset, range.length)));
        }
    }
    return totals;
}

TransferTotals WriteAllAreas(Transport& transport, int deviceType, const img::ConfigImage& image,
                             bool withMacros) {
    TransferTotals totals;
    totals.add(transport.WriteMemory(img::kParameterAddress, image.parameterArea));
    totals.add(transport.WriteMemory(img::kProfileAddress, image.profileArea));
    if (!withMacros) {
        return totals;
    }
    if (deviceType == img::kDeviceType2) {
        totals.add(transport.WriteMemory(img::kMacroAddress2, image.macroArea2));
    } else if (deviceType == img::kDeviceType10) {
        for (const MacroRange& range : kMacroWrites10) {
            totals.add(transport.WriteMemory(
                range.address, std::span(image.macroArea10).subspan(range.offset, range.length)));
        }
    }
    return totals;
}

int ReadAllChunkCount(int deviceType) {
    int chunks = chunkCount(img::kParameterAreaSize) + chunkCount(img::kProfileAreaSize);
    if (deviceType == img::kDeviceType2) {
        chunks += chunkCount(img::kMacroAreaSize2);
    } else if (deviceType == img::kDeviceType10) {
        for (const MacroRange& range : kMacroReads10) {
            chunks += chunkCount(static_cast<int>(range.length));
        }
    }
    return chunks;
}

int WriteAllChunkCount(int deviceType, bool withMacros) {
    int chunks = chunkCount(img::kParameterAreaSize) + chunkCount(img::kProfileAreaSize);
    if (withMacros && deviceType == img::kDeviceType2) {
        chunks += chunkCount(img::kMacroAreaSize2);
    } else if (withMacros && deviceType == img::kDeviceType10) {
        for (const MacroRange& range : kMacroWrites10) {
            chunks += chunkCount(static_cast<int>(range.length));
        }
    }
    return chunks;
}

}  // namespace vtr::device

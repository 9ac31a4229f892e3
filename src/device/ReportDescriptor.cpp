#include "device/ReportDescriptor.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace vtr::device {

namespace {

// Item types (bits 2-3 of a short item's prefix).
constexpr unsigned kTypeMain = 0;
constexpr unsigned kTypeGlobal = 1;

// Main item tags.
constexpr unsigned kMainFeature = 0xB;
constexpr unsigned kMainCollection = 0xA;
constexpr unsigned kMainEndCollection = 0xC;

// Global item tags.
constexpr unsigned kGlobalReportSize = 0x7;
constexpr unsigned kGlobalReportId = 0x8;
constexpr unsigned kGlobalReportCount = 0x9;
constexpr unsigned kGlobalPush = 0xA;
constexpr unsigned kGlobalPop = 0xB;

constexpr std::uint8_t kLongItemPrefix = 0xFE;

// Same depth as the Linux HID parser: a deeper Push is refused there, so no
// device we can reach relies on more.
constexpr std::size_t kPushDepth = 4;

constexpr std::uint64_t kMaxFeatureBits =
    static_cast<std::uint64_t>(kMaxFeatureReportBytes - 1) * 8;

// The part of the global state that decides report lengths.
struct GlobalState {
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::uint32_t reportId = 0;  // 0 until a Report ID item
};

std::uint32_t LittleEndian(std::span<const std::uint8_t> data) {
    std::uint32_t value = 0;
    for (std::size_t i = data.size(); i-- > 0;) {
        value = (value << 8) | data[i];
    }
    return value;
}

}  // namespace

ReportDescriptorSummary ParseReportDescriptor(std::span<const std::uint8_t> descriptor) {
    ReportDescriptorSummary summary;

    GlobalState global;
    std::array<GlobalState, kPushDepth> stack{};
    std::size_t stackDepth = 0;
    std::uint64_t collectionDepth = 0;
    bool sawCollection = false;
    // Feature bits per report ID; index 0 collects reports of a descriptor
    // without Report ID items.
    std::array<std::uint64_t, 256> featureBits{};

    // Walks the items; returns false at the first malformed one, leaving what
    // the complete items before it gathered.
    const auto walk = [&]() -> bool {
        if (descriptor.empty()) {
            return false;
        }
        std::size_t pos = 0;
        while (pos < descriptor.size()) {
            const std::uint8_t prefix = descriptor[pos];
            const std::size_t remaining = descriptor.size() - pos - 1;

            if (prefix == kLongItemPrefix) {
                // bDataSize, bLongItemTag, then the data. No long item tags
                // are defined, so they are skipped whole.
                if (remaining < 2 || remaining - 2 < descriptor[pos + 1]) {
                    return false;
                }
                pos += 3 + std::size_t{descriptor[pos + 1]};
                continue;
            }

            static constexpr std::array<std::size_t, 4> kDataSizes = {0, 1, 2, 4};
            const std::size_t dataSize = kDataSizes[prefix & 0x3];
            if (remaining < dataSize) {
                return false;
            }
            const std::uint32_t value = LittleEndian(descriptor.subspan(pos + 1, dataSize));
            const unsigned type = (prefix >> 2) & 0x3;
            const unsigned tag = prefix >> 4;
            pos += 1 + dataSize;

            if (type == kTypeGlobal) {
                switch (tag) {
                    case kGlobalReportSize:
                        global.reportSize = value;
                        break;
                    case kGlobalReportCount:
                        global.reportCount = value;
                        break;
                    case kGlobalReportId:
                        if (value == 0 || value >= featureBits.size()) {
                            return false;
                        }
                        global.reportId = value;
                        summary.usesReportIds = true;
                        break;
                    case kGlobalPush:
                        if (stackDepth == stack.size()) {
                            return false;
                        }
                        stack[stackDepth++] = global;
                        break;
                    case kGlobalPop:
                        if (stackDepth == 0) {
                            return false;
                        }
                        global = stack[--stackDepth];
                        break;
                    default:
                        break;
                }
            } else if (type == kTypeMain) {
                switch (tag) {
                    case kMainFeature: {
                        // Both factors fit in 32 bits, so the product fits in 64.
                        const std::uint64_t added =
                            std::uint64_t{global.reportSize} * global.reportCount;
                        std::uint64_t& bits = featureBits[global.reportId];
                        if (added > kMaxFeatureBits - bits) {
                            return false;
                        }
                        bits += added;
                        summary.longestFeatureBits =
                            std::max(summary.longestFeatureBits, static_cast<int>(bits));
                        break;
                    }
                    case kMainCollection:
                        ++collectionDepth;
                        sawCollection = true;
                        break;
                    case kMainEndCollection:
                        if (collectionDepth == 0) {
                            return false;
                        }
                        --collectionDepth;
                        break;
                    default:
                        break;
                }
            }
            // Local items and reserved item types carry nothing we need.
        }
        // A collection left open means the descriptor ends early, and one
        // without any collection declares nothing a host could use.
        return sawCollection && collectionDepth == 0;
    };

    summary.valid = walk();
    if (summary.longestFeatureBits > 0) {
        summary.featureReportByteLength = (summary.longestFeatureBits + 7) / 8 + 1;
    }
    return summary;
}

}  // namespace vtr::device

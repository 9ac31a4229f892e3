#pragma once

#include <cstdint>
#include <span>

namespace vtr::device {

// Longest feature report the parser accepts, report ID byte included. Linux
// refuses any report longer than this, and it keeps every length in 16 bits.
inline constexpr int kMaxFeatureReportBytes = 16384;

// What the editor needs from a HID report descriptor.
struct ReportDescriptorSummary {
    // Parsed to the end without a malformed item, with at least one collection
    // and every collection closed.
    bool valid = false;
    bool usesReportIds = false;  // at least one Report ID item
    int longestFeatureBits = 0;  // longest feature report, data bits only
    // Longest feature report in bytes plus one byte for the report ID (as the
    // HID class driver counts it); 0 when there is no feature report.
    int featureReportByteLength = 0;
};

// Parses a report descriptor. Never reads outside `descriptor`, whatever it holds.
ReportDescriptorSummary ParseReportDescriptor(std::span<const std::uint8_t> descriptor);

}  // namespace vtr::device

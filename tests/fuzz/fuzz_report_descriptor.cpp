// Feeds arbitrary bytes to the report descriptor parser. Out-of-bounds reads
// and overflows are left to the sanitizers; the checks here are on the summary.

#include <cstddef>
#include <cstdint>
#include <span>

#include "device/ReportDescriptor.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using vtr::device::kMaxFeatureReportBytes;
    const std::span<const std::uint8_t> descriptor(data, size);
    const vtr::device::ReportDescriptorSummary s = vtr::device::ParseReportDescriptor(descriptor);

    Check(s.longestFeatureBits >= 0);
    Check((s.featureReportByteLength == 0) == (s.longestFeatureBits == 0));
    Check(s.featureReportByteLength <= kMaxFeatureReportBytes);
    if (s.longestFeatureBits > 0) {
        Check(s.featureReportByteLength == (s.longestFeatureBits + 7) / 8 + 1);
    }
    if (size == 0) {
        Check(!s.valid && !s.usesReportIds && s.longestFeatureBits == 0);
    }

    // Parsing stops at the first bad item, so cutting the last byte can only
    // lose what the whole descriptor declares, never add to it.
    if (size > 0) {
        const vtr::device::ReportDescriptorSummary prefix =
            vtr::device::ParseReportDescriptor(descriptor.first(size - 1));
        Check(prefix.longestFeatureBits <= s.longestFeatureBits);
    }
    // Same bytes, same answer: no state survives between calls.
    const vtr::device::ReportDescriptorSummary again =
        vtr::device::ParseReportDescriptor(descriptor);
    Check(again.valid == s.valid && again.usesReportIds == s.usesReportIds &&
          again.longestFeatureBits == s.longestFeatureBits &&
          again.featureReportByteLength == s.featureReportByteLength);
    return 0;
}

#include "device/ReportDescriptor.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace vtr::device {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The mouse's configuration interface: one vendor feature report, ID 4, 7 data bytes.
const Bytes kVendorConfig = {
    0x06, 0x00, 0xFF,  // Usage Page (Vendor 0xFF00)
    0x09, 0x01,        // Usage (1)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x04,        //   Report ID (4)
    0x09, 0x01,        //   Usage (1)
    0x15, 0x00,        //   Logical Minimum (0)
    0x26, 0xFF, 0x00,  //   Logical Maximum (255)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x07,        //   Report Count (7)
    0xB1, 0x02,        //   Feature (Data,Var,Abs)
    0xC0,              // End Collection
};

// The boot keyboard every USB keyboard offers: input and output reports only.
const Bytes kBootKeyboard = {
    0x05, 0x01,  // Usage Page (Generic Desktop)
    0x09, 0x06,  // Usage (Keyboard)
    0xA1, 0x01,  // Collection (Application)
    0x05, 0x07,  //   Usage Page (Key Codes)
    0x19, 0xE0,  //   Usage Minimum (224)
    0x29, 0xE7,  //   Usage Maximum (231)
    0x15, 0x00,  //   Logical Minimum (0)
    0x25, 0x01,  //   Logical Maximum (1)
    0x75, 0x01,  //   Report Size (1)
    0x95, 0x08,  //   Report Count (8)
    0x81, 0x02,  //   Input (Data,Var,Abs) modifier byte
    0x95, 0x01,  //   Report Count (1)
    0x75, 0x08,  //   Report Size (8)
    0x81, 0x01,  //   Input (Const) reserved byte
    0x95, 0x05,  //   Report Count (5)
    0x75, 0x01,  //   Report Size (1)
    0x05, 0x08,  //   Usage Page (LEDs)
    0x19, 0x01,  //   Usage Minimum (1)
    0x29, 0x05,  //   Usage Maximum (5)
    0x91, 0x02,  //   Output (Data,Var,Abs) LED report
    0x95, 0x01,  //   Report Count (1)
    0x75, 0x03,  //   Report Size (3)
    0x91, 0x01,  //   Output (Const) LED padding
    0x95, 0x06,  //   Report Count (6)
    0x75, 0x08,  //   Report Size (8)
    0x15, 0x00,  //   Logical Minimum (0)
    0x25, 0x65,  //   Logical Maximum (101)
    0x05, 0x07,  //   Usage Page (Key Codes)
    0x19, 0x00,  //   Usage Minimum (0)
    0x29, 0x65,  //   Usage Maximum (101)
    0x81, 0x00,  //   Input (Data,Array) key array
    0xC0,        // End Collection
};

// Builds a 3-button wheel mouse, with or without a Report ID item.
Bytes WheelMouse(bool withReportId) {
    Bytes d = {
        0x05, 0x01,  // Usage Page (Generic Desktop)
        0x09, 0x02,  // Usage (Mouse)
        0xA1, 0x01,  // Collection (Application)
    };
    if (withReportId) {
        d.insert(d.end(), {0x85, 0x01});  // Report ID (1)
    }
    d.insert(d.end(), {
                          0x09, 0x01,  //   Usage (Pointer)
                          0xA1, 0x00,  //   Collection (Physical)
                          0x05, 0x09,  //     Usage Page (Buttons)
                          0x19, 0x01,  //     Usage Minimum (1)
                          0x29, 0x03,  //     Usage Maximum (3)
                          0x15, 0x00,  //     Logical Minimum (0)
                          0x25, 0x01,  //     Logical Maximum (1)
                          0x95, 0x03,  //     Report Count (3)
                          0x75, 0x01,  //     Report Size (1)
                          0x81, 0x02,  //     Input (Data,Var,Abs)
                          0x95, 0x01,  //     Report Count (1)
                          0x75, 0x05,  //     Report Size (5)
                          0x81, 0x03,  //     Input (Const) padding
                          0x05, 0x01,  //     Usage Page (Generic Desktop)
                          0x09, 0x30,  //     Usage (X)
                          0x09, 0x31,  //     Usage (Y)
                          0x09, 0x38,  //     Usage (Wheel)
                          0x15, 0x81,  //     Logical Minimum (-127)
                          0x25, 0x7F,  //     Logical Maximum (127)
                          0x75, 0x08,  //     Report Size (8)
                          0x95, 0x03,  //     Report Count (3)
                          0x81, 0x06,  //     Input (Data,Var,Rel)
                          0xC0,        //   End Collection
                          0xC0,        // End Collection
                      });
    return d;
}

// Two vendor feature reports; the longer one (ID 1, 64 bytes) comes first so a
// parser that keeps the last report instead of the longest gets it wrong.
const Bytes kTwoFeatureReports = {
    0x06, 0x00, 0xFF,  // Usage Page (Vendor 0xFF00)
    0x09, 0x01,        // Usage (1)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x01,        //   Report ID (1)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x40,        //   Report Count (64)
    0x09, 0x02,        //   Usage (2)
    0xB1, 0x02,        //   Feature (Data,Var,Abs)
    0x85, 0x02,        //   Report ID (2)
    0x95, 0x07,        //   Report Count (7)
    0x09, 0x03,        //   Usage (3)
    0xB1, 0x02,        //   Feature (Data,Var,Abs)
    0xC0,              // End Collection
};

// Feature items of one ID split by items of another: ID 1 totals 3 + 2 bytes,
// more than ID 2's 4 bytes, though no single item of ID 1 is.
const Bytes kInterleavedFeatureReports = {
    0x06, 0x00, 0xFF,  // Usage Page (Vendor 0xFF00)
    0x09, 0x01,        // Usage (1)
    0xA1, 0x01,        // Collection (Application)
    0x75, 0x08,        //   Report Size (8)
    0x85, 0x01,        //   Report ID (1)
    0x95, 0x03,        //   Report Count (3)
    0xB1, 0x02,        //   Feature
    0x85, 0x02,        //   Report ID (2)
    0x95, 0x04,        //   Report Count (4)
    0xB1, 0x02,        //   Feature
    0x85, 0x01,        //   Report ID (1)
    0x95, 0x02,        //   Report Count (2)
    0xB1, 0x02,        //   Feature
    0xC0,              // End Collection
};

// The configuration report without a Report ID item.
const Bytes kFeatureWithoutReportId = {
    0x06, 0x00, 0xFF,  // Usage Page (Vendor 0xFF00)
    0x09, 0x01,        // Usage (1)
    0xA1, 0x01,        // Collection (Application)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x07,        //   Report Count (7)
    0xB1, 0x02,        //   Feature
    0xC0,              // End Collection
};

// Long input and output reports beside a short feature report of the same ID.
const Bytes kInputOutputNotCounted = {
    0x06, 0x00, 0xFF,  // Usage Page (Vendor 0xFF00)
    0x09, 0x01,        // Usage (1)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x04,        //   Report ID (4)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x40,        //   Report Count (64)
    0x81, 0x02,        //   Input
    0x91, 0x02,        //   Output
    0x95, 0x07,        //   Report Count (7)
    0xB1, 0x02,        //   Feature
    0xC0,              // End Collection
};

// Multi-byte item data is little-endian: Report Size 8 (4 bytes), Report Count 256 (2 bytes).
const Bytes kMultiByteData = {
    0xA1, 0x01,                    // Collection (Application)
    0x77, 0x08, 0x00, 0x00, 0x00,  //   Report Size (8)
    0x96, 0x00, 0x01,              //   Report Count (256)
    0xB1, 0x02,                    //   Feature
    0xC0,                          // End Collection
};

// The longest report accepted: 16383 data bytes plus the ID byte.
const Bytes kLongestAccepted = {
    0xA1, 0x01,        // Collection (Application)
    0x75, 0x08,        //   Report Size (8)
    0x96, 0xFF, 0x3F,  //   Report Count (16383)
    0xB1, 0x02,        //   Feature
    0xC0,              // End Collection
};

// Push keeps Report Size and Count across a long input item declared in between.
const Bytes kPushPopRestoresSizes = {
    0xA1, 0x01,  // Collection (Application)
    0x75, 0x08,  //   Report Size (8)
    0x95, 0x07,  //   Report Count (7)
    0xA4,        //   Push
    0x75, 0x10,  //     Report Size (16)
    0x95, 0x40,  //     Report Count (64)
    0x81, 0x02,  //     Input
    0xB4,        //   Pop
    0xB1, 0x02,  //   Feature: 7 bytes
    0xC0,        // End Collection
};

// Pop brings back the Report ID too: the second feature item belongs to ID 1.
const Bytes kPushPopRestoresReportId = {
    0xA1, 0x01,  // Collection (Application)
    0x85, 0x01,  //   Report ID (1)
    0x75, 0x08,  //   Report Size (8)
    0x95, 0x18,  //   Report Count (24)
    0xA4,        //   Push
    0x85, 0x02,  //     Report ID (2)
    0x95, 0x10,  //     Report Count (16)
    0xB1, 0x02,  //     Feature: ID 2, 16 bytes
    0xB4,        //   Pop
    0xB1, 0x02,  //   Feature: ID 1, 24 bytes
    0xC0,        // End Collection
};

// Four nested pushes, the most the parser (like Linux) allows, then four pops.
const Bytes kPushPopFullDepth = {
    0xA1, 0x01,              // Collection (Application)
    0x75, 0x08, 0x95, 0x02,  //   Report Size (8), Report Count (2)
    0xA4, 0xA4, 0xA4, 0xA4,  //   Push x4
    0x95, 0x09,              //   Report Count (9)
    0xB4, 0xB4, 0xB4, 0xB4,  //   Pop x4
    0xB1, 0x02,              //   Feature: 2 bytes
    0xC0,                    // End Collection
};

// A long item whose data looks like a Feature item must be skipped, not parsed.
const Bytes kLongItemSkipped = {
    0xA1, 0x01,              // Collection (Application)
    0x75, 0x08,              //   Report Size (8)
    0x95, 0x07,              //   Report Count (7)
    0xFE, 0x02, 0x10,        //   Long item, 2 data bytes, tag 0x10 ...
    0xB1, 0x02,              //   ... data that reads as Feature
    0xB1, 0x02,              //   Feature
    0xFE, 0x00, 0x11, 0xC0,  //   Long item without data; End Collection
};

struct Case {
    std::string name;
    Bytes descriptor;
    bool valid;
    bool usesReportIds;
    int longestFeatureBits;
    int featureReportByteLength;
};

std::ostream& operator<<(std::ostream& os, const Case& c) {
    return os << c.name;
}

class WellFormedDescriptor : public ::testing::TestWithParam<Case> {};

TEST_P(WellFormedDescriptor, GivesLongestFeatureReport) {
    const Case& c = GetParam();
    const ReportDescriptorSummary s = ParseReportDescriptor(c.descriptor);
    EXPECT_EQ(s.valid, c.valid);
    EXPECT_EQ(s.usesReportIds, c.usesReportIds);
    EXPECT_EQ(s.longestFeatureBits, c.longestFeatureBits);
    EXPECT_EQ(s.featureReportByteLength, c.featureReportByteLength);
}

// Each descriptor here is one top-level collection, so every proper prefix
// either cuts an item, has no collection yet or leaves one open: none may pass
// as valid; and a prefix can only have
// gathered part of what the whole descriptor declares. Each prefix lives in a
// heap block of exactly its size so AddressSanitizer catches any read past it.
TEST_P(WellFormedDescriptor, EveryTruncationIsInvalidAndReadsInBounds) {
    const Case& c = GetParam();
    const ReportDescriptorSummary full = ParseReportDescriptor(c.descriptor);
    int previousBits = 0;
    for (std::size_t length = 0; length < c.descriptor.size(); ++length) {
        SCOPED_TRACE("prefix length " + std::to_string(length));
        auto block = std::make_unique<std::uint8_t[]>(length);
        if (length > 0) {
            std::memcpy(block.get(), c.descriptor.data(), length);
        }
        const ReportDescriptorSummary s =
            ParseReportDescriptor(std::span<const std::uint8_t>(block.get(), length));
        EXPECT_FALSE(s.valid);
        EXPECT_GE(s.longestFeatureBits, previousBits);
        EXPECT_LE(s.longestFeatureBits, full.longestFeatureBits);
        EXPECT_EQ(s.featureReportByteLength == 0, s.longestFeatureBits == 0);
        previousBits = s.longestFeatureBits;
    }
}

INSTANTIATE_TEST_SUITE_P(
    ReportDescriptor, WellFormedDescriptor,
    ::testing::Values(
        Case{"VendorConfigReport", kVendorConfig, true, true, 56, 8},
        Case{"BootKeyboard", kBootKeyboard, true, false, 0, 0},
        Case{"WheelMouse", WheelMouse(false), true, false, 0, 0},
        Case{"WheelMouseWithReportId", WheelMouse(true), true, true, 0, 0},
        Case{"TwoFeatureReports", kTwoFeatureReports, true, true, 512, 65},
        Case{"InterleavedFeatureReports", kInterleavedFeatureReports, true, true, 40, 6},
        Case{"FeatureWithoutReportIdStillCountsIdByte", kFeatureWithoutReportId, true, false, 56,
             8},
        Case{"InputAndOutputNotCounted", kInputOutputNotCounted, true, true, 56, 8},
        Case{"MultiByteDataLittleEndian", kMultiByteData, true, false, 2048, 257},
        Case{"LongestAcceptedReport", kLongestAccepted, true, false, 16383 * 8,
             kMaxFeatureReportBytes},
        Case{"PushPopRestoresSizes", kPushPopRestoresSizes, true, false, 56, 8},
        Case{"PushPopRestoresReportId", kPushPopRestoresReportId, true, true, 192, 25},
        Case{"PushPopFullDepth", kPushPopFullDepth, true, false, 16, 3},
        Case{"LongItemSkipped", kLongItemSkipped, true, false, 56, 8}),
    [](const ::testing::TestParamInfo<Case>& info) { return info.param.name; });

// Parsing stops at the first malformed item; what complete items before it
// declared is still reported. Most cases sit in a well-formed collection so
// that only the bad item can make them invalid.
class MalformedDescriptor : public ::testing::TestWithParam<Case> {};

TEST_P(MalformedDescriptor, IsInvalidAndKeepsWhatCameBefore) {
    const Case& c = GetParam();
    const ReportDescriptorSummary s = ParseReportDescriptor(c.descriptor);
    EXPECT_FALSE(s.valid);
    EXPECT_EQ(s.usesReportIds, c.usesReportIds);
    EXPECT_EQ(s.longestFeatureBits, c.longestFeatureBits);
    EXPECT_EQ(s.featureReportByteLength, c.featureReportByteLength);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    ReportDescriptor, MalformedDescriptor,
    ::testing::Values(
        Case{"Empty", {}, false, false, 0, 0},
        // A 1-byte feature report, then Pop with nothing pushed.
        Case{"PopOnEmptyStack",
             {0xA1, 0x01, 0x75, 0x08, 0x95, 0x01, 0xB1, 0x02, 0xB4, 0xC0},
             false, false, 8, 2},
        // A 1-byte feature report, then a fifth nested Push.
        Case{"PushPastDepth",
             {0xA1, 0x01, 0x75, 0x08, 0x95, 0x01, 0xB1, 0x02,
              0xA4, 0xA4, 0xA4, 0xA4, 0xA4, 0xB1, 0x02, 0xC0},
             false, false, 8, 2},
        Case{"ReportIdZero",
             {0xA1, 0x01, 0x85, 0x00, 0x75, 0x08, 0x95, 0x01, 0xB1, 0x02, 0xC0},
             false, false, 0, 0},
        // Report ID 1, then Report ID 256 in two data bytes.
        Case{"ReportIdAbove255",
             {0xA1, 0x01, 0x85, 0x01, 0x86, 0x00, 0x01, 0x75, 0x08, 0x95, 0x01, 0xB1, 0x02, 0xC0},
             false, true, 0, 0},
        // A stray End Collection, then a Collection that would pair with it.
        Case{"EndCollectionWithoutCollection",
             {0xA1, 0x01, 0xC0, 0xC0, 0xA1, 0x01},
             false, false, 0, 0},
        Case{"NoCollection",
             {0x75, 0x08, 0x95, 0x07, 0xB1, 0x02},
             false, false, 56, 8},
        Case{"CollectionLeftOpen",
             {0xA1, 0x01, 0x75, 0x08, 0x95, 0x01, 0xB1, 0x02},
             false, false, 8, 2},
        // Report Count 16384 of 8 bits: one byte past kLongestAccepted.
        Case{"ReportOneByteTooLong",
             {0xA1, 0x01, 0x75, 0x08, 0x96, 0x00, 0x40, 0xB1, 0x02, 0xC0},
             false, false, 0, 0},
        // 0xFFFFFFFF * 0xFFFFFFFF bits must neither wrap nor be accepted.
        Case{"HugeSizeTimesCount",
             {0xA1, 0x01, 0x77, 0xFF, 0xFF, 0xFF, 0xFF, 0x97, 0xFF, 0xFF, 0xFF, 0xFF,
              0xB1, 0x02, 0xC0},
             false, false, 0, 0},
        // Two items of 8192 bytes each: the second would pass the limit.
        Case{"SumOfItemsTooLong",
             {0xA1, 0x01, 0x75, 0x08, 0x96, 0x00, 0x20, 0xB1, 0x02, 0xB1, 0x02, 0xC0},
             false, false, 65536, 8193},
        // The cut items below follow a closed collection, so only the cut itself
        // can make these descriptors invalid.
        Case{"TruncatedFourByteItem",
             {0xA1, 0x01, 0x75, 0x08, 0x95, 0x01, 0xB1, 0x02, 0xC0, 0x97, 0x01, 0x00, 0x00},
             false, false, 8, 2},
        Case{"LongItemPrefixOnly",
             {0xA1, 0x01, 0xC0, 0xFE},
             false, false, 0, 0},
        Case{"LongItemWithoutTag",
             {0xA1, 0x01, 0xC0, 0xFE, 0x00},
             false, false, 0, 0},
        // Declares 5 data bytes, holds 4.
        Case{"LongItemDataCut",
             {0xA1, 0x01, 0x75, 0x08, 0x95, 0x01, 0xB1, 0x02, 0xC0,
              0xFE, 0x05, 0x10, 0xB1, 0x02, 0xB1, 0x02},
             false, false, 8, 2}),
    [](const ::testing::TestParamInfo<Case>& info) { return info.param.name; });
// clang-format on

}  // namespace
}  // namespace vtr::device

#include <gtest/gtest.h>

#include <random>

#include "device/DeviceOperations.h"
#include "device/SimulatedMouse.h"
#include "image/DefaultImage.h"

namespace vtr::device {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Rig {
    explicit Rig(int type) : mouse(type) {
        mouse.setLogging(true);
        EXPECT_TRUE(transport.OpenDevice(0x1BCF, 0x08A0));
    }
    // (address, length) of every range announced, reads or writes.
    std::vector<std::pair<int, int>> announced(int command) const {
        std::vector<std::pair<int, int>> ranges;
        for (const auto& r : mouse.sentReports()) {
            if (r[1] == command) {
                ranges.emplace_back(r[2] | r[3] << 8, r[4] | r[5] << 8);
            }
        }
        return ranges;
    }
    SimulatedMouse mouse;
    VirtualClock clock;
    Transport transport{mouse, clock};
};

TEST(DeviceOperationsTest, FreshTypeTenReadsAsTheDefaultImage) {
    Rig rig(10);
    image::ConfigImage image;
    int type = 0;
    TransferTotals totals;
    const auto result = ConfigTransaction(rig.transport, [&](Transport& t) {
        type = ReadDeviceType(t);
        totals = ReadAllAreas(t, type, image);
        return totals.ok();
    });
    EXPECT_TRUE(result.bodyOk);
    EXPECT_EQ(type, 10);
    EXPECT_EQ(totals.chunks, ReadAllChunkCount(10));
    EXPECT_EQ(totals.chunks, 101);
    const auto defaults = image::BuiltInDefaultImage();
    EXPECT_EQ(image.toProfileBytes(10), Bytes(defaults.begin(), defaults.end()));
    EXPECT_EQ(rig.announced(4),
              (std::vector<std::pair<int, int>>{
                  {42, 1}, {0, 43}, {64, 28}, {512, 255}, {767, 1}, {768, 255}, {1023, 1}}));
}

TEST(DeviceOperationsTest, WriteThenReadRoundTripsBothTypes) {
    std::mt19937 random(7);
    for (int type : {2, 10}) {
        SCOPED_TRACE(type);
        Rig rig(type);
        image::ConfigImage written;
        Bytes profile(image::profileFileSize(type));
        for (auto& b : profile) {
            b = static_cast<std::uint8_t>(random());
        }
        profile[42] = static_cast<std::uint8_t>(type);
        written.loadProfileBytes(profile, type);

        TransferTotals writeTotals;
        ConfigTransaction(rig.transport, [&](Transport& t) {
            writeTotals = WriteAllAreas(t, type, written, true);
            return writeTotals.ok();
        });
        EXPECT_TRUE(writeTotals.ok());
        EXPECT_EQ(writeTotals.chunks, WriteAllChunkCount(type, true));
        const auto expectedWrites =
            type == 10 ? std::vector<std::pair<int, int>>{{0, 43}, {64, 28}, {512, 256}, {768, 256}}
                       : std::vector<std::pair<int, int>>{{0, 43}, {64, 28}, {92, 164}};
        EXPECT_EQ(rig.announced(6), expectedWrites);

        image::ConfigImage read;
        TransferTotals readTotals;
        ConfigTransaction(rig.transport, [&](Transport& t) {
            readTotals = ReadAllAreas(t, ReadDeviceType(t), read);
            return readTotals.ok();
        });
        EXPECT_TRUE(readTotals.ok());
        EXPECT_EQ(read.toProfileBytes(type), profile);
    }
}

TEST(DeviceOperationsTest, SettingsOnlyWriteLeavesTheMacrosAlone) {
    Rig rig(10);
    const auto before = rig.mouse.firmware().eeprom();
    image::ConfigImage image;
    image::LoadDefaultImage(image);
    image.macroArea10.fill(0);
    const TransferTotals totals = WriteAllAreas(rig.transport, 10, image, false);
    EXPECT_EQ(totals.ranges, 2);
    EXPECT_EQ(totals.chunks, 13);
    EXPECT_EQ(WriteAllChunkCount(10, false), 13);
    EXPECT_TRUE(std::equal(before.begin() + 512, before.end(),
                           rig.mouse.firmware().eeprom().begin() + 512));
}

TEST(DeviceOperationsTest, DeviceTypeIsZeroUnlessTwoOrTen) {
    for (auto [stored, expected] :
         std::vector<std::pair<int, int>>{{2, 2}, {10, 10}, {0xFF, 0}, {3, 0}, {0, 0}}) {
        Rig rig(10);
        rig.mouse.firmware().eeprom()[42] = static_cast<std::uint8_t>(stored);
        EXPECT_EQ(ReadDeviceType(rig.transport), expected) << stored;
    }
    Rig silent(10);
    silent.mouse.faults().silent = true;
    EXPECT_EQ(ReadDeviceType(silent.transport), 0);
}

}  // namespace
}  // namespace vtr::device

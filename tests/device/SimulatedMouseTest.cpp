#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "device/DeviceOperations.h"
#include "device/SimulatedMouse.h"
#include "image/CheckByte.h"
#include "image/DefaultImage.h"
#include "image/FileIo.h"
#include "support/TempDir.h"

namespace vtr::device {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

TEST(FactoryEepromTest, TypeTenHoldsTheDefaultImageAtItsAddresses) {
    const auto eeprom = MouseFirmware::FactoryEeprom(10);
    const auto image = image::BuiltInDefaultImage();
    EXPECT_TRUE(std::equal(image.begin(), image.begin() + 43, eeprom.begin()));
    EXPECT_TRUE(std::equal(image.begin() + 43, image.begin() + 71, eeprom.begin() + 64));
    EXPECT_TRUE(std::equal(image.begin() + 71, image.end(), eeprom.begin() + 512));
    EXPECT_EQ(eeprom[42], 10);
}

TEST(FactoryEepromTest, TypeTwoHasItsTypeByteAndValidRecords) {
    const auto eeprom = MouseFirmware::FactoryEeprom(2);
    EXPECT_EQ(eeprom[42], 2);
    // Section A still verifies; the type byte is outside it.
    EXPECT_EQ(image::CheckByte(std::span(eeprom).first(37)), eeprom[37]);
    std::size_t p = 92;
    int records = 0;
    while (p < 256 && eeprom[p] != 0) {
        const std::size_t length = eeprom[p];
        ASSERT_LE(p + length, 255u);
        EXPECT_EQ(image::CheckByte(std::span(eeprom).subspan(p, length)), eeprom[p + length]);
        p += length + 1;
        ++records;
    }
    EXPECT_EQ(records, 2);
    EXPECT_TRUE(std::all_of(eeprom.begin() + static_cast<long>(p), eeprom.begin() + 256,
                            [](auto b) { return b == 0; }));
}

TEST(SimulatedMouseTest, OffersAConfigurationAndAPointerInterface) {
    SimulatedMouse mouse;
    const auto interfaces = mouse.enumerate();
    ASSERT_EQ(interfaces.size(), 2u);
    int config = 0;
    for (const auto& info : interfaces) {
        EXPECT_EQ(info.vendorId, 0x1BCF);
        EXPECT_EQ(info.productId, 0x08A0);
        config += info.featureReportLength == 8;
    }
    EXPECT_EQ(config, 1);
    auto pointer = mouse.open(SimulatedMouse::kPointerPath, nullptr);
    ASSERT_TRUE(pointer);
    const Bytes status = {4, 3, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(pointer->sendFeatureReport(status), -1);
    std::string error;
    EXPECT_FALSE(mouse.open("sim:nothing", &error));
    EXPECT_FALSE(error.empty());
}

TEST(SimulatedMouseTest, RefusesRangesOutsideTheMemory) {
    SimulatedMouse mouse;
    VirtualClock clock;
    Transport transport(mouse, clock);
    ASSERT_TRUE(transport.OpenDevice(0x1BCF, 0x08A0));
    Bytes buffer(2);
    EXPECT_FALSE(transport.ReadMemory(1023, buffer).announced);
    EXPECT_TRUE(transport.ReadMemory(1022, buffer).ok());
}

using SimulatedMouseFileTest = vtr::testing::TempDirTest;

TEST_F(SimulatedMouseFileTest, KeepsItsMemoryAcrossRuns) {
    const fs::path file = dir_ / "state" / "mouse.bin";
    {
        SimulatedMouse mouse;
        ASSERT_FALSE(mouse.attachFile(file, 10));
        EXPECT_EQ(fs::file_size(file), 1024u);
        VirtualClock clock;
        Transport transport(mouse, clock);
        ASSERT_TRUE(transport.OpenDevice(0x1BCF, 0x08A0));
        const auto result = ConfigTransaction(
            transport, [](Transport& t) { return t.WriteMemory(64, Bytes(28, 0x42)).ok(); });
        EXPECT_TRUE(result.bodyOk);
    }
    SimulatedMouse again(2);
    ASSERT_FALSE(again.attachFile(file, 2));
    EXPECT_EQ(again.firmware().deviceType(), 10) << "an existing memory keeps its type";
    EXPECT_EQ(again.firmware().eeprom()[64], 0x42);
    EXPECT_EQ(again.firmware().eeprom()[91], 0x42);
}

TEST_F(SimulatedMouseFileTest, RejectsAFileOfTheWrongSize) {
    const fs::path file = dir_ / "short.bin";
    ASSERT_FALSE(image::WriteFileAtomically(file, Bytes(583, 0)));
    SimulatedMouse mouse;
    const auto error = mouse.attachFile(file, 10);
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("583"), std::string::npos);
    EXPECT_EQ(fs::file_size(file), 583u) << "the file is left alone";
}

}  // namespace
}  // namespace vtr::device

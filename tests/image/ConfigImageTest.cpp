#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "image/CheckByte.h"
#include "image/ConfigImage.h"
#include "image/DefaultImage.h"

namespace vtr::image {
namespace {

using Bytes = std::vector<std::uint8_t>;

WorkingImage defaultWorking() {
    ConfigImage image;
    LoadDefaultImage(image);
    return ToWorkingImage(image);
}

Bytes sectionA(const WorkingImage& w) {
    return {w.begin(), w.begin() + 38};
}
Bytes sectionB(const WorkingImage& w) {
    return {w.begin() + 38, w.begin() + 43};
}
Bytes profile(const WorkingImage& w) {
    return {w.begin() + 43, w.end()};
}

TEST(CheckByteTest, SumModulo256XorWithFiveA) {
    const Bytes abc = {'a', 'b', 'c'};
    EXPECT_EQ(CheckByte(abc), 0x7C);
    EXPECT_EQ(CheckByte(Bytes(27, 0)), 0x5A);
    EXPECT_EQ(CheckByte(Bytes(2, 0x80)), 0x5A);  // the sum wraps to 0
}

TEST(SectionChecksTest, ShippedImagePassesAllThreeUnchanged) {
    WorkingImage w = defaultWorking();
    const WorkingImage before = w;
    EXPECT_FALSE(CheckParameterASection(w));
    EXPECT_FALSE(CheckParameterBSection(w));
    EXPECT_FALSE(CheckProfileSection(w));
    EXPECT_EQ(w, before);
    EXPECT_EQ(w[37], 0xD5);
    EXPECT_EQ(w[70], 0x31);
}

TEST(SectionChecksTest, AllFFParameterAreaIsRepaired) {
    WorkingImage w = defaultWorking();
    std::fill_n(w.begin(), 43, 0xFF);
    EXPECT_TRUE(CheckParameterASection(w));
    EXPECT_TRUE(CheckParameterBSection(w));

    Bytes expectedA(kParameterARepair.begin(), kParameterARepair.end());
    expectedA.push_back(0x03);
    EXPECT_EQ(sectionA(w), expectedA);
    EXPECT_EQ(sectionB(w), (Bytes{0x01, 0xFE, 0x01, 0xFE, 0xFF}));  // type byte untouched
}

TEST(SectionChecksTest, OneChangedByteReplacesTheWholeSectionA) {
    WorkingImage w = defaultWorking();
    w[1] = 0x02;  // CPI level count, check byte not recomputed
    EXPECT_TRUE(CheckParameterASection(w));
    EXPECT_EQ(w[0], 0xFF);
    EXPECT_EQ(w[9], 0x01);
    EXPECT_EQ(w[1], 0x04);
    EXPECT_EQ(w[37], 0x03);
}

TEST(SectionChecksTest, RecomputedCheckByteKeepsAnEdit) {
    WorkingImage w = defaultWorking();
    w[1] = 0x02;
    w[37] = ParameterACheckByte(w);
    EXPECT_FALSE(CheckParameterASection(w));
    EXPECT_EQ(w[1], 0x02);
}

TEST(SectionChecksTest, ComplementPairsAreCheckedEachOnTheirOwn) {
    struct Case {
        Bytes in;
        Bytes out;
    };
    const Case cases[] = {
        {{0x01, 0xFE, 0x12, 0xED, 0x0A}, {0x01, 0xFE, 0x12, 0xED, 0x0A}},
        {{0x01, 0xFE, 0x12, 0xEC, 0x0A}, {0x01, 0xFE, 0x01, 0xFE, 0x0A}},
        {{0x06, 0xF9, 0x00, 0xFF, 0x02}, {0x06, 0xF9, 0x00, 0xFF, 0x02}},
        {{0x00, 0x00, 0x93, 0x6C, 0x0A}, {0x01, 0xFE, 0x93, 0x6C, 0x0A}},
        {{0xFF, 0xFF, 0xFF, 0xFF, 0x33}, {0x01, 0xFE, 0x01, 0xFE, 0x33}},
    };
    for (const Case& c : cases) {
        WorkingImage w = defaultWorking();
        std::copy(c.in.begin(), c.in.end(), w.begin() + 38);
        const bool repaired = CheckParameterBSection(w);
        EXPECT_EQ(sectionB(w), c.out);
        EXPECT_EQ(repaired, c.in != c.out);
    }
}

TEST(SectionChecksTest, ZeroButtonTableBecomesTheRepairSet) {
    WorkingImage w = defaultWorking();
    std::fill(w.begin() + 43, w.end(), 0);
    EXPECT_TRUE(CheckProfileSection(w));
    Bytes expected(kButtonTableRepair.begin(), kButtonTableRepair.end());
    expected.push_back(0xD4);
    EXPECT_EQ(profile(w), expected);
    // Sections A and B are not touched by the profile check.
    EXPECT_EQ(sectionA(w), sectionA(defaultWorking()));
}

TEST(WorkingImageTest, RoundTripsThroughTheConfigurationImage) {
    ConfigImage image;
    LoadDefaultImage(image);
    WorkingImage w = ToWorkingImage(image);
    w[50] = 0x42;
    ConfigImage back = image;
    FromWorkingImage(w, back);
    EXPECT_EQ(back.profileArea[7], 0x42);
    EXPECT_EQ(back.macroArea10, image.macroArea10);
    EXPECT_EQ(ToWorkingImage(back), w);
}

TEST(ProfileBytesTest, LayoutPerDeviceType) {
    ConfigImage image;
    LoadDefaultImage(image);
    image.macroArea2.fill(0x22);
    const auto type10 = image.toProfileBytes(10);
    ASSERT_EQ(type10.size(), 583u);
    EXPECT_TRUE(std::equal(type10.begin(), type10.end(), BuiltInDefaultImage().begin()));
    const auto type2 = image.toProfileBytes(2);
    ASSERT_EQ(type2.size(), 235u);
    EXPECT_EQ(type2[71], 0x22);
    EXPECT_EQ(type2[234], 0x22);
    EXPECT_TRUE(image.toProfileBytes(0).empty());
    EXPECT_TRUE(image.toProfileBytes(0xFF).empty());
}

TEST(ProfileBytesTest, LoadingTakesWhatTheBytesHoldAndKeepsTheRest) {
    ConfigImage original;
    LoadDefaultImage(original);
    struct Case {
        std::size_t size;
        bool parameterReplaced;
        bool profileReplaced;
        std::size_t macroBytesReplaced;
    };
    const Case cases[] = {
        {0, false, false, 0},  {20, false, false, 0},  {71, true, true, 0},
        {100, true, true, 29}, {583, true, true, 512}, {700, true, true, 512},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        ConfigImage image = original;
        const Bytes file(c.size, 0x77);
        image.loadProfileBytes(file, 10);
        if (c.size == 20) {
            EXPECT_EQ(image.parameterArea[19], 0x77);
            EXPECT_EQ(image.parameterArea[20], original.parameterArea[20]);
        }
        EXPECT_EQ(image.parameterArea[42] == 0x77, c.parameterReplaced);
        EXPECT_EQ(image.profileArea[27] == 0x77, c.profileReplaced);
        const auto replaced = std::count(image.macroArea10.begin(), image.macroArea10.end(), 0x77);
        EXPECT_EQ(static_cast<std::size_t>(replaced), c.macroBytesReplaced);
        EXPECT_EQ(image.macroArea2, original.macroArea2);  // the other layout is never touched
    }
}

}  // namespace
}  // namespace vtr::image

#include "text/LayoutDescriptor.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vtr::text {
namespace {

std::span<const std::uint8_t> bytesOf(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

LayoutDescriptor parse(std::string_view text, std::string_view section = "org1") {
    return LayoutDescriptor::Parse(bytesOf(text), section);
}

TEST(LayoutDescriptorTest, ReadingLinesAndSections) {
    struct Lookup {
        const char* key;
        std::optional<std::string> value;  // none: the key is missing
    };
    struct Case {
        const char* why;
        std::string text;
        std::size_t keys;
        std::vector<Lookup> lookups;
    };
    const Case cases[] = {
        {"keys and values are trimmed, names ignore case",
         "[org1]\r\n  P1_X =  170 \r\nsize_a\t=\t8\r\n",
         2,
         {{"P1_X", "170"}, {"p1_x", "170"}, {"SIZE_A", "8"}}},
        {"LF, CR LF and lone CR all end lines; the last line needs no end",
         "[org1]\nA=1\r\nB=2\rC=3",
         3,
         {{"A", "1"}, {"B", "2"}, {"C", "3"}}},
        {"comments, banners, blank lines and lines without = carry nothing",
         "// VTR6420KD layout 1\n\n; a comment: X=1\n   ; indented comment\n[org1]\nstray words\n"
         "//another banner\nKey1_X=10\n",
         1,
         {{"Key1_X", "10"}, {"X", std::nullopt}}},
        {"only the named section counts; its name ignores case and spaces",
         "Orphan=1\n[org2]\nKey1_X=200\n[ ORG1 "
         "]\nKey1_X=100\n[org3]\nKey2_X=300\n[Org1]\nKey2_X=150\n",
         2,
         {{"Orphan", std::nullopt}, {"Key1_X", "100"}, {"Key2_X", "150"}}},
        {"a key given twice keeps its first value",
         "[org1]\nSize_A=8\nsize_a=12\n",
         1,
         {{"Size_A", "8"}}},
        {"the value runs from the first = to the end of the line",
         "[org1]\nWeb=https://example.org/?a=b&c=d\nEmpty=\n",
         2,
         {{"Web", "https://example.org/?a=b&c=d"}, {"Empty", ""}}},
        {"a line with an empty key is ignored", "[org1]\n=5\n  = 6\nGood=7\n", 1, {{"Good", "7"}}},
        {"bytes of other code pages pass through untouched",
         "[org1]\n; \xB0\xB4\xBC\xFC\xCE\xBB\xD6\xC3\nName=\xB0\xB4\xBC\xFC\n",
         1,
         {{"Name", "\xB0\xB4\xBC\xFC"}}},
        {"brackets that do not close a line open no section",
         "[org2]\n[org1\nA=1\n",
         0,
         {{"A", std::nullopt}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const LayoutDescriptor descriptor = parse(c.text);
        EXPECT_EQ(descriptor.size(), c.keys);
        for (const Lookup& lookup : c.lookups) {
            SCOPED_TRACE(lookup.key);
            EXPECT_EQ(descriptor.text(lookup.key), lookup.value);
            EXPECT_EQ(descriptor.contains(lookup.key), lookup.value.has_value());
        }
    }
}

TEST(LayoutDescriptorTest, KeysAreListedInLowerCase) {
    const LayoutDescriptor descriptor = parse("[org1]\nP1_Y=1\nBtn_A1_X=2\n");
    EXPECT_EQ(descriptor.keys(), (std::vector<std::string>{"btn_a1_x", "p1_y"}));
}

TEST(LayoutDescriptorTest, IntegersAreDecimalOnly) {
    struct Case {
        const char* value;
        std::optional<int> expected;
    };
    const Case cases[] = {
        {"513", 513},
        {"0", 0},
        {"007", 7},
        {"-12", -12},
        {"+12", 12},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999999", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"+-1", std::nullopt},
        {"1 2", std::nullopt},
        {"12px", std::nullopt},
        {"0x1F", std::nullopt},
        {"$1F", std::nullopt},
        {"1.5", std::nullopt},
        {"one", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        const LayoutDescriptor descriptor = parse(std::string("[org1]\nValue=") + c.value + "\n");
        EXPECT_EQ(descriptor.integer("Value"), c.expected);
        EXPECT_EQ(descriptor.integer("value"), c.expected);
    }
    EXPECT_EQ(parse("[org1]\n").integer("Missing"), std::nullopt);
}

TEST(LayoutDescriptorTest, ColoursComeFromThreeKeys) {
    struct Case {
        const char* why;
        const char* text;
        std::optional<Colour> expected;
    };
    const Case cases[] = {
        {"all three present", "Color_A_R=0\nColor_A_G=255\nColor_A_B=255\n", Colour{0, 255, 255}},
        {"names ignore case", "color_a_r=1\nCOLOR_A_G=2\nColor_A_b=3\n", Colour{1, 2, 3}},
        {"a missing part", "Color_A_R=0\nColor_A_G=255\n", std::nullopt},
        {"a part above 255", "Color_A_R=256\nColor_A_G=0\nColor_A_B=0\n", std::nullopt},
        {"a negative part", "Color_A_R=0\nColor_A_G=-1\nColor_A_B=0\n", std::nullopt},
        {"a part that is no number", "Color_A_R=0\nColor_A_G=0\nColor_A_B=red\n", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(parse(std::string("[org1]\n") + c.text).colour("Color_A"), c.expected);
    }
    EXPECT_EQ(parse("[org1]\nC_R=1\nC_G=2\nC_B=3\n").colour("c"), (Colour{1, 2, 3}));
    // The window's form of a colour: R + 256 G + 65536 B.
    EXPECT_EQ((Colour{0, 255, 255}).value(), 0xFFFF00);
    EXPECT_EQ((Colour{255, 0, 0}).value(), 0x0000FF);
    EXPECT_EQ((Colour{1, 2, 3}).value(), 0x030201);
}

TEST(LayoutDescriptorTest, ReadsOnlyTheBytesItIsGiven) {
    // The span ends inside a value: the rest of the buffer must not be read.
    const std::string buffer = "[org1]\nKey1_X=12345\nKey2_X=9\n";
    const std::size_t end = buffer.find("45");
    const LayoutDescriptor descriptor = LayoutDescriptor::Parse(
        std::span(reinterpret_cast<const std::uint8_t*>(buffer.data()), end), "org1");
    EXPECT_EQ(descriptor.integer("Key1_X"), 123);
    EXPECT_FALSE(descriptor.contains("Key2_X"));

    EXPECT_EQ(LayoutDescriptor::Parse({}, "org1").size(), 0u);
    const std::uint8_t zeros[] = {0, 0, '[', 0, ']', '=', 0};
    EXPECT_EQ(LayoutDescriptor::Parse(zeros, "org1").size(), 0u);
}

}  // namespace
}  // namespace vtr::text

#include <gtest/gtest.h>

#include "MacroFixture.h"
#include "macros/MacroRecord.h"
#include "macros/StepList.h"

namespace vtr::macros {
namespace {

using testing::Bytes;
using testing::Record;

Bytes Pairs(int count, std::uint8_t value) {
    Bytes bytes;
    for (int i = 0; i < count; ++i) {
        bytes.insert(bytes.end(), {0xFE, value});
    }
    return bytes;
}

Bytes Join(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(StepListTest, DecodingRecords) {
    struct Case {
        const char* what;
        Bytes record;
        StepLines lines;
        DelayMode mode;
        int defaultDelay;
    };
    const Case cases[] = {
        {"one delay", {0x03, 0xFE, 0x0C, 0x57}, {"10", "0 96"}, DelayMode::Record, 0},
        {"four equal delays",
         Record(Join(Join({0x82, 0x04, 0xFE, 0x0C, 0x02, 0x04, 0xFE, 0x0C},
                          {0x82, 0x05, 0xFE, 0x0C, 0x02, 0x05}),
                     {0xFE, 0x0C})),
         {"0196", "1 A CODE:8204", "0 96", "2 A CODE:0204", "0 96", "1 B CODE:8205", "0 96",
          "2 B CODE:0205", "0 96"},
         DelayMode::Default,
         96},
        {"four delays of 0 ms",
         Record({0xA1, 0xFE, 0x00, 0x21, 0xFE, 0x00, 0xA1, 0xFE, 0x00, 0x21, 0xFE, 0x00}),
         {"00", "1 LeftKey CODE:00A1", "0 0", "2 LeftKey CODE:0021", "0 0", "1 LeftKey CODE:00A1",
          "0 0", "2 LeftKey CODE:0021", "0 0"},
         DelayMode::None,
         0},
        {"five FE FF pairs", Record(Pairs(5, 0xFF)), {"10", "0 10200"}, DelayMode::Record, 0},
        {"six FE FF pairs",
         Record(Pairs(6, 0xFF)),
         {"10", "0 10200", "0 2040"},
         DelayMode::Record,
         0},
        {"ends with a mouse release",
         Record({0xB0, 0x30}),
         {"00", "1 Backward CODE:00B0", "2 Backward CODE:0030"},
         DelayMode::None,
         0},
        {"every mouse button",
         Record({0xA2, 0x22, 0xA4, 0x24, 0xA8, 0x28}),
         {"00", "1 RightKey CODE:00A2", "2 RightKey CODE:0022", "1 MiddleKey CODE:00A4",
          "2 MiddleKey CODE:0024", "1 Forward CODE:00A8", "2 Forward CODE:0028"},
         DelayMode::None,
         0},
        // 03 FE A3 has the check byte FE: it is not a delay pair of its own.
        {"check byte FE after a delay",
         {0x03, 0xFE, 0xA3, 0xFE},
         {"10", "0 1304"},
         DelayMode::Record,
         0},
        {"modifiers and shared key codes",
         Record({0x81, 0x08, 0x81, 0x80, 0x01, 0x01, 0x82, 0xE0, 0x02, 0xE7, 0x82, 0x32}),
         {"00", "1 Left Windows CODE:8108", "1 Right Windows CODE:8180", "2 Ctrl CODE:0101",
          "1 Left Ctrl CODE:82E0", "2 Win CODE:02E7", "1  CODE:8232"},
         DelayMode::None,
         0},
        {"codes without lines",
         Record({0xFC, 0xFD, 0x82, 0x81, 0x10, 0x01, 0x03, 0x77, 0x20, 0xA3, 0x21}),
         {"00", "2 LeftKey CODE:0021"},
         DelayMode::None,
         0},
        {"no steps", Record({}), {"00"}, DelayMode::None, 0},
        {"the empty type-10 record", {0x01, 0xFF}, {"00"}, DelayMode::None, 0},
        {"no record", {}, {"00"}, DelayMode::None, 0},
        // Bytes cut off before the length byte says: nothing past them is read.
        {"cut record", {0x10, 0xFE}, {"00", "0 0"}, DelayMode::None, 0},
        {"cut key", {0x10, 0x82}, {"00", "1  CODE:8200"}, DelayMode::None, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const DecodedSteps decoded = MacroBufToSteps(c.record);
        EXPECT_EQ(decoded.lines, c.lines);
        EXPECT_EQ(decoded.mode, c.mode);
        if (c.mode == DelayMode::Default) {
            EXPECT_EQ(decoded.defaultDelay, c.defaultDelay);
        }
    }
}

TEST(StepListTest, EncodingLines) {
    struct Case {
        std::vector<std::string> lines;  // without the header
        Bytes steps;
    };
    const Case cases[] = {
        {{"0 2040"}, {0xFE, 0xFF, 0xFE, 0x00}},
        {{"0 100"}, {0xFE, 0x0C}},
        {{"0 5"}, {0xFE, 0x00}},
        {{"0 0"}, {0xFE, 0x00}},
        {{"0 10200"}, Join(Pairs(5, 0xFF), {0xFE, 0x00})},
        {{"0 4100"}, {0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0x02}},
        {{"0 x"}, {0xFE, 0x00}},
        {{"1 LeftKey CODE:00A1", "2 Backward CODE:0030"}, {0xA1, 0x30}},
        {{"1 A CODE:8204", "2 Left Windows CODE:0108"}, {0x82, 0x04, 0x01, 0x08}},
        {{"1 odd CODE:82G4", "", "2"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines.front());
        EXPECT_EQ(StepsToStepBytes(c.lines, 254), c.steps);
    }
    EXPECT_EQ(StepsToStepBytes(std::vector<std::string>{"0 10200"}, 11), std::nullopt);
    EXPECT_EQ(StepsToStepBytes(std::vector<std::string>{"0 999999999999999999"}, 254),
              std::nullopt);
}

TEST(StepListTest, DecodingThenEncodingKeepsTheSteps) {
    const Bytes steps = {0x81, 0x01, 0xFE, 0x10, 0x82, 0x06, 0xFE, 0xFF, 0xFE,
                         0x00, 0x02, 0x06, 0x01, 0x01, 0xA1, 0xFE, 0x01, 0x21};
    const DecodedSteps decoded = MacroBufToSteps(Record(steps));
    EXPECT_EQ(decoded.lines[2], "0 128");
    EXPECT_EQ(decoded.lines[4], "0 2040") << "FE FF FE 00 is one line";
    EXPECT_EQ(StepsToStepBytes(std::span(decoded.lines).subspan(1), 254), steps);
}

TEST(StepListTest, StoringStepsInBothLayouts) {
    image::ConfigImage image;
    MacroMemory memory;

    // Type 2: no steps is the valid record 01 5B.
    memory.bind(2, image.macroArea(2));
    ASSERT_TRUE(StepsToMacroBuf(memory, 3, StepLines{"10"}));
    EXPECT_EQ(memory.storedLength(3), 2);
    EXPECT_EQ(image.macroArea2[0], 0x01);
    EXPECT_EQ(image.macroArea2[1], 0x5B);
    ASSERT_TRUE(StepsToMacroBuf(memory, 3, StepLines{}));
    EXPECT_EQ(memory.storedLength(3), 2);

    // 162 step bytes fit a type-2 buffer, but not beside the 2 bytes of slot
    // 3; 163 never fit. A refused list leaves the macro as it was.
    StepLines full = {"00"};
    for (int i = 0; i < 81; ++i) {
        full.push_back("1 A CODE:8204");
    }
    EXPECT_FALSE(StepsToMacroBuf(memory, 0, full));
    EXPECT_FALSE(memory.hasMacro(0));
    memory.clearSlot(3);
    ASSERT_TRUE(StepsToMacroBuf(memory, 0, full));
    EXPECT_EQ(memory.storedLength(0), 164);
    full.push_back("1 LeftKey CODE:00A1");
    const Bytes before(image.macroArea2.begin(), image.macroArea2.end());
    EXPECT_FALSE(StepsToMacroBuf(memory, 0, full));
    EXPECT_EQ(Bytes(image.macroArea2.begin(), image.macroArea2.end()), before);
    // ... and a slot that fits its buffer but not the area beside the others.
    EXPECT_FALSE(StepsToMacroBuf(memory, 1, StepLines{"00", "1 LeftKey CODE:00A1"}));
    EXPECT_EQ(Bytes(image.macroArea2.begin(), image.macroArea2.end()), before);

    // Type 10: no steps is 01 FF; encoding twice gives the same length.
    memory.bind(10, image.macroArea(10));
    EXPECT_FALSE(StepsToMacroBuf(memory, 0, StepLines{"10"})) << "slot without a macro";
    memory.setName(0, u"M");
    memory.setEmptyRecord(0);
    const StepLines lines = testing::Tap("10", "A", "04");
    ASSERT_TRUE(StepsToMacroBuf(memory, 0, lines));
    EXPECT_EQ(memory.storedLength(0), 40);
    ASSERT_TRUE(StepsToMacroBuf(memory, 0, lines));
    EXPECT_EQ(memory.storedLength(0), 40);
    ASSERT_TRUE(StepsToMacroBuf(memory, 0, StepLines{"00"}));
    EXPECT_EQ(memory.storedLength(0), 34);
    EXPECT_EQ(image.macroArea10[32], 0x01);
    EXPECT_EQ(image.macroArea10[33], 0xFF);
}

TEST(StepListTest, RowsOfTheStepView) {
    const StepLines lines = {"10",
                             "1 A CODE:8204",
                             "0 96",
                             "2 A CODE:0204",
                             "2 LeftKey CODE:0021",
                             "1 Page Up CODE:824B"};
    struct Case {
        int row;
        int icon;
        const char* text;
    };
    const Case cases[] = {
        {0, 1, "A"},       {1, 0, "96 ms"}, {2, 2, "A"}, {3, 2, "LeftKey"},
        {4, 1, "Page Up"}, {5, 0, ""},      {-1, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        const StepRow row = StepRowOf(lines, c.row);
        EXPECT_EQ(row.icon, c.icon);
        EXPECT_EQ(row.text, c.text);
    }
}

TEST(StepListTest, LineHelpers) {
    EXPECT_EQ(StepName("1 Left Windows CODE:8108"), "Left Windows");
    EXPECT_EQ(StepName("0 96"), "");
    EXPECT_EQ(StepName("1  CODE:8200"), "");
    EXPECT_EQ(MouseStepLine(MouseButton::Forward, true), "1 Forward CODE:00A8");
    EXPECT_EQ(MouseStepLine(MouseButton::Backward, false), "2 Backward CODE:0030");
    EXPECT_EQ(HeaderLine(DelayMode::Default, "50"), "0150");

    const std::pair<long long, int> counts[] = {{0, 0},    {1, 2},    {100, 2},    {2040, 2},
                                                {2041, 4}, {4080, 4}, {10200, 10}, {10199, 10}};
    for (const auto& [ms, count] : counts) {
        EXPECT_EQ(DelayLineCount(ms), count) << ms;
    }
}

TEST(StepBytesToRecordTest, RecordsAreFramedAndNeverWrapTheirLength) {
    const std::vector<std::uint8_t> two = {0x82, 0x04};
    const auto record = StepBytesToRecord(two, image::kDeviceType10);
    EXPECT_EQ(record.size(), 4u);
    EXPECT_EQ(record[0], 3);
    EXPECT_TRUE(RecordIsValid(record));
    EXPECT_EQ(StepBytesToRecord({}, image::kDeviceType10), (std::vector<std::uint8_t>{0x01, 0xFF}));

    // More steps than a record can count are cut, not wrapped to a length of 0.
    const std::vector<std::uint8_t> many(300, 0x82);
    const auto cut = StepBytesToRecord(many, image::kDeviceType10);
    EXPECT_EQ(cut[0], 0xFF);
    EXPECT_EQ(cut.size(), 256u);
    EXPECT_TRUE(RecordIsValid(cut));
}

}  // namespace
}  // namespace vtr::macros

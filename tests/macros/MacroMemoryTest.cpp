#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "MacroFixture.h"

namespace vtr::macros {
namespace {

using testing::Bytes;
using testing::Concat;
using testing::Entry10;
using testing::Record;

class MacroMemoryTest : public testing::MacroTest {};

// Name field 00 41 00 42 + 28 zeros, record 07 82 04 FE 0C 02 04 C7.
const Bytes kWorkedExample = [] {
    Bytes bytes = {0x00, 0x41, 0x00, 0x42};
    bytes.resize(32, 0);
    bytes.insert(bytes.end(), {0x07, 0x82, 0x04, 0xFE, 0x0C, 0x02, 0x04, 0xC7});
    return bytes;
}();

TEST_F(MacroMemoryTest, WorkedExampleByteForByte) {
    // Made through the page: a new macro "AB" with press A, 96 ms, release A.
    Load(10, {});
    AddMacro("AB", testing::Tap("10", "A", "04"));
    Bytes expected = kWorkedExample;
    expected.resize(512, 0);
    EXPECT_EQ(Area(10), expected);
    EXPECT_EQ(memory_.storedLength(0), 40);
    EXPECT_EQ(memory_.address(0), 544);
    EXPECT_EQ(memory_.totalBytes(), 40);

    // A second macro starts at device address 552 with address 584.
    AddMacro("C", testing::Tap("10", "C", "06"));
    EXPECT_EQ(memory_.address(1), 584);
    EXPECT_EQ(Area(10)[40 + 1], 'C');

    // And parsed back from the bytes alone.
    Load(10, kWorkedExample);
    EXPECT_EQ(memory_.macroNames(), std::vector<std::u16string>{u"AB"});
    EXPECT_EQ(memory_.name(0), "AB");
    EXPECT_EQ(memory_.nameCount(), 1u);
    const Bytes record(memory_.record(0).begin(), memory_.record(0).end());
    EXPECT_EQ(record, (Bytes{0x07, 0x82, 0x04, 0xFE, 0x0C, 0x02, 0x04, 0xC7}));
}

TEST_F(MacroMemoryTest, EmptyAreas) {
    Load(10, {});
    EXPECT_TRUE(memory_.macroNames().empty());
    EXPECT_EQ(memory_.totalBytes(), 0);
    EXPECT_EQ(memory_.startAddresses().size(), 15u);
    EXPECT_EQ(memory_.address(0), 544) << "the first slot's address is fixed";

    Load(2, {});
    EXPECT_EQ(memory_.macroNames(),
              (std::vector<std::u16string>{u"Macro1", u"Macro2", u"Macro3", u"Macro4", u"Macro5"}));
    EXPECT_EQ(memory_.nameCount(), 5u);
    EXPECT_EQ(memory_.name(4), "Macro5");
    EXPECT_EQ(memory_.totalBytes(), 0);
    for (std::size_t slot = 0; slot < 5; ++slot) {
        EXPECT_FALSE(memory_.hasMacro(slot));
    }
    EXPECT_EQ(memory_.address(0), 92);
}

TEST_F(MacroMemoryTest, EmptyType10RecordSurvivesEveryParse) {
    const Bytes area = Entry10(u"Nothing", {0x01, 0xFF});
    Load(10, area);
    EXPECT_EQ(memory_.storedLength(0), 34);
    EXPECT_EQ(memory_.macroNames(), std::vector<std::u16string>{u"Nothing"});
    Bytes expected = area;
    expected.resize(512, 0);
    EXPECT_EQ(Area(10), expected);
    editor_.ReadAndRefreshMacro();
    EXPECT_EQ(Area(10), expected);
    EXPECT_EQ(MacroBufToSteps(memory_.record(0)).lines, StepLines{"00"});
}

TEST_F(MacroMemoryTest, NamesOfSixteenUnitsAndBeyondTheBasicPlane) {
    const std::u16string sixteen = u"ABCDEFGHIJKLMNOP";
    const std::u16string astral = u"x\U0001F600y";
    Load(10, Concat({Entry10(sixteen, Record({})), Entry10(astral, Record({}))}));
    ASSERT_EQ(memory_.macroNames().size(), 2u);
    EXPECT_EQ(memory_.macroNames()[0], sixteen) << "no terminating zero is needed";
    EXPECT_EQ(memory_.macroNames()[1], astral);
    EXPECT_EQ(memory_.name(1), "x\xF0\x9F\x98\x80y");
    // High byte first.
    EXPECT_EQ(Area(10)[0], 0x00);
    EXPECT_EQ(Area(10)[1], 'A');
    EXPECT_EQ(Area(10)[31], 'P');
}

TEST_F(MacroMemoryTest, Type2EmptySlotsLetLaterMacrosMoveUp) {
    Load(2, {});
    ASSERT_TRUE(StepsToMacroBuf(memory_, 0, testing::Tap("10", "A", "04")));
    ASSERT_TRUE(StepsToMacroBuf(memory_, 1, testing::Tap("10", "B", "05")));
    EXPECT_EQ(memory_.address(1), 92 + 8);
    const Bytes second(memory_.record(1).begin(), memory_.record(1).end());

    // Clearing the first macro, then parsing again: the second is Macro1 now.
    ASSERT_TRUE(editor_.LB_MacroNameClick(0).done);
    ASSERT_TRUE(editor_.Btn_ClearClick([](std::string_view) { return true; }).done);
    editor_.ReadAndRefreshMacro();
    EXPECT_EQ(Bytes(memory_.record(0).begin(), memory_.record(0).end()), second);
    EXPECT_FALSE(memory_.hasMacro(1));
    EXPECT_EQ(memory_.address(1), 0) << "a slot without a macro has address 0";
}

TEST_F(MacroMemoryTest, FailedCheckBytes) {
    Bytes bad = Record({0x82, 0x04});
    bad.back() ^= 1;
    const Bytes good = Record({0x82, 0x05, 0x02, 0x05});

    // Type 2: the record is removed and the next one moves into its slot.
    Load(2, Concat({bad, good}));
    EXPECT_EQ(Bytes(memory_.record(0).begin(), memory_.record(0).end()), Bytes{});
    EXPECT_FALSE(memory_.hasMacro(0));
    EXPECT_EQ(memory_.address(1), 92) << "packed to the start";
    const Bytes area2 = Area(2);
    EXPECT_EQ(Bytes(area2.begin(), area2.begin() + 6), good);
    editor_.ReadAndRefreshMacro();
    EXPECT_EQ(Bytes(memory_.record(0).begin(), memory_.record(0).end()), good);

    // Type 10: the record becomes 01 FF, the name stays, the next entry moves.
    Load(10, Concat({Entry10(u"Bad", bad), Entry10(u"Good", good)}));
    EXPECT_EQ(memory_.macroNames(), (std::vector<std::u16string>{u"Bad", u"Good"}));
    EXPECT_EQ(memory_.storedLength(0), 34);
    EXPECT_EQ(memory_.address(1), 544 + 34);
    const Bytes area10 = Area(10);
    EXPECT_EQ(area10[32], 0x01);
    EXPECT_EQ(area10[33], 0xFF);
    EXPECT_EQ(Bytes(area10.begin() + 34, area10.begin() + 72), Entry10(u"Good", good));
}

TEST_F(MacroMemoryTest, RecordsRunningPastBuffersOrTheArea) {
    const Bytes valid = Record({0xA1, 0x21});
    // A type-10 entry of 32 + n + 2 bytes (n step bytes of FC, which carry no
    // step).
    const auto filler = [](std::size_t n) { return Entry10(u"F", Record(Bytes(n, 0xFC))); };
    const auto with = [](Bytes bytes, std::initializer_list<std::uint8_t> more) {
        bytes.insert(bytes.end(), more);
        return bytes;
    };
    struct Case {
        const char* what;
        int type;
        Bytes area;
        std::vector<std::uint16_t> stored;  // per slot from the first
    };
    const Case cases[] = {
        {"type 2, a record longer than a buffer", 2, {200}, {0, 0, 0, 0, 0}},
        // 4 + 161 bytes end one byte past the area (a buffer would hold them).
        {"type 2, second record past the area", 2, with(valid, {160}), {4, 0, 0, 0, 0}},
        // The second record would need 256 bytes from 320: it keeps its name
        // and becomes 01 FF; nothing behind it is read.
        {"type 10, second record past the area",
         10,
         with(Concat({filler(254), Entry10(u"B", {})}), {255}),
         {288, 34, 0}},
        // The third name field fills the area up to its end: no length byte.
        {"type 10, name field up to the end",
         10,
         Concat({filler(254), filler(158), Entry10(u"C", {})}),
         {288, 192, 0}},
        // The third length byte is the area's last byte: not even 01 FF fits.
        {"type 10, length byte at the last byte",
         10,
         with(Concat({filler(254), filler(157), Entry10(u"C", {})}), {9}),
         {288, 191, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Load(c.type, c.area);
        for (std::size_t slot = 0; slot < c.stored.size(); ++slot) {
            EXPECT_EQ(memory_.storedLength(slot), c.stored[slot]) << "slot " << slot;
        }
        const int sum = std::accumulate(c.stored.begin(), c.stored.end(), 0);
        EXPECT_EQ(memory_.totalBytes(), sum);
        const Bytes packed = Area(c.type);
        editor_.ReadAndRefreshMacro();
        EXPECT_EQ(Area(c.type), packed) << "a second parse changes nothing";
    }
}

TEST_F(MacroMemoryTest, ShortSpansAreReadOnlyAsFarAsTheyGo) {
    Bytes bytes = Concat({Entry10(u"A", Record({0xA1, 0x21})), Entry10(u"B", Record({0xA2}))});
    // The second record ends at 75; a span of 70 bytes cuts it.
    memory_.bind(10, std::span(bytes).first(70));
    memory_.ReadAndRefreshMacro();
    EXPECT_EQ(memory_.storedLength(0), 36);
    EXPECT_EQ(memory_.storedLength(1), 34);
    EXPECT_EQ(memory_.areaSize(), 70u);
}

TEST_F(MacroMemoryTest, ZeroLengthEndsTheType10List) {
    Load(10, Concat({Entry10(u"A", Record({0xA1})), Entry10(u"Hole", Bytes{0}),
                     Entry10(u"B", Record({0xA2}))}));
    EXPECT_EQ(memory_.macroNames(), std::vector<std::u16string>{u"A"});
    const Bytes area = Area(10);
    EXPECT_TRUE(std::all_of(area.begin() + 35, area.end(), [](auto b) { return b == 0; }))
        << "what lay behind the zero is gone after the pack";
}

TEST_F(MacroMemoryTest, ResizingAMacroMovesEveryLaterOne) {
    Load(10, {});
    AddMacro("One", testing::Tap("10", "A", "04"));
    AddMacro("Two", testing::Tap("10", "B", "05"));
    AddMacro("Three", testing::Tap("10", "C", "06"));
    const std::uint16_t two = memory_.address(1);
    const std::uint16_t three = memory_.address(2);
    StepLines longer = testing::Tap("10", "A", "04");
    longer.push_back("0 100");
    longer.push_back("1 LeftKey CODE:00A1");
    ASSERT_TRUE(StepsToMacroBuf(memory_, 0, longer));  // 3 more step bytes
    EXPECT_EQ(memory_.address(1), two + 3);
    EXPECT_EQ(memory_.address(2), three + 3);
    EXPECT_EQ(memory_.totalBytes(), 3 * 40 + 3);
    EXPECT_EQ(memory_.startAddresses()[2], three + 3);
}

}  // namespace
}  // namespace vtr::macros

#include <gtest/gtest.h>

#include "FakeMacros.h"
#include "keys/FunctionCode.h"
#include "text/Language.h"

namespace vtr::keys {
namespace {

using testing::FakeMacros;
using testing::TypeTwoMacros;

class FunctionNameTest : public ::testing::Test {
  protected:
    std::string Name(std::string_view code, const MacroDirectory& macros) {
        return FunctionDisplayName(code, languages_, macros);
    }
    std::string Name(std::string_view code) { return Name(code, noMacros_); }

    text::Languages languages_;
    NoMacros noMacros_;
};

TEST_F(FunctionNameTest, NamesInTheOrderOfTheRules) {
    struct Case {
        const char* code;
        const char* name;
    };
    const Case cases[] = {
        // Single mouse buttons only; two at once have no name.
        {"010100", "Left Key"},
        {"010200", "Right Key"},
        {"010400", "Middle Key"},
        {"010800", "Backward"},
        {"011000", "Forward"},
        {"010300", ""},
        {"01010000", ""},  // exact comparison: eight digits are no mouse button
        // Anything beginning "04" is the fire key, whatever follows.
        {"04FE10", "Fire Key"},
        {"040000", "Fire Key"},
        {"040420", "Fire Key"},
        {"04", "Fire Key"},
        {"04zz", "Fire Key"},
        {"050000", "CPI"},
        {"070000", "CPI +"},
        {"080000", "CPI -"},
        {"090000", "LED Switch"},
        {"050100", ""},
        {"090001", ""},
        // Consumer codes match exactly; lower-case digits fall through to the
        // category rule, which names no consumer code.
        {"03018A", "E-Mail"},
        {"03018a", ""},
        {"0300cd", ""},
        {"0300B8", ""},
        {"03022A", "WWW Favorites"},
        {"030224", "Backward"},
        // Keyboard codes: modifiers in a fixed order, then the key's name.
        {"020807", "Win+D"},
        {"020F04", "Ctrl+Shift+Alt+Win+A"},
        {"020504", "Ctrl+Alt+A"},
        {"020000", ""},
        {"020100", "Ctrl+"},
        {"020300", "Ctrl+Shift+"},
        {"0201E3", "Ctrl+Win"},
        {"0201E7", "Ctrl+Win"},
        {"0200E0", "Left Ctrl"},
        {"0202E1", "Shift+Left Shift"},
        {"020132", "Ctrl+"},  // a code no key carries adds nothing
        {"02F004", "A"},      // mask bits 4..7 name nothing
        {"020028", "Enter"},
        {"0200C3", "Media_Play_Pause"},
        {"02010405", "Ctrl+A"},  // a combination: the second key is not named
        {"02080a", "Win+G"},     // the category rule reads either case
        // Other categories and texts that cannot be read have no name.
        {"0A0000", ""},
        {"FFFFFF", ""},
        {"000000", ""},
        {"", ""},
        {"0", ""},
        {"02", ""},
        {"0201", ""},
        {"02010", ""},
        {"0201G4", ""},
        {"02 104", ""},
        {"-20104", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Name(c.code), c.name) << "code text \"" << c.code << "\"";
    }
}

TEST_F(FunctionNameTest, EveryCatalogueFunctionIsNamedByItsOwnKey) {
    FireKey fireKey;
    for (const FunctionEntry& entry : FunctionCatalogue()) {
        const std::string code = CodeForMenuTag(entry.tag, fireKey);
        const text::Caption caption = DescribeFunction(code, languages_, noMacros_);
        EXPECT_EQ(caption.key, std::string(entry.textKey)) << entry.item;
        EXPECT_EQ(caption.text, languages_.text(entry.textKey)) << entry.item;
        EXPECT_FALSE(caption.text.empty()) << entry.item;
    }
}

TEST_F(FunctionNameTest, MacroCodesAreNamedBySlotAddressTheLastEqualSlotWinning) {
    const FakeMacros typeTwo = TypeTwoMacros();
    const FakeMacros typeTen(10, {544, 600, 600, 700, 0}, {"Up", "Twin A", "Twin B", "宏一", ""});
    const FakeMacros unknownType(0, {544}, {"Ghost"});
    struct Case {
        const MacroDirectory* macros;
        const char* code;
        const char* name;
    };
    const Case cases[] = {
        {&typeTwo, "06005C", "Macro1"},  // the first type-2 slot always starts at 0x5C
        {&typeTwo, "060070", "Macro2"},
        {&typeTwo, "060000", "Macro5"},  // empty slots all have address 0
        {&typeTwo, "060071", ""},
        {&typeTen, "060220", "Up"},
        {&typeTen, "060258", "Twin B"},
        {&typeTen, "0602BC", "宏一"},
        {&typeTen, "0602bc", "宏一"},
        {&typeTen, "0602BC00", "宏一"},
        {&typeTen, "06005C", ""},
        {&typeTen, "0602", ""},
        {&noMacros_, "06005C", ""},
        {&unknownType, "060220", ""},  // no device type known yet
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Name(c.code, *c.macros), c.name) << c.code;
    }
    const text::Caption caption = DescribeFunction("060220", languages_, typeTen);
    EXPECT_TRUE(caption.verbatim) << "a macro name is never translated";
}

TEST_F(FunctionNameTest, NamesFollowTheCurrentLanguageButMacroAndKeyNamesDoNot) {
    const FakeMacros macros(10, {544}, {"Stop"});
    struct Case {
        const char* code;
        const char* english;
        const char* simplifiedChinese;
    };
    const Case cases[] = {
        {"010100", "Left Key", "左键"},
        {"040420", "Fire Key", "连击键"},
        {"0300B7", "Stop", "停止"},
        {"030226", "WWW Stop", "停止"},
        {"03022A", "WWW Favorites", "收藏夹"},
        {"070000", "CPI +", "CPI +"},
        {"020807", "Win+D", "Win+D"},
        {"060220", "Stop", "Stop"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Name(c.code, macros), c.english) << c.code;
    }
    languages_.setCurrent(3);
    for (const Case& c : cases) {
        EXPECT_EQ(Name(c.code, macros), c.simplifiedChinese) << c.code;
    }
    EXPECT_EQ(DescribeFunction("0300B7", languages_, macros).key, "Str251");
    EXPECT_EQ(DescribeFunction("030226", languages_, macros).key, "Str264");
}

TEST(CodeTextTest, TextToBytesReadsSixDigitsOrNothing) {
    struct Case {
        const char* text;
        std::optional<CodeBytes> bytes;
    };
    const Case cases[] = {
        {"010100", CodeBytes{0x01, 0x01, 0x00}},
        {"03022A", CodeBytes{0x03, 0x02, 0x2A}},
        {"03018a", CodeBytes{0x03, 0x01, 0x8A}},
        {"04FEFF", CodeBytes{0x04, 0xFE, 0xFF}},
        {"02010405", CodeBytes{0x02, 0x01, 0x04}},  // digits beyond the sixth are ignored
        {"020104zz", CodeBytes{0x02, 0x01, 0x04}},
        {"", std::nullopt},
        {"0101", std::nullopt},
        {"01010", std::nullopt},
        {"0G0100", std::nullopt},
        {"01010 ", std::nullopt},
        {" 10100", std::nullopt},
        {"+10100", std::nullopt},
        {"0x0100", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CodeTextToBytes(c.text), c.bytes) << '"' << c.text << '"';
    }
}

TEST(CodeTextTest, BytesToTextIsUpperCaseAndRoundTrips) {
    EXPECT_EQ(BytesToCodeText({0x03, 0x02, 0x2A}), "03022A");
    EXPECT_EQ(BytesToCodeText({0x00, 0x00, 0x00}), "000000");
    for (int b = 0; b < 256; ++b) {
        const auto x = static_cast<std::uint8_t>(b);
        const CodeBytes bytes{x, static_cast<std::uint8_t>(255 - b),
                              static_cast<std::uint8_t>(b * 7)};
        const std::string text = BytesToCodeText(bytes);
        ASSERT_EQ(text.size(), 6u);
        ASSERT_EQ(CodeTextToBytes(text), bytes) << text;
        ASSERT_EQ(text.find_first_of("abcdef"), std::string::npos) << text;
    }
}

TEST(CodeTextTest, MacroAndCombinationTexts) {
    EXPECT_EQ(MacroCodeText(0x005C), "06005C");
    EXPECT_EQ(MacroCodeText(544), "060220");
    EXPECT_EQ(MacroCodeText(0), "060000");
    EXPECT_EQ(MacroCodeText(0xABCD), "06ABCD");
    EXPECT_EQ(CombinationCodeText(0x01, 0x04, 0x05), "02010405");
    EXPECT_EQ(CombinationCodeText(0x0F, 0xE3, 0x00), "020FE300");
    EXPECT_EQ(CombinationCodeText(0, 0, 0), "02000000");
}

TEST(CodeForMenuTagTest, CatalogueCodes) {
    const FireKey fireKey;
    struct Case {
        int tag;
        const char* code;
    };
    const Case cases[] = {
        {900, "010100"},
        {901, "010200"},
        {902, "010400"},
        {903, "010800"},
        {904, "011000"},
        {1000, "040410"},  // repeat 2, delay 16: the values at start
        {1001, "050000"},
        {1002, "070000"},
        {1003, "080000"},
        {1004, "090000"},
        {1100, "030194"},
        {1101, "030192"},
        {1102, "03018A"},
        {1300, "0300CD"},
        {1301, "0300B7"},
        {1302, "0300B6"},
        {1303, "0300B5"},
        {1304, "0300E9"},
        {1305, "0300EA"},
        {1306, "0300E2"},
        {1400, "030223"},
        {1401, "030221"},
        {1402, "030224"},
        {1403, "030225"},
        {1404, "030226"},
        {1405, "030227"},
        {1406, "03022A"},
        // Outside the catalogue: nothing to store.
        {0, ""},
        {1, ""},
        {7, ""},
        {899, ""},
        {905, ""},
        {1005, ""},
        {1103, ""},
        {1200, ""},
        {1307, ""},
        {1407, ""},
        {-900, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CodeForMenuTag(c.tag, fireKey), c.code) << c.tag;
    }
    EXPECT_EQ(FunctionCatalogue().size(), 27u);
}

TEST(CodeForMenuTagTest, FireKeyTakesTheCurrentValuesAsTheyWouldBeLeft) {
    struct Case {
        const char* repeat;
        const char* delay;
        const char* code;
    };
    const Case cases[] = {
        {"2", "16", "040410"},  {"127", "255", "04FEFF"}, {"200", "999", "04FEFF"},
        {"", "", "040402"},     {"1", "1", "040402"},     {"0", "0", "040000"},
        {"01", "32", "040220"}, {"4", "32", "040820"},
    };
    for (const Case& c : cases) {
        FireKey fireKey;
        fireKey.repeat.setText(c.repeat);
        fireKey.delay.setText(c.delay);
        EXPECT_EQ(CodeForMenuTag(kFireKeyTag, fireKey), c.code) << c.repeat << "/" << c.delay;
    }
}

}  // namespace
}  // namespace vtr::keys

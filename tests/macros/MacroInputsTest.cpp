#include <gtest/gtest.h>

#include "macros/MacroInputs.h"

namespace vtr::macros {
namespace {

TEST(DelayEditTest, ValuesStayWithin1And10200) {
    struct Case {
        const char* set;
        const char* text;
        int value;
    };
    const Case cases[] = {
        {"50", "50", 50},
        {"20000", "10200", 10200},
        {"10201", "10200", 10200},
        {"10200", "10200", 10200},
        {"0", "1", 1},
        {"000", "1", 1},
        {"", "", 1},
        {"007", "007", 7},
        {"abc", "1", 1},
    };
    for (const Case& c : cases) {
        DelayEdit edit;
        edit.setText(c.set);
        EXPECT_EQ(edit.text(), c.text) << c.set;
        EXPECT_EQ(edit.value(), c.value) << c.set;
    }
}

TEST(DelayEditTest, Typing) {
    DelayEdit edit;
    EXPECT_EQ(edit.text(), "50");
    EXPECT_EQ(edit.value(), 50);
    edit.type(8);
    edit.type(8);
    EXPECT_EQ(edit.text(), "") << "emptied while typing";
    EXPECT_EQ(edit.value(), 1);
    EXPECT_TRUE(edit.type('0'));
    EXPECT_EQ(edit.text(), "1");
    EXPECT_FALSE(edit.type('x'));
    for (char c : std::string("9999")) {
        edit.type(c);
    }
    EXPECT_EQ(edit.text(), "10200") << "19999 is too much";
    EXPECT_FALSE(edit.type('1')) << "five characters at most";
    edit.setText("");
    edit.insert("1a2b3c4d5e6");
    EXPECT_EQ(edit.text(), "10200");

    edit.setEditable(false);
    edit.setText("70");
    EXPECT_FALSE(edit.type('1'));
    edit.insert("5");
    EXPECT_EQ(edit.text(), "70");
}

TEST(MacroNameInputTest, FourteenUnitsAtMost) {
    MacroNameInput input;
    EXPECT_TRUE(input.insert("ABCDEFGHIJKLMN"));
    EXPECT_FALSE(input.insert("O")) << "a 15th character is refused";
    EXPECT_EQ(input.text(), "ABCDEFGHIJKLMN");
    input.backspace();
    EXPECT_FALSE(input.insert("\xF0\x9F\x98\x80")) << "a pair does not fit one unit";
    EXPECT_EQ(input.text(), "ABCDEFGHIJKLM");
    input.backspace();
    EXPECT_TRUE(input.insert("\xF0\x9F\x98\x80"));
    EXPECT_EQ(input.text(), "ABCDEFGHIJKL\xF0\x9F\x98\x80");
    input.backspace();
    EXPECT_EQ(input.text(), "ABCDEFGHIJKL") << "the whole pair goes";
    input.IB_CancelClick();
    EXPECT_EQ(input.text(), "");
    EXPECT_FALSE(input.insert("0123456789abcdefgh"));
    EXPECT_EQ(input.text(), "0123456789abcd");

    EXPECT_EQ(LimitMacroName(u"0123456789abc\U0001F600"), u"0123456789abc");
}

}  // namespace
}  // namespace vtr::macros

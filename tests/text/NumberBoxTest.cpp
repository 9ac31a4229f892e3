#include <gtest/gtest.h>

#include "text/NumberBox.h"

namespace vtr::text {
namespace {

TEST(NumberBoxTest, LeaveRuleTable) {
    const NumberBox::Rule plain{.emptyDefault = 20, .largest = 255};
    const NumberBox::Rule fire{.emptyDefault = 2, .largest = 127, .oneMeansEmpty = true};
    struct Case {
        NumberBox::Rule rule;
        const char* typed;
        const char* shown;
        int value;
    };
    const Case cases[] = {
        {plain, "", "20", 20},      {plain, "0", "0", 0},       {plain, "007", "007", 7},
        {plain, "255", "255", 255}, {plain, "256", "255", 255}, {plain, "999", "255", 255},
        {plain, "1", "1", 1},       {fire, "1", "2", 2},        {fire, "01", "01", 1},
        {fire, "0", "0", 0},        {fire, "", "2", 2},         {fire, "200", "127", 127},
    };
    for (const Case& c : cases) {
        NumberBox box(c.rule, c.typed);
        EXPECT_EQ(box.value(), c.value) << c.typed;
        EXPECT_EQ(box.text(), c.typed) << "reading the value leaves the text alone";
        box.normalise();
        EXPECT_EQ(box.text(), c.shown) << c.typed;
    }
}

TEST(NumberBoxTest, TypingTakesDigitsAndBackspaceWithinTheLength) {
    NumberBox box({.emptyDefault = 0, .largest = 6});
    for (char c : std::string("1a2 -34")) {
        box.type(c);
    }
    EXPECT_EQ(box.text(), "123");
    EXPECT_TRUE(box.type(8));
    EXPECT_EQ(box.text(), "12");
    box.type(8);
    box.type(8);
    EXPECT_TRUE(box.type(8)) << "Backspace on an empty box is harmless";
    EXPECT_EQ(box.text(), "");

    NumberBox delay({.emptyDefault = 0, .largest = 10200, .maxLength = 5});
    delay.insert("12,345 ms and 6");
    EXPECT_EQ(delay.text(), "12345") << "pasted text keeps only digits, up to the length";
}

TEST(NumberBoxTest, TextsSetFromOutsideStayBounded) {
    NumberBox box({.emptyDefault = 3, .largest = 255}, "abc");
    EXPECT_EQ(box.value(), 3);
    box.setText("99999999999999999999");
    EXPECT_EQ(box.value(), 255);
    box.setValue(42);
    EXPECT_EQ(box.text(), "42");
}

}  // namespace
}  // namespace vtr::text

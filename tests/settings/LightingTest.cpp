#include <gtest/gtest.h>

#include <string>

#include "settings/Lighting.h"

namespace vtr::settings {
namespace {

TEST(LightingTest, OptionsOfAGroupExcludeEachOther) {
    OptionGroup group(4);
    EXPECT_FALSE(group.selected()) << "nothing before the first selection";
    for (int option = 1; option <= 4; ++option) {
        EXPECT_EQ(group.pictureName(option), "RdS_D");
    }
    EXPECT_TRUE(group.select(3));
    EXPECT_TRUE(group.select(1));
    EXPECT_FALSE(group.select(0));
    EXPECT_FALSE(group.select(5));
    EXPECT_EQ(group.selected(), 1);
    for (int option = 1; option <= 4; ++option) {
        EXPECT_EQ(group.isSelected(option), option == 1) << option;
        EXPECT_EQ(group.pictureName(option), option == 1 ? "RdS_E" : "RdS_D") << option;
    }
}

TEST(LightingTest, WordsAndGroupFollowTheFlagBits) {
    struct Case {
        std::uint8_t flags;
        LedWords words;
        LightingGroup group;
    };
    const Case cases[] = {
        {0xCB, {"NT", "Sync", "NoBre", "7Color"}, LightingGroup::NT},  // the shipped flags
        {0x00, {"NT", "NoSync", "NoBre", "CPI"}, LightingGroup::NT},
        {0x1C, {"Color", "Sync", "Bre", "CPI"}, LightingGroup::ColourBreathing},
        {0x0C, {"Color", "Sync", "NoBre", "CPI"}, LightingGroup::ColourMode},
        {0xEF, {"Color", "Sync", "NoBre", "7Color"}, LightingGroup::ColourMode},
        {0x04, {"Color", "NoSync", "NoBre", "CPI"}, LightingGroup::ColourBreathing},
        {0x14, {"Color", "NoSync", "Bre", "CPI"}, LightingGroup::ColourBreathing},
        {0xA3, {"NT", "NoSync", "NoBre", "CPI"}, LightingGroup::NT},  // bits 0, 1, 5, 7 say nothing
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LedWords::FromFlags(c.flags), c.words) << int(c.flags);
        EXPECT_EQ(GroupOf(c.words), c.group) << int(c.flags);
    }
    LedWords words = LedWords::FromFlags(0xCB);
    words.clear();
    EXPECT_EQ(words, LedWords{});
    EXPECT_EQ(GroupOf(words), LightingGroup::None);
}

TEST(LightingTest, TimingBoxesHaveTheirDefaultsAndLargest) {
    struct Case {
        text::NumberBox Lighting::*box;
        const char* name;
        const char* emptyGives;
    };
    const Case cases[] = {
        {&Lighting::ntMode1Time, "NT mode 1 time", "0"},
        {&Lighting::ntMode2Time, "NT mode 2 time", "3"},
        {&Lighting::ntMode3Time, "NT mode 3 time", "20"},
        {&Lighting::offTime, "off time", "0"},
        {&Lighting::riseTime, "rise time", "0"},
        {&Lighting::lightTime, "light time", "0"},
        {&Lighting::fallTime, "fall time", "0"},
        {&Lighting::ntMode2Hold, "NT mode 2 hold", "50"},
        {&Lighting::ntMode3Count, "NT mode 3 count", "16"},
    };
    for (const Case& c : cases) {
        Lighting lighting;
        text::NumberBox& box = lighting.*c.box;
        box.setText("");
        box.normalise();
        EXPECT_EQ(box.text(), c.emptyGives) << c.name;
        box.setText("");
        for (char ch : std::string("3x001")) {
            box.type(ch);
        }
        EXPECT_EQ(box.text(), "300") << c.name << ": digits only, three at most";
        box.normalise();
        EXPECT_EQ(box.text(), "255") << c.name;
        box.setText("1");
        box.normalise();
        EXPECT_EQ(box.text(), "1") << c.name << ": only the fire-key boxes treat 1 as empty";
    }
}

}  // namespace
}  // namespace vtr::settings

#include <gtest/gtest.h>

#include "AssignmentFixture.h"
#include "FakeMacros.h"

namespace vtr::keys {
namespace {

using testing::FakeMacros;

class MacroBookkeepingTest : public testing::AssignmentTest {
  protected:
    void Give(int button, const MacroDirectory& macros, int row) {
        buttons_.setMacros(macros);
        buttons_.ShowPnlMain_OnClick("Key" + std::to_string(button));
        ASSERT_TRUE(buttons_.LB_NameClick(row));
    }

    static constexpr bool kAllPresent[5] = {true, true, true, true, true};
};

TEST_F(MacroBookkeepingTest, Type10BindingsFollowNames) {
    // Key5 carries Combo at index 2, Key4 carries A at index 0.
    const FakeMacros before(10, {544, 584, 620, 0}, {"A", "B", "Combo"});
    Give(5, before, 2);
    Give(4, before, 0);
    ExpectCode(5, "06026C");

    // Deleting A: Combo moves to index 1 at a lower address; Key4 loses its
    // macro and gets its fallback, Backward.
    buttons_.InitKeysParameters();
    EXPECT_TRUE(buttons_.macroMark(5));
    EXPECT_TRUE(buttons_.macroMark(4));
    EXPECT_FALSE(buttons_.macroMark(1));
    const FakeMacros afterA(10, {544, 580, 0}, {"B", "Combo"});
    buttons_.setMacros(afterA);
    buttons_.RefreshKeysParameters({});
    EXPECT_EQ(buttons_.captionText(5), "Combo");
    ExpectCode(5, "060244");
    EXPECT_EQ(buttons_.captionText(4), "Backward");
    ExpectCode(4, "010800");
    EXPECT_FALSE(buttons_.macroMark(5)) << "marks live until the refresh";

    // Deleting Combo: Key5 gets Forward.
    buttons_.InitKeysParameters();
    const FakeMacros afterCombo(10, {544, 0}, {"B"});
    buttons_.setMacros(afterCombo);
    buttons_.RefreshKeysParameters({});
    EXPECT_EQ(buttons_.captionText(5), "Forward");
    ExpectCode(5, "011000");
}

TEST_F(MacroBookkeepingTest, AShareNameGoesToTheLaterMacro) {
    const FakeMacros macros(10, {544, 580, 620}, {"Twin", "Other", "Twin"});
    Give(6, macros, 0);
    ExpectCode(6, "060220");
    buttons_.InitKeysParameters();
    buttons_.RefreshKeysParameters({});
    ExpectCode(6, "06026C");
    buttons_.RefreshMacroAddr();
    ExpectCode(6, "06026C");
}

TEST_F(MacroBookkeepingTest, OnlyMarkedButtonsAreRebound) {
    const FakeMacros macros(10, {544, 580}, {"One", "Two"});
    Give(5, macros, 1);
    // Renamed before the bookkeeping runs: the button's caption names no macro.
    const FakeMacros renamed(10, {544, 580}, {"One", "Dos"});
    buttons_.setMacros(renamed);
    buttons_.InitKeysParameters();
    EXPECT_FALSE(buttons_.macroMark(5));
    const FakeMacros moved(10, {544, 600}, {"One", "Dos"});
    buttons_.setMacros(moved);
    buttons_.RefreshKeysParameters({});
    buttons_.RefreshMacroAddr();
    EXPECT_EQ(buttons_.captionText(5), "Two");
    ExpectCode(5, "060244");
}

TEST_F(MacroBookkeepingTest, Type2ButtonsOfEmptiedSlotsFallBack) {
    const FakeMacros macros = testing::TypeTwoMacros();
    Give(6, macros, 1);
    Give(5, macros, 0);
    fireKey_.repeat.setText("5");
    fireKey_.delay.setText("40");
    Give(7, macros, 2);
    Give(8, macros, 2);
    ExpectCode(6, "060070");

    // Macro2 and Macro3 were cleared; Macro1 still has content.
    const bool present[5] = {true, false, false, true, true};
    buttons_.InitKeysParameters();
    buttons_.RefreshKeysParameters(present);
    EXPECT_EQ(buttons_.captionText(6), "CPI");
    ExpectCode(6, "050000");
    EXPECT_EQ(buttons_.captionText(5), "Macro1");
    ExpectCode(5, "06005C");
    EXPECT_EQ(buttons_.captionText(7), "Fire Key");
    ExpectCode(7, "040A28");  // the fire-key settings of this moment
    EXPECT_EQ(buttons_.captionText(8), "Win+D");
    ExpectCode(8, "020807");
}

TEST_F(MacroBookkeepingTest, RefreshMacroAddrFollowsTheCurrentAddresses) {
    const FakeMacros before(10, {544, 584, 620}, {"A", "B", "C"});
    Give(5, before, 1);
    Give(6, before, 2);
    const FakeMacros after(10, {544, 600, 650}, {"A", "B", "C"});
    buttons_.setMacros(after);
    buttons_.RefreshMacroAddr();
    ExpectCode(5, "060258");
    ExpectCode(6, "06028A");

    const FakeMacros two = testing::TypeTwoMacros();
    Give(4, two, 2);
    const FakeMacros twoMoved(2, {0x5C, 0x60, 0x80, 0, 0},
                              {"Macro1", "Macro2", "Macro3", "Macro4", "Macro5"});
    buttons_.setMacros(twoMoved);
    buttons_.RefreshMacroAddr();
    ExpectCode(4, "060080");

    // Without a device type nothing changes.
    buttons_.setMacros(noMacros_);
    buttons_.RefreshMacroAddr();
    ExpectCode(4, "060080");
}

TEST_F(MacroBookkeepingTest, ButtonsWithoutMacroCodesAreNeverRebound) {
    // Macros named like the functions of Key1 and Key5.
    const FakeMacros macros(10, {544, 584}, {"Left Key", "Forward"});
    buttons_.setMacros(macros);
    buttons_.InitKeysParameters();
    EXPECT_FALSE(buttons_.macroMark(1));
    EXPECT_FALSE(buttons_.macroMark(5));
    buttons_.RefreshKeysParameters({});
    buttons_.RefreshMacroAddr();
    ExpectCode(1, "010100");
    ExpectCode(5, "011000");

    const FakeMacros two(2, {0x5C, 0x70, 0, 0, 0},
                         {"Macro1", "Macro2", "Macro3", "Macro4", "Macro5"});
    buttons_.setMacros(two);
    buttons_.setCaption(3, text::Caption::Verbatim("Macro3"));  // a caption only
    buttons_.RefreshKeysParameters(kAllPresent);
    buttons_.RefreshMacroAddr();
    ExpectCode(3, "010200");
}

}  // namespace
}  // namespace vtr::keys

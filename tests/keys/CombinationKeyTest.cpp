#include <gtest/gtest.h>

#include <memory>
#include <variant>

#include "AssignmentFixture.h"
#include "keys/CombinationKey.h"

namespace vtr::keys {
namespace {

// One user action in the dialog.
struct Press {
    std::uint16_t virtualKey;
    ShiftState held = {};
};
struct Check {
    Modifier modifier;
    bool checked = true;
};
struct Uncheck {
    Modifier modifier;
};
struct ClearButton {};
using Action = std::variant<Press, Check, Uncheck, ClearButton>;

constexpr ShiftState kShiftHeld{.shift = true};
constexpr ShiftState kCtrlHeld{.ctrl = true};
constexpr ShiftState kAltHeld{.alt = true};

class CombinationKeyTest : public testing::AssignmentTest {
  protected:
    // Key_AssemblyClick for the selected button, then the dialog opens.
    CombinationKeyDialog& Open(const char* label = "Key2") {
        buttons_.ShowPnlMain_OnClick(label);
        buttons_.Key_AssemblyClick();
        dialog_ = std::make_unique<CombinationKeyDialog>(buttons_, languages_);
        return *dialog_;
    }

    void Run(CombinationKeyDialog& dialog, const std::vector<Action>& actions) {
        for (const Action& action : actions) {
            if (const auto* press = std::get_if<Press>(&action)) {
                dialog.Edt_AssemblyKeyDown(press->virtualKey, press->held);
            } else if (const auto* check = std::get_if<Check>(&action)) {
                dialog.ModifierClick(check->modifier, true);
            } else if (const auto* uncheck = std::get_if<Uncheck>(&action)) {
                dialog.ModifierClick(uncheck->modifier, false);
            } else {
                dialog.IB_CancelClick();
            }
        }
    }

    std::unique_ptr<CombinationKeyDialog> dialog_;
};

constexpr std::uint16_t A = 'A', B = 'B', C = 'C';
constexpr std::uint16_t kEsc = 0x1B, kEnter = 0x0D, kShift = 0x10, kLeftWin = 0x5B,
                        kRightWin = 0x5C, kOem8 = 0xDF, kUnlisted = 0xE5;

TEST_F(CombinationKeyTest, CaptureAndConfirm) {
    struct Case {
        const char* what;
        std::vector<Action> actions;
        const char* edit;     // also the caption after Confirm
        const char* code;     // eight digits
        const char* rebuilt;  // the caption once rebuilt from the code
    };
    const Case cases[] = {
        {"Ctrl, then A", {Check{Modifier::Ctrl}, Press{A}}, "Ctrl+A", "02010400", "Ctrl+A"},
        {"A, then Ctrl: modifiers come first",
         {Press{A}, Check{Modifier::Ctrl}},
         "Ctrl+A",
         "02010400",
         "Ctrl+A"},
        {"boxes in any order read Ctrl, Shift, Alt, Win",
         {Check{Modifier::Win}, Check{Modifier::Alt}, Press{A}, Check{Modifier::Shift},
          Check{Modifier::Ctrl}},
         "Ctrl+Shift+Alt+Win+A",
         "020F0400",
         "Ctrl+Shift+Alt+Win+A"},
        {"two keys: only the first reaches the table",
         {Press{A}, Press{B}},
         "A+B",
         "02000405",
         "A"},
        {"a third key starts over", {Press{A}, Press{B}, Press{C}}, "C", "02000600", "C"},
        {"a third key keeps the checked modifiers",
         {Check{Modifier::Shift}, Press{A}, Press{B}, Press{C}},
         "Shift+C",
         "02020600",
         "Shift+C"},
        {"checking after two keys",
         {Press{A}, Press{B}, Check{Modifier::Win}},
         "Win+A+B",
         "02080405",
         "Win+A"},
        {"a held modifier after two keys resets but captures nothing",
         {Press{A}, Press{B}, Press{kShift, kShiftHeld}},
         "",
         "02000000",
         ""},
        {"... and leaves the checked modifiers",
         {Check{Modifier::Ctrl}, Press{A}, Press{B}, Press{kShift, kShiftHeld}},
         "Ctrl",
         "02010000",
         "Ctrl+"},
        {"keys pressed with a modifier held are swallowed",
         {Press{A, kCtrlHeld}, Press{B, kAltHeld}, Press{C, kShiftHeld}},
         "",
         "02000000",
         ""},
        {"Esc is a key like any other", {Press{kEsc}}, "Esc", "02002900", "Esc"},
        {"so is Enter", {Press{kEnter}}, "Enter", "02002800", "Enter"},
        {"the Windows keys capture nothing",
         {Press{kLeftWin}, Press{kRightWin}, Press{A}},
         "A",
         "02000400",
         "A"},
        {"a key without a device code", {Press{kOem8}}, "OEM_8", "02000000", ""},
        {"an unlisted key", {Press{kUnlisted}}, "None", "02000000", ""},
        {"unchecking removes the modifier from the edit",
         {Check{Modifier::Ctrl}, Check{Modifier::Alt}, Press{A}, Uncheck{Modifier::Alt}},
         "Ctrl+A",
         "02010400",
         "Ctrl+A"},
        {"... from the start too",
         {Check{Modifier::Ctrl}, Check{Modifier::Alt}, Press{A}, Uncheck{Modifier::Alt},
          Uncheck{Modifier::Ctrl}},
         "A",
         "02000400",
         "A"},
        {"... when it is all there is",
         {Check{Modifier::Ctrl}, Uncheck{Modifier::Ctrl}},
         "",
         "02000000",
         ""},
        {"... from the end of the modifiers",
         {Check{Modifier::Shift}, Check{Modifier::Win}, Press{A}, Uncheck{Modifier::Win}},
         "Shift+A",
         "02020400",
         "Shift+A"},
        {"unchecking a box that was not checked changes nothing",
         {Check{Modifier::Ctrl}, Press{A}, Uncheck{Modifier::Shift}},
         "Ctrl+A",
         "02010400",
         "Ctrl+A"},
        {"keys after unchecking follow the edit",
         {Check{Modifier::Ctrl}, Check{Modifier::Alt}, Uncheck{Modifier::Alt}, Press{A}, Press{B},
          Press{C}},
         "Ctrl+C",
         "02010600",
         "Ctrl+C"},
        {"modifiers alone", {Check{Modifier::Ctrl}}, "Ctrl", "02010000", "Ctrl+"},
        {"nothing entered", {}, "", "02000000", ""},
        {"Clear after A", {Press{A}, ClearButton{}}, "", "02000000", ""},
        {"Clear unchecks the boxes",
         {Check{Modifier::Alt}, Press{A}, ClearButton{}, Press{B}},
         "B",
         "02000500",
         "B"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CombinationKeyDialog& dialog = Open();
        Run(dialog, c.actions);
        EXPECT_EQ(dialog.editText(), c.edit);
        dialog.IB_ConfirmClick();
        EXPECT_FALSE(dialog.isOpen());
        EXPECT_EQ(dialog.resultCode(), c.code);
        EXPECT_EQ(buttons_.captionText(2), c.edit);
        ExpectCode(2, c.code);
        buttons_.RefreshProfileKeys();
        EXPECT_EQ(buttons_.captionText(2), c.rebuilt);
    }
}

TEST_F(CombinationKeyTest, StateWhileCapturing) {
    CombinationKeyDialog& dialog = Open();
    EXPECT_EQ(dialog.title(), "Assembly Key");
    EXPECT_EQ(dialog.confirmText(), "Confirm");
    EXPECT_EQ(dialog.clearText(), "Clear");

    EXPECT_TRUE(dialog.Edt_AssemblyKeyDown(A, {}));
    EXPECT_TRUE(dialog.Edt_AssemblyKeyDown(B, {}));
    EXPECT_EQ(dialog.count(), 2);
    EXPECT_EQ(dialog.keyText(), "A+B");
    EXPECT_EQ(dialog.lastKeyName(), "A");
    EXPECT_EQ(dialog.firstKey(), 0x04);
    EXPECT_EQ(dialog.secondKey(), 0x05);

    dialog.CB_AltClick(true);
    EXPECT_TRUE(dialog.checked(Modifier::Alt));
    EXPECT_EQ(dialog.RefreshModify(), kModifierAlt);
    EXPECT_EQ(dialog.RefreshControl(), "Alt");

    EXPECT_FALSE(dialog.Edt_AssemblyKeyDown(kLeftWin, {}));
    EXPECT_EQ(dialog.count(), 0) << "the reset comes before the Windows key is discarded";
    EXPECT_EQ(dialog.editText(), "Alt");
    EXPECT_EQ(dialog.firstKey(), 0);
    EXPECT_EQ(dialog.secondKey(), 0);
    EXPECT_EQ(dialog.keyText(), "");

    dialog.IB_CancelClick();
    EXPECT_TRUE(dialog.isOpen()) << "Clear keeps the dialog open";
    EXPECT_FALSE(dialog.checked(Modifier::Alt));
    EXPECT_EQ(dialog.RefreshModify(), 0);
    EXPECT_EQ(dialog.editText(), "");
    EXPECT_EQ(dialog.modifierText(), "");
}

TEST_F(CombinationKeyTest, CloseAndClearLeaveTheButtonAlone) {
    CombinationKeyDialog& closed = Open();
    Run(closed, {Check{Modifier::Ctrl}, Press{A}});
    closed.IB_CloseClick();
    EXPECT_FALSE(closed.isOpen());
    EXPECT_FALSE(closed.Edt_AssemblyKeyDown(B, {})) << "a closed dialog takes no keys";
    EXPECT_EQ(buttons_.captionText(2), "Middle Key");
    ExpectCode(2, "010400");

    // A result confirmed earlier does not come back through a later dialog.
    CombinationKeyDialog& first = Open();
    Run(first, {Press{A}});
    first.IB_ConfirmClick();
    ExpectCode(2, "02000400");
    CombinationKeyDialog& second = Open("Key3");
    EXPECT_FALSE(buttons_.pendingCombination().confirmed);
    Run(second, {Press{B}, ClearButton{}});
    EXPECT_FALSE(buttons_.ApplyCombinationKey());
    second.IB_CloseClick();
    EXPECT_EQ(buttons_.captionText(3), "Right Key");
    ExpectCode(3, "010200");
}

TEST_F(CombinationKeyTest, TheButtonSelectedAtConfirmReceivesTheResult) {
    CombinationKeyDialog& dialog = Open("Key2");
    Run(dialog, {Check{Modifier::Ctrl}, Press{C}});
    buttons_.ShowPnlMain_OnClick("Key3");  // the dialog does not block the window
    dialog.IB_ConfirmClick();
    EXPECT_EQ(buttons_.captionText(3), "Ctrl+C");
    ExpectCode(3, "02010600");
    EXPECT_EQ(buttons_.captionText(2), "Middle Key");
    ExpectCode(2, "010400");
}

TEST_F(CombinationKeyTest, TextsFollowTheLanguageAndTheDialogCentresOnTheWindow) {
    languages_.setCurrent(3);
    CombinationKeyDialog& dialog = Open();
    EXPECT_EQ(dialog.title(), "键盘组合键");
    EXPECT_EQ(dialog.confirmText(), "确认");
    EXPECT_EQ(dialog.clearText(), "清除");

    EXPECT_EQ(CombinationDialogPosition({100, 50, 800, 600}), (Point{323, 300}));
    EXPECT_EQ(CombinationDialogPosition({0, 0, 354, 179}), (Point{0, 40}));
}

}  // namespace
}  // namespace vtr::keys

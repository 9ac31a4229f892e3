#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "AssignmentFixture.h"
#include "FakeMacros.h"
#include "keys/ButtonMenus.h"

namespace vtr::keys {
namespace {

using testing::FakeMacros;

using Codes = std::array<const char*, kButtonCount>;
constexpr Codes kDefaultCodes = {"010100", "010400", "010200", "010800", "011000",
                                 "050000", "040420", "020807", "090000"};

class ButtonAssignmentTest : public testing::AssignmentTest {
  protected:
    // As a decode leaves the buttons: code texts and table bytes, then captions.
    void Decode(const Codes& codes) {
        for (int button = 1; button <= kButtonCount; ++button) {
            ASSERT_TRUE(buttons_.setCode(button, codes[button - 1]));
        }
        buttons_.RefreshProfileKeys();
    }

    bool Pick(const char* label, int tag) {
        buttons_.ShowPnlMain_OnClick(label);
        return buttons_.KeyStatusOnClick(tag);
    }
};

TEST_F(ButtonAssignmentTest, DefaultImageDecodesToItsNames) {
    EXPECT_EQ(Captions(),
              (std::vector<std::string>{"Left Key", "Middle Key", "Right Key", "Backward",
                                        "Forward", "CPI", "Fire Key", "Win+D", "LED Switch"}));
    EXPECT_EQ(buttons_.selectedButton(), 0) << "no button before a label is clicked";
}

TEST_F(ButtonAssignmentTest, TheLastLeftKeyCannotBeGivenAway) {
    constexpr int kLeft = 900, kRight = 901, kMiddle = 902, kFire = 1000;
    struct Step {
        const char* label;
        int tag;
        bool accepted;
        const char* caption;  // of that button afterwards
        const char* code;
    };
    struct Scenario {
        const char* what;
        Codes codes;
        std::vector<Step> steps;
    };
    const Codes noLeftKey = {"010200", "010400", "010200", "010800", "011000",
                             "050000", "040420", "020807", "090000"};
    const Codes leftOnHiddenKey9 = {"010200", "010400", "010200", "010800", "011000",
                                    "050000", "040420", "020807", "010100"};
    const Scenario scenarios[] = {
        {"Key1 is the only Left Key",
         kDefaultCodes,
         {{"Key1", kRight, false, "Left Key", "010100"},
          {"Key3", kMiddle, true, "Middle Key", "010400"},
          {"Key1", kLeft, true, "Left Key", "010100"}}},
        {"two Left Keys: either can go, but not both",
         kDefaultCodes,
         {{"Key3", kLeft, true, "Left Key", "010100"},
          {"Key1", kRight, true, "Right Key", "010200"},
          {"Key3", kRight, false, "Left Key", "010100"}}},
        {"no Left Key: only Left Key itself is accepted",
         noLeftKey,
         {{"Key4", kMiddle, false, "Backward", "010800"},
          {"Key2", kFire, false, "Middle Key", "010400"},
          {"Key4", kLeft, true, "Left Key", "010100"},
          {"Key2", kFire, true, "Fire Key", "040410"}}},
        {"hidden buttons count too",
         leftOnHiddenKey9,
         {{"Key1", kMiddle, true, "Middle Key", "010400"},
          {"Key9", kMiddle, false, "Left Key", "010100"}}},
    };
    for (const Scenario& s : scenarios) {
        SCOPED_TRACE(s.what);
        Decode(s.codes);
        for (const Step& step : s.steps) {
            SCOPED_TRACE(::testing::Message() << step.label << " picks " << step.tag);
            EXPECT_EQ(Pick(step.label, step.tag), step.accepted);
            const int button = buttons_.selectedButton();
            EXPECT_EQ(buttons_.captionText(button), step.caption);
            ExpectCode(button, step.code);
        }
    }
}

TEST_F(ButtonAssignmentTest, GuardComparesWithTheCurrentLanguage) {
    languages_.setCurrent(3);
    buttons_.RetranslateCaptions();
    EXPECT_EQ(buttons_.captionText(1), "左键");
    EXPECT_FALSE(Pick("Key1", 901));
    EXPECT_EQ(buttons_.captionText(1), "左键");
    EXPECT_TRUE(Pick("Key3", 1306));
    EXPECT_EQ(buttons_.captionText(3), "静音");
    ExpectCode(3, "0300E2");
}

TEST_F(ButtonAssignmentTest, MacrosAndCombinationsPassTheGuard) {
    const FakeMacros macros(10, {544, 584, 0}, {"Left Key", "Combo", ""});
    buttons_.setMacros(macros);
    Decode(
        {"010200", "010400", "010200", "010800", "011000", "050000", "040420", "020807", "090000"});

    // A combination on a button while no Left Key exists.
    buttons_.ShowPnlMain_OnClick("Key4");
    buttons_.Key_AssemblyClick();
    buttons_.pendingCombination() = {true, "Ctrl+Z", "02011D00"};
    EXPECT_TRUE(buttons_.ApplyCombinationKey());
    EXPECT_EQ(buttons_.captionText(4), "Ctrl+Z");
    ExpectCode(4, "02011D00");

    // A macro pick, and a macro named "Left Key" satisfies the guard.
    EXPECT_FALSE(Pick("Key6", 1002));
    buttons_.ShowPnlMain_OnClick("Key5");
    EXPECT_TRUE(buttons_.LB_NameClick(0));
    EXPECT_EQ(buttons_.captionText(5), "Left Key");
    ExpectCode(5, "060220");
    EXPECT_TRUE(Pick("Key6", 1002));
    EXPECT_EQ(buttons_.captionText(6), "CPI +");
}

TEST_F(ButtonAssignmentTest, MacroPickTakesTheSlotsNameAndStartAddress) {
    const FakeMacros typeTen(10, {544, 584, 0}, {"AB", "Combo", ""});
    const FakeMacros typeTwo = testing::TypeTwoMacros();
    struct Case {
        const MacroDirectory* macros;
        int row;
        bool accepted;
        const char* caption;
        const char* code;
    };
    const Case cases[] = {
        {&typeTen, 1, true, "Combo", "060248"},
        {&typeTen, 2, true, "", "060000"},  // a row without a macro stays clickable
        {&typeTen, 3, false, "Forward", "011000"},
        {&typeTen, -1, false, "Forward", "011000"},
        {&typeTwo, 0, true, "Macro1", "06005C"},
        {&typeTwo, 4, true, "Macro5", "060000"},
        {&typeTwo, 5, false, "Forward", "011000"},
        {&noMacros_, 0, false, "Forward", "011000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "row " << c.row << " of type " << c.macros->deviceType());
        Decode(kDefaultCodes);
        buttons_.setMacros(*c.macros);
        buttons_.ShowPnlMain_OnClick("Key5");
        EXPECT_EQ(buttons_.LB_NameClick(c.row), c.accepted);
        EXPECT_EQ(buttons_.captionText(5), c.caption);
        ExpectCode(5, c.code);
    }
}

TEST_F(ButtonAssignmentTest, NothingHappensWithoutASelectedButton) {
    const FakeMacros macros(10, {544}, {"AB"});
    buttons_.setMacros(macros);
    buttons_.pendingCombination() = {true, "A", "02000400"};
    const image::WorkingImage before = working_;
    const std::vector<std::string> captions = Captions();

    EXPECT_FALSE(buttons_.KeyStatusOnClick(900)) << "before any label was clicked";
    for (const char* label : {"Key", "", "KeyX", "Key0"}) {
        buttons_.ShowPnlMain_OnClick(label);
        EXPECT_FALSE(buttons_.KeyStatusOnClick(900)) << label;
        EXPECT_FALSE(buttons_.LB_NameClick(0)) << label;
        EXPECT_FALSE(buttons_.ApplyCombinationKey()) << label;
    }
    buttons_.ShowPnlMain_OnClick("Key");
    EXPECT_EQ(buttons_.selectedButton(), -1);
    buttons_.ShowPnlMain_OnClick("Key3");
    EXPECT_EQ(buttons_.selectedButton(), 3);
    for (int tag : {0, 1, 7, 899, 1005, 1200}) {
        EXPECT_FALSE(buttons_.KeyStatusOnClick(tag)) << "tag " << tag << " is no function";
    }
    EXPECT_EQ(working_, before);
    EXPECT_EQ(Captions(), captions);
}

TEST_F(ButtonAssignmentTest, EveryChangeWritesExactlyTheButtonsThreeBytes) {
    const FakeMacros macros(10, {544, 0x1234}, {"AB", "CD"});
    buttons_.setMacros(macros);
    struct Case {
        int button;
        std::function<void()> change;
        CodeBytes bytes;
    };
    const Case cases[] = {
        {5, [&] { Pick("Key5", 1404); }, {0x03, 0x02, 0x26}},
        {9,
         [&] {
             buttons_.ShowPnlMain_OnClick("Key9");
             buttons_.LB_NameClick(1);
         },
         {0x06, 0x12, 0x34}},
        {1,
         [&] {
             buttons_.ShowPnlMain_OnClick("Key1");
             buttons_.pendingCombination() = {true, "Ctrl+Shift+A+B", "02030405"};
             buttons_.ApplyCombinationKey();
         },
         {0x02, 0x03, 0x04}},
        {7, [&] { buttons_.setCode(7, "0A0B0C"); }, {0x0A, 0x0B, 0x0C}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        Decode(kDefaultCodes);
        image::WorkingImage expected = working_;
        std::copy(c.bytes.begin(), c.bytes.end(),
                  expected.begin() + image::kWorkingProfileOffset + 3 * (c.button - 1));
        c.change();
        EXPECT_EQ(working_, expected);
        EXPECT_EQ(CodeTextToBytes(buttons_.codeText(c.button)), c.bytes);
    }
}

TEST_F(ButtonAssignmentTest, CodesWithoutBytesAreNotStored) {
    for (const char* bad : {"", "0101", "01010", "xyz123", "01 100"}) {
        EXPECT_FALSE(buttons_.setCode(2, bad)) << bad;
        ExpectCode(2, "010400");
    }
    EXPECT_FALSE(buttons_.setCode(0, "010100"));
    EXPECT_FALSE(buttons_.setCode(10, "010100"));
    EXPECT_EQ(buttons_.codeText(10), "");
    EXPECT_EQ(buttons_.captionText(-1), "");
    EXPECT_EQ(buttons_.tableBytes(0), (CodeBytes{}));

    buttons_.ShowPnlMain_OnClick("Key2");
    buttons_.pendingCombination() = {true, "bad", "02zz0400"};
    EXPECT_FALSE(buttons_.ApplyCombinationKey());
    EXPECT_EQ(buttons_.captionText(2), "Middle Key");
    ExpectCode(2, "010400");
}

TEST_F(ButtonAssignmentTest, FireKeyPickUsesTheValuesAsLeftInTheirBoxes) {
    fireKey_.repeat.setText("200");
    fireKey_.delay.setText("");
    EXPECT_TRUE(Pick("Key3", 1000));
    ExpectCode(3, "04FE02");
    EXPECT_EQ(fireKey_.repeat.text(), "127");
    EXPECT_EQ(fireKey_.delay.text(), "2");
    EXPECT_EQ(buttons_.captionText(3), "Fire Key");
}

TEST_F(ButtonAssignmentTest, FallbackFunctions) {
    const FakeMacros macros(10, {544}, {"AB"});
    buttons_.setMacros(macros);
    fireKey_.repeat.setText("5");
    fireKey_.delay.setText("40");
    const std::pair<const char*, const char*> expected[kButtonCount] = {
        {"Left Key", "010100"}, {"Middle Key", "010400"}, {"Right Key", "010200"},
        {"Backward", "010800"}, {"Forward", "011000"},    {"CPI", "050000"},
        {"Fire Key", "040A28"}, {"Win+D", "020807"},      {"LED Switch", "090000"},
    };
    for (int button = 1; button <= kButtonCount; ++button) {
        buttons_.ShowPnlMain_OnClick("Key" + std::to_string(button));
        ASSERT_TRUE(buttons_.LB_NameClick(0));
    }
    for (int button = 1; button <= kButtonCount; ++button) {
        buttons_.ApplyFallback(button);
        EXPECT_EQ(buttons_.captionText(button), expected[button - 1].first) << button;
        ExpectCode(button, expected[button - 1].second);
    }
    EXPECT_EQ(FallbackFor(0), nullptr);
    EXPECT_EQ(FallbackFor(10), nullptr);
    buttons_.ApplyFallback(10);  // harmless
}

TEST_F(ButtonAssignmentTest, LanguageSwitchTranslatesByOriginNotByText) {
    const FakeMacros macros(10, {544, 584}, {"Delete", "Stop"});
    buttons_.setMacros(macros);
    Decode(
        {"010100", "0300B7", "010200", "010800", "011000", "050000", "040420", "020807", "060248"});
    EXPECT_TRUE(Pick("Key3", 1404));  // WWW Stop
    buttons_.ShowPnlMain_OnClick("Key4");
    buttons_.LB_NameClick(0);  // a macro named like a table text
    buttons_.ShowPnlMain_OnClick("Key5");
    buttons_.pendingCombination() = {true, "Alt+F4", "02043D00"};
    buttons_.ApplyCombinationKey();
    EXPECT_TRUE(Pick("Key6", 1301));  // media Stop, picked from the menu

    const std::vector<std::string> english = {
        "Left Key", "Stop", "WWW Stop", "Delete", "Alt+F4", "Stop", "Fire Key", "Win+D", "Stop"};
    const std::vector<std::string> chinese = {"左键", "停止",   "停止",  "Delete", "Alt+F4",
                                              "停止", "连击键", "Win+D", "Stop"};
    EXPECT_EQ(Captions(), english);
    languages_.setCurrent(3);
    buttons_.RetranslateCaptions();
    EXPECT_EQ(Captions(), chinese) << "the media Stop is not the record button's Stop";
    languages_.setCurrent(1);
    buttons_.RetranslateCaptions();
    EXPECT_EQ(Captions(), english) << "and the WWW Stop comes back as WWW Stop";

    // Captions rebuilt in the new language carry their keys as well.
    languages_.setCurrent(3);
    buttons_.RefreshProfileKeys();
    EXPECT_EQ(buttons_.captionText(2), "停止");
    languages_.setCurrent(1);
    buttons_.RetranslateCaptions();
    EXPECT_EQ(buttons_.captionText(2), "Stop");
    EXPECT_EQ(buttons_.caption(2).key, "Str251");
}

TEST_F(ButtonAssignmentTest, CaptionsOfUnknownOriginAreLookedUp) {
    buttons_.setCaption(3, text::Caption{.text = "Right Key"});
    buttons_.setCaption(4, text::Caption{.text = "F5"});
    languages_.setCurrent(3);
    buttons_.RetranslateCaptions();
    EXPECT_EQ(buttons_.captionText(3), "右键");
    EXPECT_EQ(buttons_.captionText(4), "F5");
}

TEST(ButtonMenusTest, MenusAsData) {
    const auto categories = CategoryMenu();
    ASSERT_EQ(categories.size(), 7u);
    struct Expected {
        const char* name;
        int tag;
        const char* key;
        Submenu opens;
        bool opensDialog;
    };
    const Expected expected[] = {
        {"Key_Standard", 1, "Str201", Submenu::MseKey, false},
        {"Key_Special", 2, "Str202", Submenu::Special, false},
        {"Key_Media", 3, "Str203", Submenu::Media, false},
        {"Key_WWW", 4, "Str204", Submenu::WWW, false},
        {"Key_MyPC", 5, "Str207", Submenu::MyPC, false},
        {"Key_Assembly", 0, "Str205", Submenu::None, true},
        {"Key_Macro", 7, "Str206", Submenu::MacroList, true},
    };
    for (std::size_t i = 0; i < categories.size(); ++i) {
        EXPECT_EQ(categories[i].name, expected[i].name);
        EXPECT_EQ(categories[i].tag, expected[i].tag);
        EXPECT_EQ(categories[i].textKey, expected[i].key);
        EXPECT_EQ(categories[i].opens, expected[i].opens);
        EXPECT_EQ(categories[i].clickOpensCombination, expected[i].opensDialog);
        EXPECT_EQ(categories[i].hasMarker, expected[i].opens != Submenu::None);
    }

    // Every catalogue function is in exactly one function menu.
    std::multiset<int> tags;
    for (const FunctionMenu& menu : FunctionMenus()) {
        tags.insert(menu.tags.begin(), menu.tags.end());
    }
    for (const FunctionEntry& entry : FunctionCatalogue()) {
        EXPECT_EQ(tags.count(entry.tag), 1u) << entry.item;
    }
    EXPECT_EQ(tags.size(), FunctionCatalogue().size());
    const FunctionMenu* media = FindFunctionMenu(Submenu::Media);
    ASSERT_NE(media, nullptr);
    EXPECT_EQ(media->name, "Pnl_Media");
    EXPECT_EQ(std::vector<int>(media->tags.begin(), media->tags.end()),
              (std::vector<int>{1300, 1301, 1302, 1303, 1304, 1305, 1306}));
    EXPECT_EQ(FindFunctionMenu(Submenu::MacroList), nullptr);
}

TEST(ButtonMenusTest, ItemCaptionsCarryTheMarker) {
    text::Languages languages;
    EXPECT_EQ(MenuItemCaption(languages, "Str210"), " * Left Key");
    EXPECT_EQ(MenuItemCaption(languages, "Str205"), " * User-defined");
    languages.setCurrent(3);
    EXPECT_EQ(MenuItemCaption(languages, "Str210"), " * 左键");
    EXPECT_EQ(WithoutMenuMarker(MenuItemCaption(languages, "Str210")), "左键");

    struct Case {
        const char* caption;
        const char* name;
    };
    const Case cases[] = {
        {" * Left Key", "Left Key"},
        {"宏定义名称", "名称"},
        {"ab", ""},
        {"", ""},
        {"\xE5", ""},  // a cut character is still one character
        {" * ", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WithoutMenuMarker(c.caption), c.name) << c.caption;
    }
}

TEST(ButtonMenusTest, SubmenuChoice) {
    struct Case {
        int tag;
        std::size_t macroNames;
        Submenu shown;
    };
    const Case cases[] = {
        {1, 0, Submenu::MseKey},    {2, 0, Submenu::Special}, {3, 0, Submenu::Media},
        {4, 0, Submenu::WWW},       {5, 0, Submenu::MyPC},    {7, 0, Submenu::None},
        {7, 1, Submenu::MacroList}, {0, 3, Submenu::None},    {6, 3, Submenu::None},
        {900, 3, Submenu::None},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SubmenuForTag(c.tag, c.macroNames), c.shown) << c.tag << "/" << c.macroNames;
    }
    EXPECT_EQ(SubmenuSize(Submenu::MseKey).height, 5 * 24);
    EXPECT_EQ(SubmenuSize(Submenu::Media).height, 7 * 24);
    EXPECT_EQ(SubmenuSize(Submenu::MyPC).width, 164);
    EXPECT_EQ(SubmenuSize(Submenu::MacroList).height, 100);
    EXPECT_EQ(SubmenuSize(Submenu::None).width, 0);
}

TEST(ButtonMenusTest, Placement) {
    struct MainCase {
        Rect label;
        Point at;
    };
    const MainCase mainCases[] = {
        {{0, 0, 100, 20}, {50, 10}},
        {{600, 100, 100, 20}, {460, 110}},  // centre 650: 650 + 190 reaches 800
        {{560, 100, 100, 20}, {420, 110}},  // centre 610: exactly 800 counts
        {{559, 100, 100, 20}, {609, 110}},
        {{0, 420, 100, 20}, {50, 260}},  // centre 430: 430 + 170 reaches 600
        {{0, 419, 100, 20}, {50, 429}},
        {{700, 550, 60, 40}, {540, 400}},
    };
    for (const MainCase& c : mainCases) {
        EXPECT_EQ(PnlMainPlacement(c.label), c.at) << c.label.left << "," << c.label.top;
    }

    struct SubCase {
        Point pnlMain;
        Rect item;
        Submenu menu;
        Point at;
    };
    const Rect second{0, 24, 190, 24};
    const Rect last{0, 144, 190, 24};
    const SubCase subCases[] = {
        {{100, 100}, second, Submenu::Special, {290, 124}},
        {{445, 100}, second, Submenu::Special, {635, 124}},  // 445 + 190 + 164 = 799
        {{446, 100}, second, Submenu::Special, {282, 124}},  // 800: opens to the left
        {{446, 100}, second, Submenu::MacroList, {282, 124}},
        {{100, 400}, last, Submenu::MacroList, {290, 468}},  // 544 + 24 + 100 reaches 600
        {{100, 300}, last, Submenu::MacroList, {290, 444}},  // 444 + 24 + 100 = 568
        {{100, 408}, second, Submenu::Media, {290, 288}},    // 432 + 24 + 168 = 624
        {{100, 408}, second, Submenu::MyPC, {290, 432}},     // 432 + 24 + 72 = 528
    };
    for (const SubCase& c : subCases) {
        EXPECT_EQ(SubmenuPlacement(c.pnlMain, c.item, SubmenuSize(c.menu)), c.at)
            << c.pnlMain.x << "," << c.pnlMain.y << " item top " << c.item.top;
    }
}

}  // namespace
}  // namespace vtr::keys

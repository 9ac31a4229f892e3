#include <gtest/gtest.h>

#include "MacroFixture.h"
#include "text/Utf.h"

namespace vtr::macros {
namespace {

using testing::Bytes;
using testing::Concat;
using testing::Entry10;
using testing::Record;

const AskQuestion kYes = [](std::string_view) { return true; };
const AskQuestion kNo = [](std::string_view) { return false; };

class MacroEditorTest : public testing::MacroTest {
  protected:
    // The step lines after the header.
    StepLines Rows() const { return StepLines(editor_.steps().begin() + 1, editor_.steps().end()); }

    // The stored steps of the selected macro, decoded.
    StepLines StoredRows() const {
        StepLines lines =
            MacroBufToSteps(memory_.record(static_cast<std::size_t>(editor_.selectedMacro())))
                .lines;
        return StepLines(lines.begin() + 1, lines.end());
    }

    void TypeInto(DelayEdit& edit, const std::string& text) {
        for (char c : text) {
            edit.type(c);
        }
    }
};

TEST_F(MacroEditorTest, ChoosingAMacroShowsItsStepsAndDelayMode) {
    Load(10, {});
    StepLines evenly = {"0196",          "1 A CODE:8204", "0 96",          "2 A CODE:0204", "0 96",
                        "1 B CODE:8205", "0 96",          "2 B CODE:0205", "0 96"};
    AddMacro("Even", evenly);
    AddMacro("Tap", testing::Tap("10", "A", "04"));
    editor_.setDelayMode(DelayMode::None);

    ASSERT_TRUE(editor_.LB_MacroNameClick(0).done);
    EXPECT_EQ(editor_.steps(), evenly);
    EXPECT_EQ(editor_.rowCount(), 8);
    EXPECT_EQ(editor_.selectedRow(), 7) << "the last row is selected";
    EXPECT_EQ(editor_.delayMode(), DelayMode::Default);
    EXPECT_EQ(editor_.delayEdit().text(), "96");
    EXPECT_TRUE(editor_.delayEdit().editable());

    ASSERT_TRUE(editor_.LB_MacroNameClick(1).done);
    EXPECT_EQ(editor_.delayMode(), DelayMode::Record);
    EXPECT_EQ(editor_.delayEdit().text(), "96") << "only default delay sets the value";
    EXPECT_FALSE(editor_.delayEdit().editable());

    ASSERT_TRUE(editor_.LB_MacroNameClick(2).done);
    EXPECT_EQ(editor_.selectedMacro(), -1);
    EXPECT_TRUE(editor_.steps().empty());
    EXPECT_EQ(editor_.selectedRow(), -1);

    // A type-2 slot without a macro leaves the page empty and the mode as it is.
    Load(2, {});
    editor_.setDelayMode(DelayMode::None);
    ASSERT_TRUE(editor_.LB_MacroNameClick(3).done);
    EXPECT_EQ(editor_.selectedMacro(), 3);
    EXPECT_TRUE(editor_.steps().empty());
    EXPECT_EQ(editor_.delayMode(), DelayMode::None);
}

TEST_F(MacroEditorTest, DeletingAStepTakesItsPartner) {
    const StepLines macro = {"10",   "1 A CODE:8204", "0 96", "1 B CODE:8205", "2 A CODE:0204",
                             "0 16", "2 B CODE:0205"};
    struct Case {
        const char* what;
        int row;
        StepLines rows;
        int selected;
    };
    const Case cases[] = {
        {"press A, its release three lines later",
         0,
         {"0 96", "1 B CODE:8205", "0 16", "2 B CODE:0205"},
         0},
        {"release A, its press three lines before",
         3,
         {"0 96", "1 B CODE:8205", "0 16", "2 B CODE:0205"},
         1},
        {"a delay alone",
         1,
         {"1 A CODE:8204", "1 B CODE:8205", "2 A CODE:0204", "0 16", "2 B CODE:0205"},
         0},
        {"the last row, a release", 5, {"1 A CODE:8204", "0 96", "2 A CODE:0204", "0 16"}, 3},
        {"press B", 2, {"1 A CODE:8204", "0 96", "2 A CODE:0204", "0 16"}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Load(10, {});
        AddMacro("M", macro);
        ASSERT_TRUE(editor_.LB_MacroNameClick(0).done);
        editor_.setSelectedRow(c.row);
        const MacroResult result = editor_.Btn_DelClick();
        EXPECT_TRUE(result.done);
        EXPECT_TRUE(result.macroChanged);
        EXPECT_EQ(Rows(), c.rows);
        EXPECT_EQ(editor_.selectedRow(), c.selected);
        EXPECT_EQ(StoredRows(), c.rows) << "stored at once";
    }
}

TEST_F(MacroEditorTest, DeletingSelectionEdgesAndOrphans) {
    Load(10, {});
    AddMacro("M", {"10", "1 A CODE:8204", "2 A CODE:0204", "1 LeftKey CODE:00A1", "0 16"});
    AddMacro("D", {"10", "0 16"});
    ASSERT_TRUE(editor_.LB_MacroNameClick(0).done);

    // A press without its release stays.
    editor_.setSelectedRow(2);
    MacroResult result = editor_.Btn_DelClick();
    EXPECT_FALSE(result.done);
    EXPECT_TRUE(result.macroChanged);
    EXPECT_EQ(editor_.rowCount(), 4);

    // The release at row 1 goes with its press at row 0; row 0 stays selected.
    editor_.setSelectedRow(1);
    EXPECT_TRUE(editor_.Btn_DelClick().done);
    EXPECT_EQ(Rows(), (StepLines{"1 LeftKey CODE:00A1", "0 16"}));
    EXPECT_EQ(editor_.selectedRow(), 0);

    // The last row of a macro gone: nothing is selected, the record is 01 FF.
    ASSERT_TRUE(editor_.LB_MacroNameClick(1).done);
    EXPECT_EQ(editor_.selectedRow(), 0);
    EXPECT_TRUE(editor_.Btn_DelClick().done);
    EXPECT_EQ(editor_.rowCount(), 0);
    EXPECT_EQ(editor_.selectedRow(), -1);
    EXPECT_EQ(memory_.storedLength(1), 34);

    // Nothing selected: nothing happens.
    EXPECT_FALSE(editor_.Btn_DelClick().macroChanged);
}

TEST_F(MacroEditorTest, InsertingDelays) {
    Load(10, {});
    AddMacro("M", testing::Tap("10", "A", "04"));
    ASSERT_TRUE(editor_.LB_MacroNameClick(0).done);
    editor_.setSelectedRow(0);

    MacroResult result = editor_.Btn_InsertClick();
    EXPECT_TRUE(result.done);
    EXPECT_TRUE(result.macroChanged);
    EXPECT_TRUE(editor_.insertPanelOpen());
    EXPECT_EQ(editor_.insertEntry(), InsertEntry::DelayFront);
    EXPECT_FALSE(editor_.macroButtonsEnabled());
    TypeInto(editor_.insertDelayEdit(), "20000");
    EXPECT_EQ(editor_.insertDelayEdit().text(), "10200");
    ASSERT_TRUE(editor_.Btn_OKClick().done);
    EXPECT_FALSE(editor_.insertPanelOpen());
    EXPECT_TRUE(editor_.macroButtonsEnabled());
    EXPECT_EQ(Rows(), (StepLines{"0 10200", "1 A CODE:8204", "0 96", "2 A CODE:0204"}));
    EXPECT_EQ(editor_.selectedRow(), 0);
    const auto record = memory_.record(0);
    const Bytes front(record.begin() + 1, record.begin() + 13);
    EXPECT_EQ(front,
              (Bytes{0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0x00}));

    // After the selected step.
    editor_.setSelectedRow(3);
    ASSERT_TRUE(editor_.Btn_InsertClick().done);
    editor_.CB_InsertChange(InsertEntry::DelayBack);
    editor_.insertDelayEdit().setText("40");
    ASSERT_TRUE(editor_.Btn_OKClick().done);
    EXPECT_EQ(Rows().back(), "0 40");
    EXPECT_EQ(editor_.selectedRow(), 4);
    const auto stored = memory_.record(0);
    EXPECT_EQ(StepsToStepBytes(Rows(), 254), Bytes(stored.begin() + 1, stored.end() - 1));

    // Without a selected step OK does nothing and the panel stays open.
    editor_.setSelectedRow(-1);
    ASSERT_TRUE(editor_.Btn_InsertClick().done);
    EXPECT_FALSE(editor_.Btn_OKClick().done);
    EXPECT_TRUE(editor_.insertPanelOpen());
    EXPECT_EQ(editor_.rowCount(), 5);
    // While the panel is open the page's other operations do nothing.
    EXPECT_FALSE(editor_.LB_MacroNameClick(0).done);
    EXPECT_FALSE(editor_.Btn_ClearClick(kYes).done);
    EXPECT_FALSE(editor_.Btn_NewMacroClick().done);
    EXPECT_FALSE(editor_.ImportAll(Bytes(512, 0)).done);
    EXPECT_TRUE(editor_.Btn_CancelClick().done);
    EXPECT_FALSE(editor_.insertPanelOpen());
}

TEST_F(MacroEditorTest, InsertedDelaysThatDoNotFitAreRefused) {
    Load(2, {});
    StepLines full = {"00"};
    for (int i = 0; i < 80; ++i) {
        full.push_back("1 A CODE:8204");
    }
    ASSERT_TRUE(StepsToMacroBuf(memory_, 0, full));  // 160 of 162 step bytes
    ASSERT_TRUE(editor_.LB_MacroNameClick(0).done);
    const Bytes before = Area(2);

    ASSERT_TRUE(editor_.Btn_InsertClick().done);
    editor_.insertDelayEdit().setText("2040");  // FE FF FE 00: 4 bytes
    const MacroResult result = editor_.Btn_OKClick();
    EXPECT_FALSE(result.done);
    EXPECT_EQ(result.message, "Str104");
    EXPECT_TRUE(editor_.insertPanelOpen());
    EXPECT_EQ(editor_.rowCount(), 80) << "the refused line is not kept";
    EXPECT_EQ(Area(2), before);

    editor_.insertDelayEdit().setText("100");
    EXPECT_TRUE(editor_.Btn_OKClick().done);
    EXPECT_EQ(memory_.storedLength(0), 164);
}

TEST_F(MacroEditorTest, ClearingKeepsTheBindingsByName) {
    Load(10, {});
    AddMacro("One", testing::Tap("10", "A", "04"));
    AddMacro("Two", testing::Tap("10", "B", "05"));
    Bind(5, 0);
    Bind(6, 1);
    ExpectButton(6, "Two", "060248");
    ASSERT_TRUE(editor_.LB_MacroNameClick(0).done);
    const Bytes before = Area(10);

    std::string asked;
    MacroResult result = editor_.Btn_ClearClick([&](std::string_view key) {
        asked = key;
        return false;
    });
    EXPECT_EQ(asked, "Str430");
    EXPECT_FALSE(result.done);
    EXPECT_TRUE(result.macroChanged);
    EXPECT_EQ(Area(10), before);
    EXPECT_EQ(editor_.rowCount(), 3);

    result = editor_.Btn_ClearClick(kYes);
    EXPECT_TRUE(result.done);
    EXPECT_EQ(editor_.rowCount(), 0);
    EXPECT_EQ(memory_.storedLength(0), 34);
    EXPECT_EQ(Area(10)[32], 0x01);
    EXPECT_EQ(Area(10)[33], 0xFF);
    ExpectButton(5, "One", "060220");
    ExpectButton(6, "Two", "060242");  // follows its macro to 544 + 34

    // Nothing selected: no question, nothing happens.
    ASSERT_TRUE(editor_.LB_MacroNameClick(-1).done);
    EXPECT_FALSE(editor_.Btn_ClearClick(kYes).macroChanged);
}

TEST_F(MacroEditorTest, ClearingAType2MacroReturnsItsButtonsToTheirDefaults) {
    Load(2, {});
    ASSERT_TRUE(StepsToMacroBuf(memory_, 0, testing::Tap("10", "A", "04")));
    ASSERT_TRUE(StepsToMacroBuf(memory_, 1, testing::Tap("10", "B", "05")));
    Bind(5, 0);
    Bind(6, 1);
    ExpectButton(6, "Macro2", "060064");
    ASSERT_TRUE(editor_.LB_MacroNameClick(1).done);
    ASSERT_TRUE(editor_.Btn_ClearClick(kYes).done);
    EXPECT_FALSE(memory_.hasMacro(1));
    EXPECT_EQ(memory_.address(1), 0);
    ExpectButton(6, "CPI", "050000");
    ExpectButton(5, "Macro1", "06005C");  // its macro still has content
}

TEST_F(MacroEditorTest, DeletingTheFirstOfThreeMacros) {
    Load(10, {});
    AddMacro("A", testing::Tap("10", "A", "04"));
    AddMacro("B", {"00", "1 LeftKey CODE:00A1"});
    AddMacro("Combo", testing::Tap("10", "C", "06"));
    Bind(4, 0);
    Bind(5, 2);
    ExpectButton(5, "Combo", "06026B");  // 544 + 40 + 35
    ASSERT_TRUE(editor_.LB_MacroNameClick(0).done);

    const MacroResult result = editor_.Btn_DelMacroClick();
    EXPECT_TRUE(result.done);
    EXPECT_TRUE(result.macroChanged);
    EXPECT_EQ(memory_.macroNames(), (std::vector<std::u16string>{u"B", u"Combo"}));
    EXPECT_EQ(editor_.selectedMacro(), -1);
    EXPECT_EQ(memory_.address(0), 544);
    EXPECT_EQ(memory_.address(1), 544 + 35);
    EXPECT_FALSE(memory_.hasMacro(2));
    EXPECT_EQ(memory_.totalBytes(), 75);
    ExpectButton(5, "Combo", "060243");     // follows its macro
    ExpectButton(4, "Backward", "010800");  // its macro is gone

    ASSERT_TRUE(editor_.LB_MacroNameClick(1).done);
    ASSERT_TRUE(editor_.Btn_DelMacroClick().done);
    ExpectButton(5, "Forward", "011000");
    EXPECT_EQ(memory_.macroNames(), std::vector<std::u16string>{u"B"});

    // Type 2 has no macros to delete.
    Load(2, {});
    ASSERT_TRUE(editor_.LB_MacroNameClick(0).done);
    EXPECT_FALSE(editor_.Btn_DelMacroClick().done);
}

TEST_F(MacroEditorTest, NewMacroNeedsRoom) {
    const auto filler = [](std::size_t n) { return Entry10(u"F", Record(Bytes(n, 0xFC))); };
    struct Case {
        const char* what;
        Bytes area;
        bool room;
    };
    Bytes fifteen;
    for (int i = 0; i < 15; ++i) {
        fifteen = Concat({fifteen, Entry10(u"E", {0x01, 0xFF})});
    }
    const Case cases[] = {
        {"476 bytes", Concat({filler(254), filler(154)}), true},
        {"477 bytes", Concat({filler(254), filler(155)}), false},
        {"15 macros", fifteen, false},
        {"14 macros", Bytes(fifteen.begin(), fifteen.end() - 34), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Load(10, c.area);
        const Bytes before = Area(10);
        const MacroResult result = editor_.Btn_NewMacroClick();
        EXPECT_EQ(result.done, c.room);
        EXPECT_EQ(result.macroChanged, c.room);
        EXPECT_EQ(result.message, c.room ? "" : "Str104");
        EXPECT_EQ(editor_.pendingName(), c.room ? NameOperation::New : NameOperation::None);
        if (c.room) {
            const std::size_t count = memory_.macroNames().size();
            ASSERT_TRUE(editor_.ApplyMacroName("New").done);
            EXPECT_EQ(memory_.macroNames().size(), count + 1);
            EXPECT_EQ(editor_.selectedMacro(), static_cast<int>(count));
            EXPECT_EQ(memory_.storedLength(count), 34);
            EXPECT_LE(memory_.totalBytes(), 512);
        } else {
            EXPECT_EQ(Area(10), before);
        }
    }
}

TEST_F(MacroEditorTest, TheNameDialogAppliesOnlyWhatOpenedIt) {
    Load(10, {});
    AddMacro("First", testing::Tap("10", "A", "04"));

    // New: added at the end, selected, no steps, 01 FF in the area.
    ASSERT_TRUE(editor_.Btn_NewMacroClick().done);
    MacroResult result = editor_.ApplyMacroName("Second");
    EXPECT_TRUE(result.done);
    EXPECT_TRUE(result.macroChanged);
    EXPECT_EQ(memory_.macroNames(), (std::vector<std::u16string>{u"First", u"Second"}));
    EXPECT_EQ(editor_.selectedMacro(), 1);
    EXPECT_TRUE(editor_.steps().empty());
    EXPECT_EQ(Area(10)[40 + 32], 0x01);
    EXPECT_EQ(Area(10)[40 + 33], 0xFF);
    EXPECT_EQ(editor_.pendingName(), NameOperation::None);

    // New, closed without a name, then Rename: only the selected macro is
    // renamed, no macro is created.
    ASSERT_TRUE(editor_.Btn_NewMacroClick().done);
    editor_.IB_CloseClick();
    ASSERT_TRUE(editor_.LB_MacroNameClick(0).done);
    ASSERT_TRUE(editor_.Btn_NewNameClick().done);
    EXPECT_EQ(editor_.pendingName(), NameOperation::Rename);
    EXPECT_TRUE(editor_.ApplyMacroName("X").done);
    EXPECT_EQ(memory_.macroNames(), (std::vector<std::u16string>{u"X", u"Second"}));
    // Renaming to a shorter name leaves nothing of the old one.
    const Bytes area = Area(10);
    Bytes field(area.begin(), area.begin() + 32);
    Bytes expected(32, 0);
    expected[1] = 'X';
    EXPECT_EQ(field, expected);
    editor_.ReadAndRefreshMacro();
    EXPECT_EQ(memory_.macroNames(), (std::vector<std::u16string>{u"X", u"Second"}));

    // An empty name changes nothing and leaves nothing pending.
    ASSERT_TRUE(editor_.LB_MacroNameClick(0).done);
    ASSERT_TRUE(editor_.Btn_NewNameClick().done);
    EXPECT_FALSE(editor_.ApplyMacroName("").done);
    EXPECT_EQ(editor_.pendingName(), NameOperation::None);
    EXPECT_FALSE(editor_.ApplyMacroName("Later").done) << "nothing pending";

    // Names are cut to 14 UTF-16 code units.
    ASSERT_TRUE(editor_.Btn_NewNameClick().done);
    ASSERT_TRUE(editor_.ApplyMacroName("ABCDEFGHIJKLMNOPQ").done);
    EXPECT_EQ(memory_.name(0), "ABCDEFGHIJKLMN");
}

TEST_F(MacroEditorTest, NewMacroChecksTheRoomAgainWhenTheNameComes) {
    Load(10, {});
    ASSERT_TRUE(editor_.Btn_NewMacroClick().done);
    // The dialog does not block the page: the area fills up meanwhile.
    Bytes fifteen;
    for (int i = 0; i < 15; ++i) {
        fifteen = Concat({fifteen, Entry10(u"E", {0x01, 0xFF})});
    }
    ASSERT_TRUE(editor_.ImportAll(fifteen).done);
    const Bytes before = Area(10);
    const MacroResult result = editor_.ApplyMacroName("Late");
    EXPECT_FALSE(result.done);
    EXPECT_EQ(result.message, "Str104");
    EXPECT_EQ(Area(10), before);
    EXPECT_EQ(memory_.macroNames().size(), 15u);
}

TEST_F(MacroEditorTest, RenamingLeavesBoundButtonsAlone) {
    Load(10, {});
    AddMacro("One", testing::Tap("10", "A", "04"));
    AddMacro("Two", testing::Tap("10", "B", "05"));
    Bind(5, 1);
    ASSERT_TRUE(editor_.LB_MacroNameClick(1).done);
    ASSERT_TRUE(editor_.Btn_NewNameClick().done);
    ASSERT_TRUE(editor_.ApplyMacroName("Dos").done);
    ExpectButton(5, "Two", "060248");
    // Macro One grows: "Two" is no longer a macro name, so the button is not
    // moved along when the bindings are recomputed for saving.
    ASSERT_TRUE(StepsToMacroBuf(
        memory_, 0,
        StepLines{"00", "1 LeftKey CODE:00A1", "2 LeftKey CODE:0021", "1 LeftKey CODE:00A1",
                  "2 LeftKey CODE:0021", "1 LeftKey CODE:00A1", "2 LeftKey CODE:0021",
                  "1 LeftKey CODE:00A1"}));
    PrepareMacroSave(buttons_, working_, image_);
    ExpectButton(5, "Two", "060248");
}

TEST_F(MacroEditorTest, SavePreparationRebindsAndSealsTheButtonTable) {
    Load(10, {});
    AddMacro("One", testing::Tap("10", "A", "04"));
    AddMacro("Two", testing::Tap("10", "B", "05"));
    Bind(5, 1);
    ASSERT_TRUE(StepsToMacroBuf(memory_, 0, StepLines{"00", "1 LeftKey CODE:00A1"}));
    ExpectButton(5, "Two", "060248");  // until the bindings are recomputed

    working_[image::kWorkingProfileOffset + image::kProfileCheckOffset] = 0;
    image_.profileArea.fill(0xEE);
    PrepareMacroSave(buttons_, working_, image_);
    ExpectButton(5, "Two", "060243");
    EXPECT_EQ(working_[image::kWorkingProfileOffset + image::kProfileCheckOffset],
              image::ButtonTableCheckByte(working_));
    EXPECT_TRUE(std::equal(image_.profileArea.begin(), image_.profileArea.end(),
                           working_.begin() + image::kWorkingProfileOffset));

    const auto ranges10 = MacroWriteRanges(10);
    ASSERT_EQ(ranges10.size(), 2u);
    EXPECT_EQ(ranges10[0].address, 512);
    EXPECT_EQ(ranges10[1].address, 768);
    EXPECT_EQ(ranges10[1].areaOffset, 256u);
    EXPECT_EQ(ranges10[1].size, 256u);
    const auto ranges2 = MacroWriteRanges(2);
    ASSERT_EQ(ranges2.size(), 1u);
    EXPECT_EQ(ranges2[0].address, 92);
    EXPECT_EQ(ranges2[0].size, 164u);
}

TEST_F(MacroEditorTest, ParsingTheAreaAgain) {
    // Type 2 keeps the selected slot and shows what the area now holds.
    Load(2, {});
    ASSERT_TRUE(StepsToMacroBuf(memory_, 1, testing::Tap("10", "A", "04")));
    ASSERT_TRUE(editor_.LB_MacroNameClick(1).done);
    ASSERT_EQ(editor_.rowCount(), 3);
    image_.macroArea2.fill(0);
    const Bytes records = Concat({Record({0x82, 0x05, 0x02, 0x05}), Record({0xA1, 0x21})});
    std::copy(records.begin(), records.end(), image_.macroArea2.begin());
    editor_.bind(2, image_.macroArea(2));  // the same area: nothing is reset
    editor_.ReadAndRefreshMacro();
    EXPECT_EQ(editor_.selectedMacro(), 1);
    EXPECT_EQ(editor_.steps(), (StepLines{"00", "1 LeftKey CODE:00A1", "2 LeftKey CODE:0021"}));

    // Type 10 rebuilds the list: nothing is selected, the step view is empty.
    Load(10, {});
    AddMacro("M", testing::Tap("10", "A", "04"));
    ASSERT_TRUE(editor_.LB_MacroNameClick(0).done);
    editor_.bind(10, image_.macroArea(10));
    EXPECT_EQ(editor_.selectedMacro(), 0);
    editor_.ReadAndRefreshMacro();
    EXPECT_EQ(editor_.selectedMacro(), -1);
    EXPECT_TRUE(editor_.steps().empty());
    EXPECT_EQ(memory_.macroNames(), std::vector<std::u16string>{u"M"});
}

TEST_F(MacroEditorTest, DelayModeControls) {
    Load(10, {});
    EXPECT_EQ(editor_.delayMode(), DelayMode::Record) << "record delay at start";
    EXPECT_EQ(editor_.delayEdit().text(), "50");
    const std::pair<DelayMode, bool> modes[] = {
        {DelayMode::Default, true}, {DelayMode::None, false}, {DelayMode::Record, false}};
    for (const auto& [mode, editable] : modes) {
        editor_.setDelayMode(mode);
        EXPECT_EQ(editor_.delayMode(), mode);
        EXPECT_EQ(editor_.delayEdit().editable(), editable);
        EXPECT_EQ(editor_.delayEdit().type('1'), editable);
    }
}

}  // namespace
}  // namespace vtr::macros

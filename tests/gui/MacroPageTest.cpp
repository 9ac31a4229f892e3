#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <algorithm>

#include "ScriptedCapture.h"
#include "WindowFixture.h"
#include "macros/MacroRecord.h"
#include "shell/MacroNameDialog.h"
#include "shell/MacroPage.h"
#include "shell/SkinControls.h"
#include "shell/StepView.h"

namespace vtr::shell {
namespace {

using platform::CaptureButton;
using Lines = std::vector<std::string>;

constexpr std::uint16_t kA = 0x41;
constexpr std::uint16_t kB = 0x42;
constexpr std::uint16_t kC = 0x43;

// The window with a capture the test drives and a clock it sets, read from the
// simulated mouse and showing the Macro page.
class MacroPageTest : public WindowTest {
  protected:
    void startOnMacroPage() {
        window = std::make_unique<MainWindow>(MainWindow::Services{
            mouse, clock, pointerStore, &prompts, [](const QUrl&) {}, false, &capture});
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        moveTo(nowhere() + QPoint(2, 2));
        moveTo(nowhere());
        window->DevTimerTimer();
        ASSERT_TRUE(window->editor().deviceRead());
        prompts.messages.clear();
        window->macroPage().setClock([this] { return now; });
        click("Btn_Macro_1");
        ASSERT_EQ(window->shownPage(), 4);
    }

    macros::MacroEditor& model() { return window->editor().macroEditor(); }
    Lines steps() { return model().steps(); }
    std::vector<std::uint8_t> record(std::size_t slot) {
        const auto r = window->editor().macroMemory().record(slot);
        return {r.begin(), r.end()};
    }

    void clickListRow(int row) {
        auto* list = qobject_cast<QListWidget*>(widget("LB_MacroName"));
        ASSERT_NE(list, nullptr);
        ASSERT_LT(row, list->count());
        list->scrollToItem(list->item(row));
        const QRect r = list->visualItemRect(list->item(row));
        const QPoint point = list->viewport()->mapTo(window.get(), r.center());
        moveTo(point);
        clickAt(point);
    }
    void clickStepRow(int row) {
        auto* view = qobject_cast<StepView*>(widget("LB_macro"));
        ASSERT_NE(view, nullptr);
        const int shown = row - view->topRow();
        ASSERT_TRUE(shown >= 0 && shown < view->visibleRows()) << row;
        const QPoint inView(60, shown * StepView::kRowHeight + StepView::kRowHeight / 2);
        const QPoint point = view->viewport()->mapTo(window.get(), inView);
        moveTo(point);
        clickAt(point);
    }
    // An entry of CB_Insert picked from its drop-down list.
    void pickInsertEntry(int entry) {
        auto* list = qobject_cast<QComboBox*>(widget("CB_Insert"));
        ASSERT_NE(list, nullptr);
        click("CB_Insert");
        QAbstractItemView* view = list->view();
        ASSERT_TRUE(QTest::qWaitFor([view] { return view->isVisible(); }));
        // The list ignores a release this soon after it opened (the opening
        // click's own).
        QTest::qWait(QApplication::doubleClickInterval() + 100);
        const QRect r = view->visualRect(view->model()->index(entry, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, r.center());
        QApplication::processEvents();
        ASSERT_EQ(list->currentIndex(), entry);
    }
    void typeInto(const QString& name, const QString& keys) {
        QWidget* box = widget(name);
        ASSERT_NE(box, nullptr);
        click(name);
        QTest::keyClicks(box, keys);
    }
    void backspaces(const QString& name, int count) {
        for (int i = 0; i < count; ++i) {
            QTest::keyClick(widget(name), Qt::Key_Backspace);
        }
    }
    // A key pressed and released `gap` ms apart, `after` ms after the last event.
    void key(std::uint16_t vk, bool down, std::uint32_t after) {
        now += after;
        capture.key(vk, down);
        QApplication::processEvents();
    }
    // Keys A, B, release B, release A, 80 ms apart.
    void typeAB() {
        key(kA, true, 80);
        key(kB, true, 80);
        key(kB, false, 80);
        key(kA, false, 136);
    }

    ScriptedCapture capture;
    std::uint32_t now = 1000;
};

// --- the page as it shows a macro ---

TEST_F(MacroPageTest, NamesStepsAndButtonPictures) {
    startOnMacroPage();
    auto* list = qobject_cast<QListWidget*>(widget("LB_MacroName"));
    ASSERT_EQ(static_cast<std::size_t>(list->count()), model().macroNames().size());
    ASSERT_GT(list->count(), 0);
    clickListRow(0);
    EXPECT_EQ(model().selectedMacro(), 0);
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_GT(model().rowCount(), 0);
    // The last row is selected and in view.
    auto* view = qobject_cast<StepView*>(widget("LB_macro"));
    EXPECT_EQ(model().selectedRow(), model().rowCount() - 1);
    EXPECT_GE(model().selectedRow(), view->topRow());
    clickStepRow(0);
    EXPECT_EQ(model().selectedRow(), 0);

    EXPECT_EQ(window->caption("Btn_Start"), "Record");
    EXPECT_EQ(window->caption("Btn_Clear"), "Clear");
    EXPECT_EQ(window->picture("Img_Clear"), "MacroS_01");
    hover("Btn_Clear");
    EXPECT_EQ(window->picture("Img_Clear"), "MacroS_02");
    moveTo(nowhere());
    EXPECT_EQ(window->picture("Img_Clear"), "MacroS_01");
    EXPECT_TRUE(widget("Gb_Delay")->isVisible());
    EXPECT_FALSE(widget("Gb_Insert")->isVisible());
}

// --- recording ---

TEST_F(MacroPageTest, NormalRecordingInRecordDelayModeStoresTheStepsWithTheirGaps) {
    startOnMacroPage();
    clickListRow(1);
    click("IB_RecDelay");
    EXPECT_TRUE(widget("LED_RecDelay")->isVisible());
    EXPECT_FALSE(widget("LED_NoDelay")->isVisible());
    click("Btn_Start");
    ASSERT_TRUE(capture.running());
    EXPECT_EQ(window->caption("Btn_Start"), "Stop");
    moveTo(nowhere());
    EXPECT_EQ(window->caption("Btn_Start"), "Stop");
    EXPECT_FALSE(widget("LB_MacroName")->isEnabled());
    EXPECT_FALSE(widget("Btn_Clear")->isEnabled());
    EXPECT_FALSE(widget("Gb_Delay")->isEnabled());

    typeAB();
    // The click on Stop reaches the capture too; it is not a step.
    hover("Btn_Start");
    capture.button(CaptureButton::Left, true);
    capture.button(CaptureButton::Left, false);
    QApplication::processEvents();
    click("Btn_Start");
    EXPECT_FALSE(capture.running());
    EXPECT_EQ(capture.stops, 1);
    EXPECT_EQ(window->caption("Btn_Start"), "Record");
    // Leaving the button keeps the caption it has now, not the one it had
    // when the pointer came.
    moveTo(nowhere());
    EXPECT_EQ(window->caption("Btn_Start"), "Record");
    EXPECT_EQ(window->picture("Img_Start"), "MacroS_01");
    EXPECT_TRUE(widget("LB_MacroName")->isEnabled());

    const Lines expected = {"10",   "1 A CODE:8204", "0 80",  "1 B CODE:8205",
                            "0 80", "2 B CODE:0205", "0 136", "2 A CODE:0204"};
    EXPECT_EQ(steps(), expected);
    EXPECT_EQ(model().rowCount(), 7);
    EXPECT_TRUE(window->editor().macroChanged());
    // Stored: shown the same when the macro is chosen again.
    clickListRow(0);
    clickListRow(1);
    EXPECT_EQ(steps(), expected);
}

TEST_F(MacroPageTest, DefaultDelayPutsTheBoxValueBeforeEveryEventButTheFirst) {
    startOnMacroPage();
    clickListRow(0);
    click("IB_DelayTime");
    EXPECT_TRUE(widget("LED_DelayTime")->isVisible());
    EXPECT_EQ(qobject_cast<QLineEdit*>(widget("Edt_Delay"))->text(), "50");
    EXPECT_FALSE(qobject_cast<QLineEdit*>(widget("Edt_Delay"))->isReadOnly());
    click("Btn_Start");
    key(kA, true, 3);
    key(kA, false, 1);
    key(kB, true, 9000);
    now += 2;
    capture.button(CaptureButton::Right, true);
    capture.button(CaptureButton::Right, false);
    QApplication::processEvents();
    key(kB, false, 1);
    click("Btn_Start");
    EXPECT_EQ(steps(), (Lines{"0150", "1 A CODE:8204", "0 50", "2 A CODE:0204", "0 50",
                              "1 B CODE:8205", "0 50", "1 RightKey CODE:00A2", "0 50",
                              "2 RightKey CODE:0022", "0 50", "2 B CODE:0205"}));
}

TEST_F(MacroPageTest, CaptureThatCannotStartIsReportedAndTheMacroKept) {
    startOnMacroPage();
    clickListRow(0);
    const Lines before = steps();
    const auto stored = record(0);
    capture.refusal = "The keyboard cannot be watched on this display.";
    click("Btn_Start");
    EXPECT_EQ(prompts.messages, Lines{"The keyboard cannot be watched on this display."});
    EXPECT_FALSE(window->editor().macroRecorder().recording());
    EXPECT_FALSE(capture.running());
    EXPECT_EQ(window->caption("Btn_Start"), "Record");
    EXPECT_TRUE(widget("LB_MacroName")->isEnabled());
    EXPECT_TRUE(widget("Gb_Delay")->isEnabled());
    EXPECT_EQ(steps(), before);
    EXPECT_EQ(record(0), stored);
    // The next recording starts as usual once the capture works.
    capture.refusal.clear();
    click("Btn_Start");
    EXPECT_TRUE(capture.running());
    click("Btn_Start");
    EXPECT_FALSE(capture.running());
}

TEST_F(MacroPageTest, RecordingThatReachesItsLimitEndsTheCaptureByItself) {
    startOnMacroPage();
    clickListRow(0);
    click("IB_NoDelay");
    click("Btn_Start");
    ASSERT_TRUE(capture.running());
    int presses = 0;
    while (capture.running() && presses < 400) {
        key(kA, true, 5);
        key(kA, false, 5);
        ++presses;
    }
    EXPECT_FALSE(capture.running());
    EXPECT_LT(presses, 400);
    EXPECT_FALSE(window->editor().macroRecorder().recording());
    EXPECT_EQ(window->caption("Btn_Start"), "Record");
    EXPECT_TRUE(widget("LB_MacroName")->isEnabled());
    // What was recorded up to the limit is stored (the shipped macros leave
    // room for a few steps only).
    const std::size_t lines = steps().size();
    EXPECT_GT(lines, 3u);
    EXPECT_GT(window->editor().macroMemory().totalBytes(), 490);
    clickListRow(1);
    clickListRow(0);
    EXPECT_EQ(steps().size(), lines);
}

// --- the insert panel ---

TEST_F(MacroPageTest, InsertingALongDelayStoresItCappedInFullPairs) {
    startOnMacroPage();
    clickListRow(0);
    clickStepRow(0);
    click("Btn_Insert");
    EXPECT_TRUE(widget("Gb_Insert")->isVisible());
    EXPECT_TRUE(widget("Img_InsertBase")->isVisible());
    EXPECT_FALSE(widget("Gb_Delay")->isVisible());
    EXPECT_EQ(window->picture("Img_InsertBase"), "InsertDelayBase");
    EXPECT_FALSE(widget("Btn_Start")->isEnabled());
    EXPECT_FALSE(widget("LB_MacroName")->isEnabled());
    EXPECT_FALSE(widget("Btn_InsertStart")->isVisible());

    backspaces("Edt_InsertDelay", 2);
    typeInto("Edt_InsertDelay", "20000");
    EXPECT_EQ(qobject_cast<QLineEdit*>(widget("Edt_InsertDelay"))->text(), "10200");
    const std::size_t rows = static_cast<std::size_t>(model().rowCount());
    click("Btn_OK");
    EXPECT_FALSE(widget("Gb_Insert")->isVisible());
    EXPECT_TRUE(widget("Gb_Delay")->isVisible());
    EXPECT_EQ(static_cast<std::size_t>(model().rowCount()), rows + 1);
    EXPECT_EQ(steps()[1], "0 10200");
    EXPECT_EQ(model().selectedRow(), 0);
    const auto stored = record(0);
    const std::vector<std::uint8_t> delay = {0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF,
                                             0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0x00};
    ASSERT_GT(stored.size(), delay.size() + 1);
    EXPECT_TRUE(std::equal(delay.begin(), delay.end(), stored.begin() + 1))
        << "the delay comes first, before the first step";
}

TEST_F(MacroPageTest, CancelAfterRecordingKeysIntoThePanelShowsTheMacroAsBefore) {
    startOnMacroPage();
    clickListRow(0);
    const Lines before = steps();
    const auto stored = record(0);
    clickStepRow(1);
    click("Btn_Insert");
    pickInsertEntry(2);
    EXPECT_EQ(window->picture("Img_InsertBase"), "InsertKeyBase");
    EXPECT_TRUE(widget("Btn_InsertStart")->isVisible());
    EXPECT_TRUE(widget("LED_InsertRecDelay")->isVisible());
    EXPECT_TRUE(qobject_cast<QLineEdit*>(widget("Edt_InsertDelay"))->isReadOnly());

    click("Btn_InsertStart");
    ASSERT_TRUE(capture.running());
    EXPECT_EQ(window->caption("Btn_InsertStart"), "Stop");
    EXPECT_FALSE(widget("Btn_OK")->isEnabled());
    EXPECT_FALSE(widget("Btn_Cancel")->isEnabled());
    EXPECT_FALSE(widget("CB_Insert")->isEnabled());
    EXPECT_TRUE(widget("GB_Dis")->isVisible());
    key(kC, true, 40);
    key(kC, false, 40);
    click("Btn_InsertStart");
    EXPECT_FALSE(capture.running());
    EXPECT_EQ(steps().size(), before.size() + 3) << "C pressed, a delay, C released";
    EXPECT_EQ(steps()[2], "1 C CODE:8206");
    EXPECT_EQ(record(0), stored) << "nothing stored before OK";

    click("Btn_Cancel");
    EXPECT_FALSE(widget("Gb_Insert")->isVisible());
    EXPECT_EQ(steps(), before);
    EXPECT_EQ(record(0), stored);
    EXPECT_EQ(model().selectedRow(), 1);
}

TEST_F(MacroPageTest, SwitchingPagesKeepsTheInsertPanelOpen) {
    startOnMacroPage();
    clickListRow(0);
    click("Btn_Insert");
    click("Btn_Main_4");
    ASSERT_EQ(window->shownPage(), 1);
    click("Btn_Macro_1");
    EXPECT_TRUE(widget("Gb_Insert")->isVisible());
    EXPECT_FALSE(widget("Gb_Delay")->isVisible());
    click("Btn_Cancel");
    EXPECT_TRUE(widget("Gb_Delay")->isVisible());
}

TEST_F(MacroPageTest, LanguageSwitchTranslatesThePageAndKeepsItsState) {
    startOnMacroPage();
    clickListRow(0);
    click("Btn_Insert");
    click("Btn_Lang3_4");
    const auto& languages = window->editor().languages();
    const auto text = [&languages](const char* key) {
        return QString::fromStdString(languages.text(key));
    };
    ASSERT_NE(text("Str400"), "Record");
    EXPECT_EQ(window->caption("Btn_Start"), text("Str400"));
    EXPECT_EQ(window->caption("Btn_Cancel"), text("Str422"));
    EXPECT_EQ(window->caption("IB_InsertRecDelay"), "       " + text("Str414"));
    auto* list = qobject_cast<QComboBox*>(widget("CB_Insert"));
    EXPECT_EQ(list->itemText(3), text("Str413"));
    EXPECT_EQ(list->currentIndex(), 0);
    EXPECT_TRUE(widget("Gb_Insert")->isVisible());
    EXPECT_EQ(model().selectedMacro(), 0);
}

// --- editing steps and macros ---

TEST_F(MacroPageTest, DeletingAPressRemovesItsReleaseAndKeepsTheDelays) {
    startOnMacroPage();
    clickListRow(0);
    click("Btn_Start");
    typeAB();
    click("Btn_Start");
    clickStepRow(0);
    click("Btn_Del");
    EXPECT_EQ(steps(), (Lines{"10", "0 80", "1 B CODE:8205", "0 80", "2 B CODE:0205", "0 136"}));
    EXPECT_EQ(model().rowCount(), 5);
    EXPECT_EQ(model().selectedRow(), 0);
}

TEST_F(MacroPageTest, ClearingAsksFirstAndNoChangesNothing) {
    startOnMacroPage();
    clickListRow(0);
    const auto stored = record(0);
    const Lines before = steps();
    prompts.answer = false;
    click("Btn_Clear");
    EXPECT_EQ(prompts.questions, Lines{"OK for clear macro?"});
    EXPECT_EQ(record(0), stored);
    EXPECT_EQ(steps(), before);

    prompts.answer = true;
    click("Btn_Clear");
    EXPECT_EQ(model().rowCount(), 0);
    EXPECT_EQ(record(0), (std::vector<std::uint8_t>{0x01, 0xFF}));
}

TEST_F(MacroPageTest, NewMacroIsRefusedAtFifteenMacros) {
    startOnMacroPage();
    auto& editor = window->editor();
    // Fifteen empty macros fit the area once the shipped ones are gone.
    while (!model().macroNames().empty()) {
        clickListRow(0);
        click("Btn_DelMacro");
    }
    EXPECT_EQ(qobject_cast<QListWidget*>(widget("LB_MacroName"))->count(), 0);
    for (int n = static_cast<int>(model().macroNames().size()); n < 15; ++n) {
        ASSERT_TRUE(editor.macroAction(&macros::MacroEditor::Btn_NewMacroClick)) << n;
        const std::string name = "M" + std::to_string(n);
        editor.macroAction([&name](macros::MacroEditor& m) { return m.ApplyMacroName(name); });
    }
    ASSERT_EQ(model().macroNames().size(), 15u);
    ASSERT_EQ(qobject_cast<QListWidget*>(widget("LB_MacroName"))->count(), 15);
    prompts.messages.clear();
    click("Btn_NewMacro");
    EXPECT_EQ(prompts.messages, Lines{"EEPROM space shortage"});
    EXPECT_EQ(window->macroPage().nameDialog(), nullptr);
    EXPECT_EQ(model().macroNames().size(), 15u);
}

TEST_F(MacroPageTest, NameDialogCreatesAndRenamesLeavingNothingOfALongerName) {
    startOnMacroPage();
    // Room for one more macro.
    clickListRow(0);
    click("Btn_DelMacro");
    ASSERT_TRUE(prompts.messages.empty());
    const std::size_t count = model().macroNames().size();
    click("Btn_NewMacro");
    MacroNameDialog* dialog = window->macroPage().nameDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    EXPECT_EQ(dialog->objectName(), "TForm3");
    EXPECT_EQ(dialog->title()->text(), "Macro Name");
    QTest::keyClicks(dialog->edit(), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(dialog->edit()->text(), "ABCDEFGHIJKLMN") << "14 characters at most";
    QTest::mouseClick(dialog->confirmButton(), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(window->macroPage().nameDialog(), nullptr);
    ASSERT_EQ(model().macroNames().size(), count + 1);
    const int created = static_cast<int>(count);
    EXPECT_EQ(model().selectedMacro(), created);
    EXPECT_EQ(qobject_cast<QListWidget*>(widget("LB_MacroName"))->item(created)->text(),
              "ABCDEFGHIJKLMN");

    click("Btn_NewName");
    dialog = window->macroPage().nameDialog();
    ASSERT_NE(dialog, nullptr);
    QTest::keyClicks(dialog->edit(), "Zz");
    QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog->edit()->text().isEmpty()) << "Cancel empties the input";
    QTest::keyClicks(dialog->edit(), "Ab");
    QTest::mouseClick(dialog->confirmButton(), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(qobject_cast<QListWidget*>(widget("LB_MacroName"))->item(created)->text(), "Ab");
    const auto field = window->editor().macroMemory().nameField(static_cast<std::size_t>(created));
    std::array<std::uint8_t, macros::kNameFieldSize> expected{};
    expected[1] = 'A';
    expected[3] = 'b';
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), field.begin()));
}

TEST_F(MacroPageTest, TypeTwoMacrosHaveNoRenameNewOrDelete) {
    startOnMacroPage();
    for (const char* name : {"Btn_NewName", "Btn_NewMacro", "Btn_DelMacro", "Img_NewName",
                             "Img_NewMacro", "Img_DelMacro"}) {
        EXPECT_TRUE(widget(name)->isVisible()) << name;
    }
    auto& editor = window->editor();
    editor.macroAction([&editor](macros::MacroEditor& m) {
        m.bind(2, editor.dataBuf().macroArea(2));
        m.ReadAndRefreshMacro();
        return macros::MacroResult{};
    });
    for (const char* name : {"Btn_NewName", "Btn_NewMacro", "Btn_DelMacro", "Img_NewName",
                             "Img_NewMacro", "Img_DelMacro"}) {
        EXPECT_FALSE(widget(name)->isVisible()) << name;
    }
    auto* list = qobject_cast<QListWidget*>(widget("LB_MacroName"));
    ASSERT_EQ(list->count(), 5);
    EXPECT_EQ(list->item(0)->text(), "Macro1");
    EXPECT_EQ(list->item(4)->text(), "Macro5");
    EXPECT_TRUE(widget("Btn_Clear")->isVisible());
}

}  // namespace
}  // namespace vtr::shell

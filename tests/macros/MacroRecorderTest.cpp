#include <gtest/gtest.h>

#include "MacroFixture.h"
#include "macros/MacroRecorder.h"

namespace vtr::macros {
namespace {

using testing::Bytes;
using testing::Concat;
using testing::Entry10;
using testing::Record;

constexpr std::uint16_t kA = 0x41;
constexpr std::uint16_t kB = 0x42;

class MacroRecorderTest : public testing::MacroTest {
  protected:
    // A type-10 area with one macro without steps, selected, and record delay
    // chosen (choosing a macro without delays chooses no delay).
    void OneEmptyMacro() {
        Load(10, {});
        AddMacro("M", {"00"});
        ASSERT_TRUE(editor_.LB_MacroNameClick(0).done);
        EXPECT_EQ(editor_.delayMode(), DelayMode::None);
        editor_.setDelayMode(DelayMode::Record);
    }

    RecorderResult Start() {
        RecorderResult result = recorder_.Btn_StartClick();
        EXPECT_TRUE(result.started);
        EXPECT_TRUE(recorder_.recording());
        return result;
    }

    RecorderResult Stop() {
        RecorderResult result = recorder_.Btn_StartClick();
        EXPECT_TRUE(result.stopped);
        EXPECT_FALSE(recorder_.recording());
        return result;
    }

    RecorderResult Key(std::uint16_t vk, KeyType type, std::uint32_t after = 0) {
        now_ += after;
        return recorder_.KeyboardHook1Receive(vk, type, now_);
    }

    // One mouse event, then one turn of the worker.
    RecorderResult Click(MouseButton button, bool press, std::uint32_t after = 0) {
        now_ += after;
        recorder_.MouseHookProc(button, press);
        return recorder_.TPThreadPass(now_);
    }

    StepLines Steps() const { return editor_.steps(); }

    // The stored step bytes of a slot.
    Bytes StoredSteps(std::size_t slot) const {
        const auto record = memory_.record(slot);
        return record.size() < 2 ? Bytes{} : Bytes(record.begin() + 1, record.end() - 1);
    }

    MacroRecorder recorder_{editor_};
    std::uint32_t now_ = 5000;
};

TEST_F(MacroRecorderTest, HoldingAKeyGivesOnePress) {
    OneEmptyMacro();
    const RecorderResult started = Start();
    EXPECT_TRUE(started.macroChanged);
    EXPECT_FALSE(editor_.macroButtonsEnabled());
    EXPECT_FALSE(editor_.delayPanelEnabled());
    Key(kA, KeyType::FirstDown);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(Key(kA, KeyType::LaterDown, 30).linesAdded, 0) << "a repeat";
    }
    Key(kA, KeyType::Up, 350);
    Stop();
    EXPECT_TRUE(editor_.macroButtonsEnabled());
    EXPECT_EQ(Steps(), (StepLines{"10", "1 A CODE:8204", "0 500", "2 A CODE:0204"}));
    EXPECT_EQ(StoredSteps(0), (Bytes{0x82, 0x04, 0xFE, 0x3E, 0x02, 0x04}));
    EXPECT_EQ(editor_.selectedRow(), 2);
}

TEST_F(MacroRecorderTest, OverlappingKeysWithRecordedGaps) {
    OneEmptyMacro();
    Start();
    Key(kA, KeyType::FirstDown);
    Key(kB, KeyType::LaterDown, 100);
    Key(kB, KeyType::Up, 50);
    Key(kA, KeyType::Up, 15000);
    Stop();
    EXPECT_EQ(Steps(), (StepLines{"10", "1 A CODE:8204", "0 100", "1 B CODE:8205", "0 50",
                                  "2 B CODE:0205", "0 10200", "2 A CODE:0204"}))
        << "no delay before the first event; a pause of 15 s is 10200 ms";
}

TEST_F(MacroRecorderTest, DefaultDelayPrecedesEveryEventButTheFirst) {
    OneEmptyMacro();
    editor_.setDelayMode(DelayMode::Default);
    editor_.delayEdit().setText("50");
    Start();
    Key(kA, KeyType::FirstDown);
    Key(kA, KeyType::Up, 1);
    Click(MouseButton::Right, true, 7000);
    Click(MouseButton::Right, false, 0);
    Stop();
    EXPECT_EQ(Steps(), (StepLines{"0150", "1 A CODE:8204", "0 50", "2 A CODE:0204", "0 50",
                                  "1 RightKey CODE:00A2", "0 50", "2 RightKey CODE:0022"}));
}

TEST_F(MacroRecorderTest, KeyNamesAndCodes) {
    struct Case {
        std::uint16_t vk;
        const char* press;
        const char* release;
    };
    const Case cases[] = {
        {0x11, "1 Ctrl CODE:8101", "2 Ctrl CODE:0101"},
        {0xA3, "1 Ctrl CODE:8101", "2 Ctrl CODE:0101"},  // right Ctrl
        {0xA1, "1 Shift CODE:8102", "2 Shift CODE:0102"},
        {0xA5, "1 Alt CODE:8104", "2 Alt CODE:0104"},
        {0x5B, "1 Left Windows CODE:8108", "2 Left Windows CODE:0108"},
        {0x5C, "1 Right Windows CODE:8180", "2 Right Windows CODE:0180"},
        {0x31, "1 1 CODE:821E", "2 1 CODE:021E"},
        {0xB3, "1 Media_Play_Pause CODE:82C3", "2 Media_Play_Pause CODE:02C3"},
        {0xE5, "1 None CODE:8200", "2 None CODE:0200"},
    };
    OneEmptyMacro();
    editor_.setDelayMode(DelayMode::None);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.vk);
        Start();
        Key(c.vk, KeyType::FirstDown);
        Key(c.vk, KeyType::Up, 10);
        Stop();
        EXPECT_EQ(Steps(), (StepLines{"00", c.press, c.release}));
    }
    // Virtual key 255 is no key.
    Start();
    EXPECT_EQ(Key(0xFF, KeyType::FirstDown).linesAdded, 0);
    Stop();
    EXPECT_EQ(StoredSteps(0), Bytes{});
}

TEST_F(MacroRecorderTest, TheStopClickIsNotRecorded) {
    OneEmptyMacro();
    Start();
    Click(MouseButton::Right, true);
    Click(MouseButton::Right, false, 100);
    recorder_.setPointerOverRecordButton(true);
    EXPECT_EQ(Click(MouseButton::Left, true, 40).linesAdded, 0);
    EXPECT_EQ(Click(MouseButton::Left, false, 60).linesAdded, 0);
    Stop();
    EXPECT_EQ(Steps(), (StepLines{"10", "1 RightKey CODE:00A2", "0 100", "2 RightKey CODE:0022"}));
    // Not recording: the hook sets nothing, keys add nothing.
    recorder_.setPointerOverRecordButton(false);
    EXPECT_EQ(Click(MouseButton::Left, true).linesAdded, 0);
    EXPECT_EQ(Key(kA, KeyType::FirstDown).linesAdded, 0);
}

TEST_F(MacroRecorderTest, MarksAreTakenInTheWorkersOrder) {
    OneEmptyMacro();
    Start();
    recorder_.MouseHookProc(MouseButton::Backward, false);
    recorder_.MouseHookProc(MouseButton::Forward, true);
    recorder_.MouseHookProc(MouseButton::Left, false);
    recorder_.MouseHookProc(MouseButton::Right, true);
    recorder_.MouseHookProc(MouseButton::Left, true);
    recorder_.MouseHookProc(MouseButton::Left, true);  // one mark: taken once
    EXPECT_EQ(recorder_.TPThreadPass(now_).linesAdded, 5);
    Stop();
    EXPECT_EQ(Steps(),
              (StepLines{"10", "1 LeftKey CODE:00A1", "2 LeftKey CODE:0021", "1 RightKey CODE:00A2",
                         "1 Forward CODE:00A8", "2 Backward CODE:0030"}));
}

TEST_F(MacroRecorderTest, MouseDelaysComeInLinesOf2040) {
    OneEmptyMacro();
    Start();
    Click(MouseButton::Middle, true);
    Click(MouseButton::Middle, false, 5000);
    Key(kA, KeyType::FirstDown, 5000);
    Stop();
    EXPECT_EQ(Steps(), (StepLines{"10", "1 MiddleKey CODE:00A4", "0 2040", "0 2040", "0 920",
                                  "2 MiddleKey CODE:0024", "0 5000", "1 A CODE:8204"}));

    editor_.setDelayMode(DelayMode::Default);
    editor_.delayEdit().setText("4080");
    Start();
    Click(MouseButton::Middle, true);
    Click(MouseButton::Middle, false, 1);
    Stop();
    EXPECT_EQ(Steps(), (StepLines{"014080", "1 MiddleKey CODE:00A4", "0 2040", "0 2040",
                                  "2 MiddleKey CODE:0024"}));
}

TEST_F(MacroRecorderTest, Type2RecordingsStopPastTheByteLimit) {
    // With record delay the limit is 156 bytes; each event after the first
    // adds a 10 ms delay (2 bytes) and its step.
    struct Case {
        const char* what;
        bool mouse;
        int events;  // recorded until the recording stops itself
        int storedLength;
    };
    const Case cases[] = {
        {"keys", false, 40, 160},  // 2 + 39 x 4 = 158 > 156
        {"mouse", true, 53, 159},  // 1 + 52 x 3 = 157 > 156
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Load(2, {});
        ASSERT_TRUE(editor_.LB_MacroNameClick(0).done);
        Start();
        EXPECT_EQ(recorder_.byteLimit(), 156);
        int events = 0;
        RecorderResult result;
        while (!result.stopped && events < 200) {
            const bool down = events % 2 == 0;
            result = c.mouse ? Click(MouseButton::Left, down, 10)
                             : Key(kA, down ? KeyType::FirstDown : KeyType::Up, 10);
            ++events;
        }
        EXPECT_EQ(events, c.events);
        EXPECT_FALSE(recorder_.recording());
        EXPECT_TRUE(editor_.macroButtonsEnabled());
        EXPECT_EQ(memory_.storedLength(0), c.storedLength);
        EXPECT_EQ(memory_.totalBytes(), c.storedLength) << "recomputed by the pack";
        EXPECT_EQ(MacroBufToSteps(memory_.record(0)).lines.size(),
                  static_cast<std::size_t>(2 * c.events));
    }
}

TEST_F(MacroRecorderTest, ByteLimitsByTypeAndMode) {
    struct Case {
        int type;
        DelayMode mode;
        int limit;
    };
    const Case cases[] = {
        {2, DelayMode::Record, 156},  {2, DelayMode::Default, 156},  {2, DelayMode::None, 160},
        {10, DelayMode::Record, 500}, {10, DelayMode::Default, 500}, {10, DelayMode::None, 504},
    };
    for (const Case& c : cases) {
        if (c.type == 2) {
            Load(2, {});
            ASSERT_TRUE(editor_.LB_MacroNameClick(0).done);
        } else {
            OneEmptyMacro();
        }
        editor_.setDelayMode(c.mode);
        Start();
        EXPECT_EQ(recorder_.byteLimit(), c.limit) << c.type;
        Stop();
    }
}

TEST_F(MacroRecorderTest, At246RecordedBytesTheRecordingEnds) {
    OneEmptyMacro();
    editor_.setDelayMode(DelayMode::None);
    Start();
    int events = 0;
    RecorderResult result;
    while (!result.stopped && events < 400) {
        result = Key(events % 4 < 2 ? kA : kB, events % 2 == 0 ? KeyType::FirstDown : KeyType::Up);
        ++events;
    }
    EXPECT_EQ(events, 124);  // 248 > 246
    EXPECT_EQ(recorder_.recordedBytes(), 248);
    EXPECT_EQ(memory_.storedLength(0), 32 + 250);
}

TEST_F(MacroRecorderTest, CountedBytesBelowTheLimitsButAFullRecordEndTheRecording) {
    // Pauses of 10200 ms count 10 bytes but take 12 (FE FF five times, FE 00):
    // with a key step each event after the first takes 14 bytes. The 20th event
    // would need 268 step bytes, more than a record holds.
    OneEmptyMacro();
    Start();
    int events = 0;
    RecorderResult result;
    while (!result.stopped && events < 100) {
        result = Key(kA, events % 2 == 0 ? KeyType::FirstDown : KeyType::Up, 20000);
        ++events;
    }
    EXPECT_EQ(events, 20);
    EXPECT_LE(recorder_.recordedBytes(), 246) << "the counters alone would go on";
    EXPECT_TRUE(result.message.empty());
    EXPECT_EQ(memory_.storedLength(0), 32 + 256);
    const StepLines steps = Steps();
    EXPECT_EQ(StoredSteps(0), StepsToStepBytes(std::span(steps).subspan(1), 254));
}

TEST_F(MacroRecorderTest, NoRoomToStart) {
    // Other macros use 468 bytes: with the emptied macro's name 500 are used.
    const Bytes others =
        Concat({Entry10(u"F", Record(Bytes(254, 0xFC))), Entry10(u"G", Record(Bytes(146, 0xFC)))});
    Load(10, Concat({others, Entry10(u"M", Record({0xA1, 0x21}))}));
    ASSERT_TRUE(editor_.LB_MacroNameClick(2).done);
    editor_.setDelayMode(DelayMode::Record);
    const RecorderResult result = recorder_.Btn_StartClick();
    EXPECT_FALSE(result.started);
    EXPECT_TRUE(result.macroChanged);
    EXPECT_EQ(result.message, "Str104");
    EXPECT_FALSE(recorder_.recording());
    EXPECT_EQ(memory_.storedLength(2), 34) << "the macro stays emptied: 01 FF";
    EXPECT_EQ(Area(10)[468 + 32], 0x01);
    EXPECT_EQ(Area(10)[468 + 33], 0xFF);

    // Without a selected macro nothing happens.
    ASSERT_TRUE(editor_.LB_MacroNameClick(-1).done);
    EXPECT_FALSE(recorder_.Btn_StartClick().macroChanged);
}

TEST_F(MacroRecorderTest, KeysHeldAcrossRecordingsDoNotSwallowLaterPresses) {
    OneEmptyMacro();
    editor_.setDelayMode(DelayMode::None);
    // A recording stopped while A was held; A is released while idle.
    Start();
    Key(kA, KeyType::FirstDown);
    Stop();
    Key(kA, KeyType::Up);
    // B pressed twice.
    Start();
    Key(kB, KeyType::FirstDown);
    Key(kB, KeyType::Up);
    Key(kB, KeyType::FirstDown);
    Key(kB, KeyType::Up);
    // A key held since before the start is released.
    Key(kA, KeyType::Up);
    Key(kA, KeyType::FirstDown);
    Key(kA, KeyType::Up);
    Stop();
    EXPECT_EQ(Steps(),
              (StepLines{"00", "1 B CODE:8205", "2 B CODE:0205", "1 B CODE:8205", "2 B CODE:0205",
                         "2 A CODE:0204", "1 A CODE:8204", "2 A CODE:0204"}));
    EXPECT_EQ(recorder_.heldKeys(), 0);
}

class InsertRecordingTest : public MacroRecorderTest {
  protected:
    // A macro of three rows; row `row` selected; the insert panel open on a key
    // entry.
    void OpenInsert(InsertEntry entry, int row) {
        Load(10, {});
        AddMacro("M", testing::Tap("10", "A", "04"));
        ASSERT_TRUE(editor_.LB_MacroNameClick(0).done);
        editor_.setSelectedRow(row);
        editor_.setTopRow(1);
        ASSERT_TRUE(editor_.Btn_InsertClick().done);
        editor_.CB_InsertChange(entry);
        editor_.setInsertDelayMode(DelayMode::None);
    }
};

TEST_F(InsertRecordingTest, LinesGoBeforeOrAfterTheSelectedStep) {
    struct Case {
        InsertEntry entry;
        int row;
        StepLines rows;
    };
    const Case cases[] = {
        {InsertEntry::KeyFront,
         1,
         {"1 A CODE:8204", "1 B CODE:8205", "2 B CODE:0205", "0 96", "2 A CODE:0204"}},
        {InsertEntry::KeyBack,
         1,
         {"1 A CODE:8204", "0 96", "1 B CODE:8205", "2 B CODE:0205", "2 A CODE:0204"}},
        {InsertEntry::KeyBack,
         2,
         {"1 A CODE:8204", "0 96", "2 A CODE:0204", "1 B CODE:8205", "2 B CODE:0205"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        OpenInsert(c.entry, c.row);
        ASSERT_TRUE(recorder_.Btn_InsertStartClick().started);
        EXPECT_FALSE(editor_.insertControlsEnabled());
        EXPECT_FALSE(editor_.Btn_OKClick().done) << "OK waits for the recording";
        Key(kB, KeyType::FirstDown);
        Key(kB, KeyType::Up, 10);
        EXPECT_TRUE(recorder_.Btn_InsertStartClick().stopped);
        const StepLines rows(editor_.steps().begin() + 1, editor_.steps().end());
        EXPECT_EQ(rows, c.rows);
        EXPECT_EQ(StoredSteps(0), (Bytes{0x82, 0x04, 0xFE, 0x0C, 0x02, 0x04})) << "not yet";
        ASSERT_TRUE(editor_.Btn_OKClick().done);
        EXPECT_EQ(StoredSteps(0), StepsToStepBytes(c.rows, 254));
    }
}

TEST_F(InsertRecordingTest, CancelShowsTheMacroAsBefore) {
    OpenInsert(InsertEntry::KeyFront, 0);
    const int total = memory_.totalBytes();
    ASSERT_TRUE(recorder_.Btn_InsertStartClick().started);
    Key(kB, KeyType::FirstDown);
    Click(MouseButton::Right, true);
    EXPECT_TRUE(recorder_.Btn_InsertStartClick().stopped);
    EXPECT_EQ(editor_.rowCount(), 5);
    editor_.setTopRow(0);
    ASSERT_TRUE(editor_.Btn_CancelClick().done);
    EXPECT_EQ(editor_.steps(), testing::Tap("10", "A", "04"));
    EXPECT_EQ(editor_.selectedRow(), 0);
    EXPECT_EQ(editor_.topRow(), 1) << "as when the panel opened";
    EXPECT_EQ(memory_.totalBytes(), total);
}

TEST_F(InsertRecordingTest, AnotherInsertRecordingAfterOneEndedAtTheLimit) {
    // Type 2 with record delay: a macro of 153 bytes (75 key steps and a
    // click), the limit 156.
    Load(2, {});
    StepLines lines = {"00"};
    for (int i = 0; i < 75; ++i) {
        lines.push_back(i % 2 == 0 ? "1 A CODE:8204" : "2 A CODE:0204");
    }
    lines.push_back("1 LeftKey CODE:00A1");
    ASSERT_TRUE(StepsToMacroBuf(memory_, 0, lines));
    ASSERT_EQ(memory_.totalBytes(), 153);
    ASSERT_TRUE(editor_.LB_MacroNameClick(0).done);
    editor_.setDelayMode(DelayMode::Record);
    editor_.setSelectedRow(0);
    ASSERT_TRUE(editor_.Btn_InsertClick().done);
    editor_.CB_InsertChange(InsertEntry::KeyBack);

    ASSERT_TRUE(recorder_.Btn_InsertStartClick().started);
    EXPECT_EQ(Key(kA, KeyType::FirstDown).linesAdded, 1);  // 155
    const RecorderResult refused = Key(kB, KeyType::LaterDown, 10);
    EXPECT_EQ(refused.linesAdded, 0);
    EXPECT_TRUE(refused.stopped);

    ASSERT_TRUE(recorder_.Btn_InsertStartClick().started) << "155 is below the limit";
    const RecorderResult click = Click(MouseButton::Right, true);
    EXPECT_EQ(click.linesAdded, 1);
    EXPECT_FALSE(click.stopped) << "records normally";
    EXPECT_TRUE(Click(MouseButton::Right, false, 10).stopped);
    const StepLines rows(editor_.steps().begin() + 1, editor_.steps().begin() + 6);
    EXPECT_EQ(rows, (StepLines{"1 A CODE:8204", "1 A CODE:8204", "1 RightKey CODE:00A2", "0 10",
                               "2 RightKey CODE:0022"}));
    ASSERT_TRUE(editor_.Btn_OKClick().done);
    EXPECT_EQ(memory_.storedLength(0), 153 + 2 + 1 + 2 + 1);
}

TEST(KeyboardReceiverTest, CountsKeyDownsSinceTheLastKeyUp) {
    KeyboardReceiver receiver;
    // A down, B down while A is held, B up, A down again (its repeat after the
    // up of B starts a new count), A up.
    const std::pair<bool, KeyType> events[] = {
        {true, KeyType::FirstDown}, {true, KeyType::LaterDown}, {false, KeyType::Up},
        {true, KeyType::FirstDown}, {false, KeyType::Up},       {false, KeyType::Up},
    };
    for (const auto& [down, expected] : events) {
        EXPECT_EQ(receiver.receive(down), expected);
    }
    EXPECT_EQ(receiver.count(), 0);
}

}  // namespace
}  // namespace vtr::macros

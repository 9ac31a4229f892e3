#include <gtest/gtest.h>

#include <algorithm>

#include "ScriptedPrompts.h"
#include "device/SimulatedMouse.h"
#include "editor/Editor.h"
#include "image/CheckByte.h"
#include "image/DefaultImage.h"
#include "image/FileIo.h"
#include "settings/MemoryPointerStore.h"
#include "support/TempDir.h"

namespace vtr::editor {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using Range = std::pair<int, int>;

const char* const kNotFound = "No Device Found\rPlease check your device is attached to USB port";

class EditorTest : public vtr::testing::TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        mouse.setLogging(true);
        editor.hooks().closeWindow = [this] { ++closes; };
    }

    // Start-up, then the first poll 3.5 s later.
    void startAndPoll() {
        editor.FormCreate();
        editor.DevTimerTimer();
    }

    // (address, length) of every range announced with this command since the
    // log was last cleared.
    std::vector<Range> ranges(int command) const {
        std::vector<Range> found;
        for (const auto& r : mouse.sentReports()) {
            if (r[1] == command) {
                found.emplace_back(r[2] | r[3] << 8, r[4] | r[5] << 8);
            }
        }
        return found;
    }
    std::vector<int> commands() const {
        std::vector<int> sent;
        for (const auto& r : mouse.sentReports()) {
            if (sent.empty() || sent.back() != r[1] || r[1] == 5 || r[1] == 7) {
                sent.push_back(r[1]);
            }
        }
        sent.erase(std::remove_if(sent.begin(), sent.end(), [](int c) { return c == 5 || c == 7; }),
                   sent.end());
        return sent;
    }

    // Gives the simulated mouse a button table of its own (valid check byte),
    // so a read can be told from the defaults.
    void giveMouseOwnButtons() {
        auto& eeprom = mouse.firmware().eeprom();
        eeprom[64 + 3] = 0x03;  // Key2: Volume +
        eeprom[64 + 4] = 0x00;
        eeprom[64 + 5] = 0xE9;
        eeprom[91] = image::CheckByte(std::span(eeprom).subspan(64, 27));
    }

    device::SimulatedMouse mouse;
    device::VirtualClock clock;
    ScriptedPrompts prompts;
    settings::MemoryPointerStore pointerStore;
    Editor editor{mouse, clock, prompts, pointerStore};
    int closes = 0;
};

TEST_F(EditorTest, NoMouseEverShowsTheDefaultsSilently) {
    mouse.firmware().unplug();
    startAndPoll();
    editor.DevTimerTimer();
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_FALSE(editor.errorMode());
    EXPECT_FALSE(editor.devicePresent());
    const auto defaults = image::BuiltInDefaultImage();
    EXPECT_EQ(editor.dataBuf().toProfileBytes(10), Bytes(defaults.begin(), defaults.end()));
    EXPECT_EQ(editor.settings().buttons.captionText(1), "Left Key");
    EXPECT_TRUE(mouse.sentReports().empty());

    EXPECT_FALSE(editor.Btn_Apply_0Click());
    EXPECT_FALSE(editor.Btn_Save_0Click());
    EXPECT_EQ(prompts.messages, (std::vector<std::string>{"The specified device not find",
                                                          "The specified device not find"}));
    EXPECT_TRUE(prompts.filters.empty()) << "no dialog without a mouse";
}

TEST_F(EditorTest, MousePresentAtStartIsReadAfterTheWait) {
    giveMouseOwnButtons();
    editor.FormCreate();
    const auto before = clock.nowMs();
    editor.DevTimerTimer();
    EXPECT_GE(clock.nowMs() - before, 2100u) << "a new mouse gets 2.1 s to settle";
    EXPECT_TRUE(editor.deviceRead());
    EXPECT_FALSE(editor.errorMode());
    EXPECT_EQ(editor.deviceType(), 10);
    EXPECT_EQ(editor.settings().buttons.captionText(2), "Volume +");
    EXPECT_EQ(ranges(4),
              (std::vector<Range>{
                  {42, 1}, {0, 43}, {64, 28}, {512, 255}, {767, 1}, {768, 255}, {1023, 1}}));
    EXPECT_EQ(commands(), (std::vector<int>{1, 3, 4, 4, 4, 4, 4, 4, 4, 8, 2}));
    EXPECT_TRUE(prompts.messages.empty());

    // Later polls with the same count do nothing.
    mouse.clearLog();
    editor.DevTimerTimer();
    EXPECT_TRUE(mouse.sentReports().empty());
}

TEST_F(EditorTest, MouseOfTheOtherTypeIsRefused) {
    device::SimulatedMouse typeTwo(2);
    typeTwo.setLogging(true);
    Editor other(typeTwo, clock, prompts, pointerStore);
    other.FormCreate();
    other.DevTimerTimer();
    EXPECT_EQ(prompts.messages, std::vector<std::string>{"VTR6420KDData.bin file type error"});
    EXPECT_TRUE(other.errorMode());
    EXPECT_TRUE(other.rejected());
    EXPECT_FALSE(other.deviceRead());
    const auto defaults = image::BuiltInDefaultImage();
    EXPECT_EQ(other.dataBuf().toProfileBytes(10), Bytes(defaults.begin(), defaults.end()));

    typeTwo.clearLog();
    prompts.messages.clear();
    EXPECT_FALSE(other.Btn_Apply_0Click());
    EXPECT_FALSE(other.Btn_Reset_0Click());
    EXPECT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[0], "VTR6420KDData.bin file type error");
    EXPECT_TRUE(typeTwo.sentReports().empty()) << "nothing is sent to a rejected mouse";
}

TEST_F(EditorTest, UnpluggedMouseIsReportedLost) {
    startAndPoll();
    ASSERT_TRUE(editor.deviceRead());
    mouse.firmware().unplug();
    editor.DevTimerTimer();
    EXPECT_EQ(prompts.messages, std::vector<std::string>{kNotFound});
    EXPECT_TRUE(editor.errorMode());
    EXPECT_FALSE(editor.devicePresent());
    // The editor keeps what it showed.
    EXPECT_EQ(editor.settings().buttons.captionText(1), "Left Key");

    // Plugged in again: read again, error mode off.
    mouse.firmware().plug();
    editor.DevTimerTimer();
    EXPECT_TRUE(editor.deviceRead());
    EXPECT_FALSE(editor.errorMode());
}

TEST_F(EditorTest, OtherDevicesComingAndGoingChangeNothing) {
    startAndPoll();
    ASSERT_TRUE(editor.deviceRead());
    editor.settings().buttons.setCode(2, "0300E9");  // an unsaved edit
    mouse.clearLog();
    mouse.otherInterfaces().push_back({"/dev/hidraw7", 0x046D, 0xC31C, 0});
    editor.DevTimerTimer();
    mouse.otherInterfaces().clear();
    editor.DevTimerTimer();
    EXPECT_TRUE(mouse.sentReports().empty());
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(editor.settings().buttons.codeText(2), "0300E9");
}

TEST_F(EditorTest, ChangeSeenByTooFewCountPairsWaitsForALaterPoll) {
    // The candidate's interfaces flicker: every other enumeration lists them.
    class Flicker final : public device::HidBackend {
      public:
        explicit Flicker(device::HidBackend& inner) : inner_(inner) {}
        std::vector<device::HidInterfaceInfo> enumerate() override {
            return (calls_++ % 2 == 0 || steady) ? inner_.enumerate()
                                                 : std::vector<device::HidInterfaceInfo>{};
        }
        std::unique_ptr<device::HidDevice> open(const std::string& p, std::string* e) override {
            return inner_.open(p, e);
        }
        bool steady = false;

      private:
        device::HidBackend& inner_;
        int calls_ = 0;
    } flicker(mouse);
    Editor flaky(flicker, clock, prompts, pointerStore);
    flaky.FormCreate();
    flaky.DevTimerTimer();
    EXPECT_FALSE(flaky.devicePresent()) << "no pair agreed";
    flicker.steady = true;
    flaky.DevTimerTimer();
    EXPECT_TRUE(flaky.deviceRead());
}

TEST_F(EditorTest, MouseThatMayNotBeOpenedSaysHowToFixIt) {
    mouse.setRefuseOpen(true);
    startAndPoll();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].rfind(kNotFound, 0), 0u);
    EXPECT_NE(prompts.messages[0].find("70-vtr6420kd.rules"), std::string::npos);
    EXPECT_NE(prompts.messages[0].find("udevadm control --reload"), std::string::npos);
    EXPECT_TRUE(editor.errorMode());
}

TEST_F(EditorTest, ReadWithFailedChunksIsRetriedOnce) {
    giveMouseOwnButtons();
    // Fails during the first pass only: the fault is lifted after 20 chunks.
    mouse.faults().failChunk = 3;
    editor.hooks().progress = [this](int done, int) {
        if (done == 20) {
            mouse.faults().failChunk = -1;
        }
    };
    startAndPoll();
    EXPECT_TRUE(editor.deviceRead());
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(editor.settings().buttons.captionText(2), "Volume +");
    EXPECT_EQ(ranges(4).size(), 1u + 6 + 6) << "type byte, the first pass, the retry";
}

TEST_F(EditorTest, ReadFailingTwiceKeepsWhatWasShownAndRefusesWrites) {
    giveMouseOwnButtons();
    mouse.faults().failChunk = 3;
    startAndPoll();
    EXPECT_FALSE(editor.deviceRead());
    EXPECT_EQ(prompts.messages,
              std::vector<std::string>{"The settings could not be read from the mouse. "
                                       "Reconnect the mouse to try again."});
    EXPECT_TRUE(editor.errorMode());
    EXPECT_EQ(editor.settings().buttons.captionText(2), "Middle Key") << "defaults still shown";
    const auto defaults = image::BuiltInDefaultImage();
    EXPECT_EQ(editor.dataBuf().toProfileBytes(10), Bytes(defaults.begin(), defaults.end()));

    mouse.clearLog();
    EXPECT_FALSE(editor.Btn_Apply_0Click());
    EXPECT_TRUE(ranges(6).empty()) << "an unread mouse is never overwritten";
}

TEST_F(EditorTest, ApplyWritesTheSettingsAndTheMacrosOnlyWhenChanged) {
    startAndPoll();
    editor.settings().buttons.setCode(2, "0300E9");
    mouse.clearLog();
    ASSERT_TRUE(editor.Btn_Apply_0Click());
    EXPECT_EQ(ranges(6), (std::vector<Range>{{0, 43}, {64, 28}}));
    EXPECT_EQ(commands(), (std::vector<int>{1, 3, 6, 6, 8, 2}));
    const auto& eeprom = mouse.firmware().eeprom();
    EXPECT_EQ(Bytes(eeprom.begin() + 67, eeprom.begin() + 70), (Bytes{0x03, 0x00, 0xE9}));
    EXPECT_EQ(image::CheckByte(std::span(eeprom).subspan(64, 27)), eeprom[91]);

    editor.setMacroChanged(true);
    mouse.clearLog();
    ASSERT_TRUE(editor.Btn_Apply_0Click());
    EXPECT_EQ(ranges(6), (std::vector<Range>{{0, 43}, {64, 28}, {512, 256}, {768, 256}}));
    EXPECT_FALSE(editor.macroChanged());
    EXPECT_EQ(closes, 0);
}

TEST_F(EditorTest, ResetShowsAndWritesTheDefaultsMacrosIncluded) {
    giveMouseOwnButtons();
    startAndPoll();
    ASSERT_EQ(editor.settings().buttons.captionText(2), "Volume +");
    mouse.clearLog();
    ASSERT_TRUE(editor.Btn_Reset_0Click());
    EXPECT_EQ(editor.settings().buttons.captionText(2), "Middle Key");
    EXPECT_EQ(ranges(6), (std::vector<Range>{{0, 43}, {64, 28}, {512, 256}, {768, 256}}));
    EXPECT_EQ(mouse.firmware().eeprom(), device::MouseFirmware::FactoryEeprom(10));
}

TEST_F(EditorTest, FailedWritesSaySoAndKeepTheMacroMark) {
    struct Case {
        const char* name;
        device::FirmwareFaults faults;
    };
    const Case cases[] = {
        {"silent", {.silent = true}},
        {"notready", {.notReady = true}},
        {"signature", {.signature = 0x12}},
        {"chunk", {.failChunk = 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        startAndPoll();
        ASSERT_TRUE(editor.deviceRead());
        prompts.messages.clear();
        editor.setMacroChanged(true);
        mouse.faults() = c.faults;
        EXPECT_FALSE(editor.Btn_Confirm_0Click());
        EXPECT_EQ(prompts.messages,
                  std::vector<std::string>{"The settings were not written to the mouse. Check "
                                           "the connection and try again."});
        EXPECT_TRUE(editor.macroChanged());
        EXPECT_EQ(closes, 0) << "the window stays after a failed Confirm";
        mouse.faults() = {};
        EXPECT_TRUE(editor.Btn_Confirm_0Click());
        EXPECT_EQ(closes, 1);
        closes = 0;
        mouse.firmware().plug();
    }
}

TEST_F(EditorTest, ApplyAlsoWritesTheChosenPointerStepsOnly) {
    pointerStore.setValue(settings::kMouseKey, "MouseSensitivity", "10");
    pointerStore.setValue(settings::kMouseKey, "DoubleClickSpeed", "500");
    startAndPoll();
    editor.pointer().click(settings::PointerBar::Speed, 9);
    editor.Btn_Exit_0Click();
    EXPECT_EQ(pointerStore.value(settings::kMouseKey, "MouseSensitivity"), "10")
        << "Exit writes nothing";

    startAndPoll();
    editor.pointer().click(settings::PointerBar::Speed, 9);
    ASSERT_TRUE(editor.Btn_Apply_0Click());
    EXPECT_EQ(pointerStore.value(settings::kMouseKey, "MouseSensitivity"), "16");
    EXPECT_EQ(pointerStore.value(settings::kMouseKey, "DoubleClickSpeed"), "500");
    ASSERT_FALSE(pointerStore.liveCalls().empty());
}

class EditorProfileTest : public EditorTest {
  protected:
    void SetUp() override {
        EditorTest::SetUp();
        startAndPoll();
        ASSERT_TRUE(editor.deviceRead());
    }
    fs::path file(const char* name) const { return dir_ / name; }
    Bytes bytesOf(const fs::path& path) {
        std::string error;
        return image::ReadFileBytes(path, 4096, error).value_or(Bytes{});
    }
};

TEST_F(EditorProfileTest, SaveThenLoadRoundTrips) {
    editor.settings().buttons.setCode(2, "0300E9");
    prompts.files.push_back(file("mine"));
    ASSERT_TRUE(editor.Btn_Save_0Click());
    EXPECT_EQ(prompts.filters, std::vector<std::string>{"SaveFile(*.bin)"});
    const Bytes saved = bytesOf(file("mine.bin"));
    ASSERT_EQ(saved.size(), 583u);
    EXPECT_EQ(saved[46], 0x03);

    editor.settings().buttons.setCode(2, "010400");
    prompts.files.push_back(file("mine.bin"));
    ASSERT_TRUE(editor.Btn_Load_0Click());
    EXPECT_EQ(editor.settings().buttons.captionText(2), "Volume +");
    EXPECT_EQ(editor.dataBuf().toProfileBytes(10), saved);
    EXPECT_TRUE(ranges(6).empty()) << "loading never writes to the mouse";

    // The loaded macros go to the mouse with the settings at the next Apply.
    EXPECT_TRUE(editor.macroChanged());
    ASSERT_TRUE(editor.Btn_Apply_0Click());
    EXPECT_EQ(ranges(6), (std::vector<Range>{{0, 43}, {64, 28}, {512, 256}, {768, 256}}));
}

TEST_F(EditorProfileTest, SaveAddsTheExtensionOnlyWhenMissing) {
    const std::pair<const char*, const char*> cases[] = {{"plain", "plain.bin"},
                                                         {"done.bin", "done.bin"},
                                                         {"upper.BIN", "upper.BIN"},
                                                         {"other.txt", "other.txt.bin"},
                                                         {".bin", ".bin"}};
    for (const auto& [chosen, written] : cases) {
        prompts.files.push_back(file(chosen));
        ASSERT_TRUE(editor.Btn_Save_0Click()) << chosen;
        EXPECT_TRUE(fs::exists(file(written))) << chosen;
    }
    EXPECT_FALSE(fs::exists(file("done.bin.bin")));
}

TEST_F(EditorProfileTest, FailuresAndRefusalsChangeNothing) {
    const auto defaults = image::BuiltInDefaultImage();
    Bytes otherType(defaults.begin(), defaults.end());
    otherType[42] = 2;
    ASSERT_FALSE(image::WriteFileAtomically(file("short.bin"), Bytes(42, 0x11)));
    ASSERT_FALSE(image::WriteFileAtomically(file("type.bin"), otherType));
    ASSERT_FALSE(image::WriteFileAtomically(file("huge.bin"), Bytes(100000, 0)));
    editor.settings().buttons.setCode(2, "0300E9");  // an edit that must survive
    const image::ConfigImage before = editor.dataBuf();
    const struct {
        fs::path path;
        const char* message;
    } cases[] = {
        {file("short.bin"), "This profile file is too short to hold settings."},
        {file("type.bin"), "This profile file is for another type of mouse."},
        {file("missing.bin"), "missing.bin"},
        {file("huge.bin"), "larger than"},
        {dir_, ""},
    };
    for (const auto& c : cases) {
        prompts.messages.clear();
        prompts.files.push_back(c.path);
        EXPECT_FALSE(editor.Btn_Load_0Click()) << c.path;
        ASSERT_EQ(prompts.messages.size(), 1u) << c.path;
        EXPECT_NE(prompts.messages[0].find(c.message), std::string::npos) << prompts.messages[0];
        EXPECT_EQ(editor.dataBuf(), before);
        EXPECT_EQ(editor.settings().buttons.codeText(2), "0300E9");
    }
    // Cancelled dialogs do nothing, say nothing.
    prompts.messages.clear();
    EXPECT_FALSE(editor.Btn_Load_0Click());
    EXPECT_FALSE(editor.Btn_Save_0Click());
    EXPECT_TRUE(prompts.messages.empty());
    // A folder that does not exist: the system's words, no file.
    prompts.files.push_back(file("nowhere") / "p");
    EXPECT_FALSE(editor.Btn_Save_0Click());
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].find("nowhere"), std::string::npos);
}

TEST_F(EditorProfileTest, ShortFileOfTheRightTypeKeepsTheMacroArea) {
    Bytes settingsOnly = editor.dataBuf().toProfileBytes(10);
    settingsOnly.resize(71);
    settingsOnly[46] = 0x03;
    settingsOnly[47] = 0x00;
    settingsOnly[48] = 0xE9;
    settingsOnly[70] = image::CheckByte(std::span(settingsOnly).subspan(43, 27));
    ASSERT_FALSE(image::WriteFileAtomically(file("s.bin"), settingsOnly));
    const auto macros = editor.dataBuf().macroArea10;
    prompts.files.push_back(file("s.bin"));
    ASSERT_TRUE(editor.Btn_Load_0Click());
    EXPECT_EQ(editor.settings().buttons.captionText(2), "Volume +");
    EXPECT_EQ(editor.dataBuf().macroArea10, macros);
    EXPECT_FALSE(editor.macroChanged()) << "a file without macros leaves them alone";
}

TEST_F(EditorTest, LanguageSwitchTranslatesTheCaptions) {
    startAndPoll();
    editor.setLanguage(3);
    EXPECT_EQ(editor.settings().buttons.captionText(1), "左键");
    EXPECT_EQ(editor.settings().buttons.captionText(8), "Win+D");
    editor.setLanguage(1);
    EXPECT_EQ(editor.settings().buttons.captionText(1), "Left Key");
}

}  // namespace
}  // namespace vtr::editor

namespace vtr::editor {
namespace {

class EditorMacroTest : public EditorTest {
  protected:
    void SetUp() override {
        EditorTest::SetUp();
        startAndPoll();
        ASSERT_TRUE(editor.deviceRead());
        ASSERT_EQ(editor.macroEditor().macroNames().size(), 7u) << "the factory macros";
    }
};

TEST_F(EditorMacroTest, SaveMacroWritesTheButtonTableAndTheMacroArea) {
    ASSERT_TRUE(editor.macroAction([](macros::MacroEditor& m) { return m.LB_MacroNameClick(0); }));
    ASSERT_TRUE(editor.macroAction([](macros::MacroEditor& m) { return m.Btn_DelMacroClick(); }));
    EXPECT_TRUE(editor.macroChanged());
    mouse.clearLog();
    ASSERT_TRUE(editor.Btn_SaveMacroClick());
    EXPECT_EQ(ranges(6), (std::vector<Range>{{64, 28}, {512, 256}, {768, 256}}));
    EXPECT_EQ(commands(), (std::vector<int>{1, 3, 6, 6, 6, 8, 2}));
    EXPECT_FALSE(editor.macroChanged());
    const auto& eeprom = mouse.firmware().eeprom();
    EXPECT_TRUE(std::equal(editor.dataBuf().macroArea10.begin(), editor.dataBuf().macroArea10.end(),
                           eeprom.begin() + 512));
}

TEST_F(EditorMacroTest, FailedSaveSaysSoAndKeepsTheMark) {
    for (const device::FirmwareFaults& faults :
         {device::FirmwareFaults{.silent = true}, device::FirmwareFaults{.notReady = true}}) {
        mouse.faults() = faults;
        prompts.messages.clear();
        EXPECT_FALSE(editor.Btn_SaveMacroClick());
        EXPECT_EQ(prompts.messages,
                  std::vector<std::string>{"The macros were not written to the mouse. Check the "
                                           "connection and try again."});
        EXPECT_TRUE(editor.macroChanged());
    }
}

TEST_F(EditorMacroTest, ExportAllThenImportAllLeavesTheAreaAsItWas) {
    const auto area = editor.dataBuf().macroArea10;
    prompts.files.push_back(dir_ / "all");
    ASSERT_TRUE(editor.Btn_ExportClick());
    EXPECT_EQ(fs::file_size(dir_ / "all.bin"), 512u);
    editor.macroAction([](macros::MacroEditor& m) { return m.LB_MacroNameClick(1); });
    editor.Btn_ClearClick();
    ASSERT_EQ(prompts.questions, std::vector<std::string>{"OK for clear macro?"});
    ASSERT_NE(editor.dataBuf().macroArea10, area);
    prompts.files.push_back(dir_ / "all.bin");
    ASSERT_TRUE(editor.Btn_ImportClick());
    EXPECT_EQ(editor.dataBuf().macroArea10, area);
    EXPECT_TRUE(editor.macroChanged());
}

TEST_F(EditorMacroTest, RecorderCallsSetTheMarkAndRedrawThePage) {
    int redraws = 0;
    editor.hooks().macrosChanged = [&redraws] { ++redraws; };
    // Without a chosen macro the record button does nothing.
    auto result =
        editor.recorderAction([](macros::MacroRecorder& r) { return r.Btn_StartClick(); });
    EXPECT_FALSE(result.started);
    EXPECT_FALSE(editor.macroChanged());
    EXPECT_EQ(redraws, 1);

    editor.macroAction([](macros::MacroEditor& m) { return m.LB_MacroNameClick(0); });
    editor.setMacroChanged(false);
    result = editor.recorderAction([](macros::MacroRecorder& r) { return r.Btn_StartClick(); });
    EXPECT_TRUE(result.started);
    EXPECT_TRUE(editor.macroChanged());
    result = editor.recorderAction([](macros::MacroRecorder& r) {
        return r.KeyboardHook1Receive(0x41, macros::KeyType::FirstDown, 10);
    });
    EXPECT_EQ(result.linesAdded, 1);
    result = editor.recorderAction([](macros::MacroRecorder& r) { return r.Btn_StartClick(); });
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(redraws, 5);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(EditorMacroTest, ImportThatDoesNotFitShowsTheRangeMessage) {
    // A single macro of 200 steps' worth of bytes cannot join the 484 used.
    Bytes file(288, 0);
    file[1] = 'X';
    file[32] = 200;
    for (int i = 1; i < 200; i += 2) {
        file[32 + static_cast<std::size_t>(i)] = 0xFE;
        file[33 + static_cast<std::size_t>(i)] = 0x01;
    }
    file[32 + 200] = image::CheckByte(std::span(file).subspan(32, 200));
    ASSERT_FALSE(image::WriteFileAtomically(dir_ / "big.bin", file));
    const auto area = editor.dataBuf().macroArea10;
    editor.macroAction([](macros::MacroEditor& m) { return m.LB_MacroNameClick(0); });
    prompts.files.push_back(dir_ / "big.bin");
    editor.Btn_ImportOneClick();
    EXPECT_EQ(prompts.messages, std::vector<std::string>{"Macro bin length out of range"});
    EXPECT_EQ(editor.dataBuf().macroArea10, area);
}

TEST_F(EditorMacroTest, NoHotPlugReadWhileRecording) {
    editor.macroAction([](macros::MacroEditor& m) { return m.LB_MacroNameClick(0); });
    ASSERT_TRUE(editor.macroRecorder().Btn_StartClick().started);
    mouse.firmware().unplug();
    editor.DevTimerTimer();
    EXPECT_TRUE(prompts.messages.empty()) << "the poll waits for the recording to end";
    editor.macroRecorder().Btn_StartClick();
    editor.DevTimerTimer();
    EXPECT_EQ(prompts.messages, std::vector<std::string>{kNotFound});
}

}  // namespace
}  // namespace vtr::editor

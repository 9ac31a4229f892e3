#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include <nlohmann/json.hpp>

#include "app/Ctl.h"
#include "device/SimulatedMouse.h"
#include "image/CheckByte.h"
#include "image/DefaultImage.h"
#include "image/FileIo.h"
#include "settings/MemoryPointerStore.h"
#include "support/TempDir.h"

namespace vtr::app {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

class CtlTest : public vtr::testing::TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        env_.clock = &clock_;
        env_.out = &out_;
        env_.err = &err_;
        env_.defaultSimulateFile = dir_ / "default-sim.bin";
        env_.pointerStore = [this] {
            return std::unique_ptr<settings::PointerSettingsStore>(
                std::make_unique<ForwardingStore>(pointerStore_));
        };
        // The "real" machine: one simulated mouse the test can inject faults into.
        env_.realBackend = [this]() -> std::unique_ptr<device::HidBackend> {
            if (!realMouse_) {
                // A machine without the mouse.
                auto none = std::make_unique<device::SimulatedMouse>(10);
                none->firmware().unplug();
                return none;
            }
            return std::make_unique<Forwarding>(*realMouse_);
        };
    }
    int run(std::vector<std::string> args) {
        out_.str("");
        err_.str("");
        return RunCtl(args, env_);
    }

    std::string sim() const { return "--simulate=" + (dir_ / "m.bin").string(); }
    fs::path path(const char* name) const { return dir_ / name; }

    Bytes readFile(const fs::path& file) {
        std::string error;
        auto bytes = image::ReadFileBytes(file, 4096, error);
        EXPECT_TRUE(bytes) << error;
        return bytes.value_or(Bytes{});
    }
    void writeFile(const fs::path& file, const Bytes& bytes) {
        ASSERT_FALSE(image::WriteFileAtomically(file, bytes));
    }

    // Lets a test keep hold of the mouse the tool talks to.
    class Forwarding final : public device::HidBackend {
      public:
        explicit Forwarding(device::HidBackend& inner) : inner_(inner) {}
        std::vector<device::HidInterfaceInfo> enumerate() override { return inner_.enumerate(); }
        std::unique_ptr<device::HidDevice> open(const std::string& p, std::string* e) override {
            return inner_.open(p, e);
        }

      private:
        device::HidBackend& inner_;
    };

    // Lets a test look at the pointer settings the tool wrote.
    class ForwardingStore final : public settings::PointerSettingsStore {
      public:
        explicit ForwardingStore(settings::PointerSettingsStore& inner) : inner_(inner) {}
        bool openKey(std::string_view key) override { return inner_.openKey(key); }
        bool valueExists(std::string_view key, std::string_view name) override {
            return inner_.valueExists(key, name);
        }
        std::optional<std::string> readText(std::string_view key, std::string_view name) override {
            return inner_.readText(key, name);
        }
        bool writeText(std::string_view key, std::string_view name,
                       std::string_view value) override {
            return inner_.writeText(key, name, value);
        }
        void setMouseSpeed(int s) override { inner_.setMouseSpeed(s); }
        void setMouseAcceleration(int a, int b, int c) override {
            inner_.setMouseAcceleration(a, b, c);
        }
        void setDoubleClickTime(int ms) override { inner_.setDoubleClickTime(ms); }
        void setWheelScrollLines(int lines) override { inner_.setWheelScrollLines(lines); }

      private:
        settings::PointerSettingsStore& inner_;
    };

    device::VirtualClock clock_;
    settings::MemoryPointerStore pointerStore_;
    std::ostringstream out_, err_;
    CtlEnvironment env_;
    std::unique_ptr<device::SimulatedMouse> realMouse_;
};

TEST_F(CtlTest, ReadOfAFreshSimulatedMouseIsTheDefaultImage) {
    EXPECT_EQ(run({sim(), "read", path("p.bin").string()}), 0) << err_.str();
    const auto defaults = image::BuiltInDefaultImage();
    EXPECT_EQ(readFile(path("p.bin")), Bytes(defaults.begin(), defaults.end()));
    EXPECT_NE(out_.str().find("583 bytes"), std::string::npos);
    EXPECT_EQ(fs::file_size(dir_ / "m.bin"), 1024u);
}

TEST_F(CtlTest, TraceShowsEveryReportWithItsDirection) {
    ASSERT_EQ(run({sim(), "--trace", "read", path("p.bin").string()}), 0);
    const std::string trace = err_.str();
    EXPECT_NE(trace.find("send 04 04 00 00 2B 00 00 00\n"), std::string::npos);
    EXPECT_NE(trace.find("recv 04 AA 04 00 00 00 00 CC\n"), std::string::npos);
    EXPECT_NE(trace.find("send 04 08 00 00 00 00 00 00\n"), std::string::npos);
}

TEST_F(CtlTest, WriteThenReadRoundTripsEitherType) {
    for (int type : {10, 2}) {
        SCOPED_TRACE(type);
        const std::string simType = "--simulate-type=" + std::to_string(type);
        const std::string mouse = "--simulate=" + (dir_ / ("t" + std::to_string(type))).string();
        Bytes profile(type == 10 ? 583 : 235);
        for (std::size_t i = 0; i < profile.size(); ++i) {
            profile[i] = static_cast<std::uint8_t>(i * 31 + 5);
        }
        profile[42] = static_cast<std::uint8_t>(type);
        writeFile(path("in.bin"), profile);
        ASSERT_EQ(run({mouse, simType, "write", path("in.bin").string()}), 0) << err_.str();
        ASSERT_EQ(run({mouse, "read", path("out.bin").string()}), 0) << err_.str();
        EXPECT_EQ(readFile(path("out.bin")), profile);
    }
}

TEST_F(CtlTest, BadProfilesAreRefusedBeforeAnythingIsWritten) {
    ASSERT_EQ(run({sim(), "status"}), 0);
    const Bytes memoryBefore = readFile(dir_ / "m.bin");
    const auto defaults = image::BuiltInDefaultImage();
    Bytes wrongTypeByte(defaults.begin(), defaults.end());
    wrongTypeByte[42] = 2;
    Bytes typeTwo(235, 0);
    typeTwo[42] = 2;
    struct Case {
        const char* name;
        Bytes bytes;
        const char* message;
    };
    const Case cases[] = {
        {"empty", {}, "0 bytes is not a profile"},
        {"short", Bytes(defaults.begin(), defaults.begin() + 582), "582 bytes"},
        {"long", Bytes(600, 0), "larger than 583"},
        {"typebyte", wrongTypeByte, "type byte (offset 42) is 2"},
        {"othertype", typeTwo, "mouse is of device type 10"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(path("bad.bin"), c.bytes);
        EXPECT_EQ(run({sim(), "--trace", "write", path("bad.bin").string()}), 2);
        EXPECT_NE(err_.str().find(c.message), std::string::npos) << err_.str();
        EXPECT_EQ(err_.str().find("send 04 06"), std::string::npos) << "no write announced";
    }
    EXPECT_EQ(run({sim(), "write", path("missing.bin").string()}), 2);
    EXPECT_NE(err_.str().find("missing.bin"), std::string::npos);
    EXPECT_EQ(readFile(dir_ / "m.bin"), memoryBefore);
}

TEST_F(CtlTest, DeviceFailuresExitWithOneAndWriteNoFile) {
    struct Case {
        const char* name;
        device::FirmwareFaults faults;
        const char* message;
    };
    const Case cases[] = {
        {"chunk", {.failChunk = 3}, "chunks unanswered"},
        {"silent", {.silent = true}, "did not acknowledge"},
        {"signature", {.signature = 0x55}, "signature 0x55"},
        {"notready", {.notReady = true}, "not ready"},
        {"unplugged", {.unplugAfterReports = 30}, "chunks unanswered"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        realMouse_ = std::make_unique<device::SimulatedMouse>(10);
        realMouse_->faults() = c.faults;
        EXPECT_EQ(run({"read", path("p.bin").string()}), 1);
        EXPECT_NE(err_.str().find(c.message), std::string::npos) << err_.str();
        EXPECT_FALSE(fs::exists(path("p.bin")));
    }
}

TEST_F(CtlTest, ListAndStatus) {
    realMouse_ = std::make_unique<device::SimulatedMouse>(10);
    realMouse_->otherInterfaces().push_back({"/dev/hidraw9", 0x046D, 0xC31C, 0});
    EXPECT_EQ(run({"list"}), 0);
    EXPECT_NE(out_.str().find("1BCF:08A0  feature report 8 bytes  (configuration interface)"),
              std::string::npos)
        << out_.str();
    EXPECT_NE(out_.str().find("feature report 0 bytes\n"), std::string::npos);
    EXPECT_EQ(out_.str().find("hidraw9"), std::string::npos);

    EXPECT_EQ(run({"status"}), 0);
    EXPECT_EQ(out_.str(),
              "signature:    0xAA (VTR6420KD configuration interface)\n"
              "memory ready: yes\n"
              "device type:  10\n");

    realMouse_->firmware().unplug();
    for (const char* command : {"list", "status"}) {
        EXPECT_EQ(run({command}), 1);
        EXPECT_NE(err_.str().find("no VTR6420KD mouse found"), std::string::npos);
    }
}

TEST_F(CtlTest, AMouseThisUserMayNotOpenNamesTheUdevRule) {
    realMouse_ = std::make_unique<device::SimulatedMouse>(10);
    realMouse_->setRefuseOpen(true);
    const auto defaults = image::BuiltInDefaultImage();
    writeFile(path("in.bin"), Bytes(defaults.begin(), defaults.end()));
    const std::vector<std::vector<std::string>> commands = {
        {"status"},
        {"read", path("p.bin").string()},
        {"write", path("in.bin").string()},
        {"show"},
    };
    for (const auto& args : commands) {
        SCOPED_TRACE(args[0]);
        EXPECT_EQ(run(args), 1);
        const std::string message = err_.str();
        for (const char* part : {"70-vtr6420kd.rules", "udevadm control --reload",
                                 "udevadm trigger", "permission denied"}) {
            EXPECT_NE(message.find(part), std::string::npos) << part << " in:\n" << message;
        }
    }
    EXPECT_FALSE(fs::exists(path("p.bin")));

    // Listing needs no open, so it still shows where the mouse is.
    EXPECT_EQ(run({"list"}), 0);
    EXPECT_NE(out_.str().find("(configuration interface)"), std::string::npos);
}

TEST_F(CtlTest, UsageErrorsExitWithTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"frobnicate"},
        {"read"},
        {"read", "a", "b"},
        {"status", "extra"},
        {"--simulate-type=3", "status"},
        {"--bogus", "list"},
        {"--simulate=", "list"},
        {"help", "nothing"},
    };
    for (const auto& args : cases) {
        EXPECT_EQ(run(args), 2) << (args.empty() ? "" : args[0]);
        EXPECT_FALSE(err_.str().empty());
    }
}

TEST_F(CtlTest, EveryCommandHasHelp) {
    for (const char* command : {"list", "status", "read", "write", "show", "set", "apply", "save",
                                "reset", "pointer", "help"}) {
        EXPECT_EQ(run({command, "--help"}), 0) << command;
        EXPECT_EQ(out_.str().rfind("Usage: vtr6420kdctl", 0), 0u);
        EXPECT_NE(out_.str().find(std::string(" ") + command), std::string::npos);
        EXPECT_EQ(run({"help", command}), 0);
    }
    EXPECT_EQ(run({"--help"}), 0);
    EXPECT_NE(out_.str().find("Exit status"), std::string::npos);
}

TEST_F(CtlTest, SimulateTypeOfAnExistingMemoryMustAgree) {
    ASSERT_EQ(run({sim(), "--simulate-type=10", "status"}), 0);
    EXPECT_EQ(run({sim(), "--simulate-type=2", "status"}), 2);
    EXPECT_NE(err_.str().find("remove the file"), std::string::npos);
    EXPECT_EQ(run({"--simulate", "status"}), 0);
    EXPECT_TRUE(fs::exists(env_.defaultSimulateFile));
}

TEST_F(CtlTest, ProgressIsDrawnOnATerminalForLongTransfers) {
    env_.errIsTerminal = true;
    ASSERT_EQ(run({sim(), "read", path("p.bin").string()}), 0);
    EXPECT_NE(err_.str().find("reading ["), std::string::npos);
    EXPECT_NE(err_.str().find("100%"), std::string::npos);
    env_.errIsTerminal = false;
    ASSERT_EQ(run({sim(), "read", path("p.bin").string()}), 0);
    EXPECT_TRUE(err_.str().empty());
}

}  // namespace
}  // namespace vtr::app

namespace vtr::app {
namespace {

class CtlSettingsTest : public CtlTest {
  protected:
    // A profile of a fresh simulated mouse.
    fs::path freshProfile() {
        const fs::path profile = path("P.bin");
        EXPECT_EQ(run({sim(), "read", profile.string()}), 0) << err_.str();
        return profile;
    }
    nlohmann::json showJson(const std::vector<std::string>& extra) {
        std::vector<std::string> args = {"show", "--json"};
        args.insert(args.end(), extra.begin(), extra.end());
        EXPECT_EQ(run(args), 0) << err_.str();
        return nlohmann::json::parse(out_.str());
    }
};

TEST_F(CtlSettingsTest, ShowOfAFreshMouseIsTheFactorySettings) {
    const nlohmann::json json = showJson({sim()});
    std::vector<std::string> names;
    for (const auto& button : json["buttons"]) {
        names.push_back(button["name"]);
    }
    EXPECT_EQ(names,
              (std::vector<std::string>{"Left Key", "Middle Key", "Right Key", "Backward",
                                        "Forward", "CPI", "Fire Key", "Win+D", "LED Switch"}));
    EXPECT_EQ(json["cpi"]["enabledLevels"], 4);
    EXPECT_EQ(json["cpi"]["current"], 2);
    std::vector<int> values;
    for (const auto& level : json["cpi"]["levels"]) {
        if (level["enabled"]) {
            values.push_back(level["cpi"]);
        }
    }
    EXPECT_EQ(values, (std::vector<int>{1000, 1600, 2400, 3200}));
    EXPECT_EQ(json["lighting"]["variant"], "nt");
    EXPECT_EQ(json["lighting"]["option"], 5);
    EXPECT_EQ(json["fireKey"]["repeat"], 2);
    EXPECT_EQ(json["fireKey"]["delay"], 32);

    EXPECT_EQ(showJson({sim(), "--lang=3"})["buttons"][0]["name"], "左键");
    EXPECT_EQ(run({sim(), "show"}), 0);
    EXPECT_NE(out_.str().find("CPI levels (4 enabled, current 2)"), std::string::npos);
}

TEST_F(CtlSettingsTest, EditsGoThroughTheModelsIntoTheFile) {
    const fs::path profile = freshProfile();
    const std::string file = "--file=" + profile.string();
    const std::vector<std::vector<std::string>> edits = {
        {"set", file, "button", "2", "volume-up"},
        {"set", file, "button", "3", "ctrl+shift+a"},
        {"set", file, "button", "4", "0300cd"},
        {"set", file, "cpi", "--levels", "800,1200,1600,2000,2400,3200", "--current=6"},
        {"set", file, "lighting", "--option=1", "--effect=on", "--nt1-time=30"},
        {"set", file, "fire", "--repeat", "5", "--delay=100"},
    };
    for (const auto& edit : edits) {
        EXPECT_EQ(run(edit), 0) << edit[2] << ": " << err_.str();
    }
    const Bytes bytes = readFile(profile);
    ASSERT_EQ(bytes.size(), 583u);
    // Button table: Key2..Key4 and the fire key on Key7.
    EXPECT_EQ(Bytes(bytes.begin() + 46, bytes.begin() + 55),
              (Bytes{0x03, 0x00, 0xE9, 0x02, 0x03, 0x04, 0x03, 0x00, 0xCD}));
    EXPECT_EQ(Bytes(bytes.begin() + 61, bytes.begin() + 64), (Bytes{0x04, 0x0A, 0x64}));
    // Section A: six levels, values 800..3200; B: current level 6, lighting 0x81.
    EXPECT_EQ(bytes[1], 6);
    EXPECT_EQ(Bytes(bytes.begin() + 9, bytes.begin() + 17), (Bytes{1, 3, 4, 5, 6, 7, 0, 0}));
    EXPECT_EQ(bytes[2], 30);
    EXPECT_EQ(Bytes(bytes.begin() + 38, bytes.begin() + 42), (Bytes{5, 250, 0x81, 0x7E}));
    EXPECT_TRUE(bytes[0] & 0x40) << "NT option 1 takes the seven colours";
    // Both check bytes hold, so nothing is repaired at the next read.
    EXPECT_EQ(image::CheckByte(std::span(bytes).first(37)), bytes[37]);
    EXPECT_EQ(image::CheckByte(std::span(bytes).subspan(43, 27)), bytes[70]);
    // The macro area is not touched.
    const auto defaults = image::BuiltInDefaultImage();
    EXPECT_TRUE(std::equal(bytes.begin() + 71, bytes.end(), defaults.begin() + 71));

    const nlohmann::json json = showJson({file});
    EXPECT_EQ(json["buttons"][2]["name"], "Ctrl+Shift+A");
    EXPECT_EQ(json["buttons"][3]["name"], "Play/Pause");
    EXPECT_EQ(json["cpi"]["current"], 6);
    EXPECT_EQ(json["lighting"]["option"], 1);
    EXPECT_EQ(json["lighting"]["effect"], true);
}

TEST_F(CtlSettingsTest, BadEditsAreRefusedAndLeaveTheFileAlone) {
    const fs::path profile = freshProfile();
    const Bytes before = readFile(profile);
    const std::string file = "--file=" + profile.string();
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    const std::vector<Case> cases = {
        {{"set", file, "cpi", "--current", "6"}, "level 6 is not enabled (enabled levels: 1..4)"},
        {{"set", file, "cpi", "--levels", "900"}, "accepted: 500, 800, 1000"},
        {{"set", file, "cpi", "--levels", "1,2,3,4,5,6,7,8,9"}, "at most 8"},
        {{"set", file, "cpi", "--colours", "7"}, "accepted: 0..6"},
        {{"set", file, "cpi", "--speed", "3"}, "unknown option '--speed'"},
        {{"set", file, "button", "1", "right"}, "last one with Left Key"},
        {{"set", file, "button", "10", "left"}, "buttons are 1..9"},
        {{"set", file, "button", "2", "frob"}, "unknown function 'frob'"},
        {{"set", file, "button", "2", "ctrl+frob"}, "volume-up"},
        {{"set", file, "lighting", "--option", "6"}, "options: 1..5"},
        {{"set", file, "lighting", "--nt1-time", "300"}, "0..255"},
        {{"set", file, "lighting", "--effect", "maybe"}, "on or off"},
        {{"set", file, "fire", "--delay", "1"}, "0 or 2..255"},
        {{"set", file, "fire", "--repeat", "128"}, "0 or 2..127"},
        {{"set", file, "fire"}, "nothing to set"},
        {{"set", file, "volume"}, "button, cpi, lighting or fire"},
        {{"set", "--file=" + path("missing.bin").string(), "fire", "--repeat=3"}, "missing.bin"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(run(c.args), 2) << c.message;
        EXPECT_NE(err_.str().find(c.message), std::string::npos) << err_.str();
    }
    EXPECT_EQ(readFile(profile), before);
}

}  // namespace
}  // namespace vtr::app

namespace vtr::app {
namespace {

TEST_F(CtlSettingsTest, MouseEditsGoThroughTheEditor) {
    pointerStore_.setValue(settings::kMouseKey, "MouseSensitivity", "10");
    ASSERT_EQ(run({sim(), "set", "cpi", "--current", "1"}), 0) << err_.str();
    EXPECT_EQ(showJson({sim()})["cpi"]["current"], 1);
    const Bytes memory = readFile(dir_ / "m.bin");
    EXPECT_EQ(memory[38], 0);
    EXPECT_EQ(memory[39], 255);
    EXPECT_EQ(image::CheckByte(std::span(memory).first(37)), memory[37]);

    EXPECT_TRUE(pointerStore_.writes().empty()) << "mouse commands leave the desktop alone";
    EXPECT_TRUE(pointerStore_.liveCalls().empty());

    // Refused edits send nothing.
    EXPECT_EQ(run({sim(), "--trace", "set", "cpi", "--current", "6"}), 2);
    EXPECT_NE(err_.str().find("nothing was written"), std::string::npos);
    EXPECT_EQ(err_.str().find("send 04 06"), std::string::npos);
    EXPECT_EQ(readFile(dir_ / "m.bin"), memory);
}

TEST_F(CtlSettingsTest, SaveApplyAndResetThroughTheEditor) {
    ASSERT_EQ(run({sim(), "set", "button", "2", "volume-up"}), 0) << err_.str();
    ASSERT_EQ(run({sim(), "save", path("saved").string()}), 0) << err_.str();
    const Bytes saved = readFile(path("saved.bin"));
    ASSERT_EQ(saved.size(), 583u);
    EXPECT_EQ(saved[46], 0x03);

    ASSERT_EQ(run({sim(), "reset"}), 0) << err_.str();
    EXPECT_EQ(showJson({sim()})["buttons"][1]["name"], "Middle Key");
    const Bytes memory = readFile(dir_ / "m.bin");
    const auto factory = device::MouseFirmware::FactoryEeprom(10);
    EXPECT_TRUE(std::equal(memory.begin(), memory.end(), factory.begin()));

    ASSERT_EQ(run({sim(), "apply", path("saved.bin").string()}), 0) << err_.str();
    EXPECT_EQ(showJson({sim()})["buttons"][1]["name"], "Volume +");

    ASSERT_FALSE(image::WriteFileAtomically(path("short.bin"), Bytes(20, 0)));
    EXPECT_EQ(run({sim(), "apply", path("short.bin").string()}), 2);
    EXPECT_NE(err_.str().find("too short"), std::string::npos);
}

TEST_F(CtlSettingsTest, EditorCommandsWithoutAMouse) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"reset"}, {"set", "fire", "--repeat=3"}, {"save", "x.bin"}}) {
        EXPECT_EQ(run(args), 1) << args[0];
        EXPECT_NE(err_.str().find("No Device Found\nPlease check"), std::string::npos)
            << err_.str();
    }
}

TEST_F(CtlSettingsTest, PointerSettingsAsPositions) {
    pointerStore_.setValue(settings::kMouseKey, "MouseSensitivity", "10");
    pointerStore_.setValue(settings::kMouseKey, "DoubleClickSpeed", "500");
    pointerStore_.setValue(settings::kDesktopKey, "WheelScrollLines", "3");
    ASSERT_EQ(run({"pointer", "show"}), 0) << err_.str();
    EXPECT_EQ(out_.str(),
              "speed: position 6 (value 10)\n"
              "double-click: position 0 (value 500)\n"
              "scroll-lines: position 3 (value 3)\n");

    ASSERT_EQ(run({"pointer", "set", "--speed=9", "--scroll-lines", "5"}), 0) << err_.str();
    EXPECT_EQ(pointerStore_.value(settings::kMouseKey, "MouseSensitivity"), "16");
    EXPECT_EQ(pointerStore_.value(settings::kMouseKey, "DoubleClickSpeed"), "500");
    EXPECT_EQ(pointerStore_.value(settings::kDesktopKey, "WheelScrollLines"), "5");
    ASSERT_EQ(run({"pointer", "show", "--json"}), 0);
    const auto json = nlohmann::json::parse(out_.str());
    EXPECT_EQ(json["speed"]["position"], 9);
    EXPECT_EQ(json["doubleClick"]["value"], 500);

    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"pointer", "set", "--speed=11"},
                                               {"pointer", "set", "--speed=x"},
                                               {"pointer", "set", "--volume=3"},
                                               {"pointer", "set"},
                                               {"pointer", "frob"}}) {
        EXPECT_EQ(run(args), 2) << args.back();
    }
    EXPECT_EQ(pointerStore_.value(settings::kMouseKey, "MouseSensitivity"), "16");
}

}  // namespace
}  // namespace vtr::app

namespace vtr::app {
namespace {

TEST_F(CtlSettingsTest, MacroListAndTheExportImportRoundTrip) {
    ASSERT_EQ(run({sim(), "macro", "list"}), 0) << err_.str();
    EXPECT_EQ(out_.str(),
              "1  Copy  48 bytes\n2  Paste  48 bytes\n3  Cut  48 bytes\n4  Undo  48 bytes\n"
              "5  Select All  48 bytes\n6  Double Click  44 bytes\n7  Good Game  200 bytes\n"
              "484 of 512 bytes used\n");
    const Bytes memory = readFile(dir_ / "m.bin");
    ASSERT_EQ(run({sim(), "macro", "export-all", path("all").string()}), 0) << err_.str();
    EXPECT_EQ(readFile(path("all.bin")).size(), 512u);
    ASSERT_EQ(run({sim(), "macro", "import-all", path("all.bin").string()}), 0) << err_.str();
    EXPECT_EQ(readFile(dir_ / "m.bin"), memory);
}

TEST_F(CtlSettingsTest, MacroEditsKeepTheBindingsOnTheMouseAndInFiles) {
    const fs::path profile = freshProfile();
    for (const std::string& where : {sim(), "--file=" + profile.string()}) {
        SCOPED_TRACE(where);
        const auto macro = [&](std::vector<std::string> args) {
            args.insert(args.begin(), {where, "macro"});
            return run(args);
        };
        ASSERT_EQ(macro({"delete", "7"}), 0) << err_.str();
        ASSERT_EQ(macro({"new", "Hello"}), 0) << err_.str();
        ASSERT_EQ(macro({"set", "7", "+ctrl", "+c", "48ms", "-c", "-ctrl"}), 0) << err_.str();
        ASSERT_EQ(macro({"show", "7"}), 0);
        EXPECT_EQ(out_.str(), "+Ctrl\n+C\n48ms\n-C\n-Ctrl\n");
        ASSERT_EQ(run({where, "set", "button", "3", "macro:Hello"}), 0) << err_.str();
        EXPECT_EQ(showJson({where})["buttons"][2]["code"], "06033C");
        // Deleting an earlier macro moves Hello; the button follows it.
        ASSERT_EQ(macro({"delete", "1"}), 0) << err_.str();
        EXPECT_EQ(showJson({where})["buttons"][2]["code"], "06030C");
        EXPECT_EQ(showJson({where})["buttons"][2]["name"], "Hello");
        // Deleting Hello gives the button its own function back.
        ASSERT_EQ(macro({"delete", "6"}), 0) << err_.str();
        EXPECT_EQ(showJson({where})["buttons"][2]["name"], "Right Key");
    }
}

TEST_F(CtlSettingsTest, BadMacroCommandsChangeNothing) {
    const Bytes memory = readFile(freshProfile().parent_path() / "m.bin");
    const std::vector<std::pair<std::vector<std::string>, const char*>> cases = {
        {{"macro", "new", "More"}, "EEPROM space shortage"},
        {{"macro", "show", "8"}, "macros are 1..7"},
        {{"macro", "show", "0"}, "macros are 1..7"},
        {{"macro", "set", "1", "+frob"}, "unknown key 'frob'"},
        {{"macro", "set", "1", "+a", "20000ms"}, "1..10200 ms"},
        {{"macro", "set", "1", "a"}, "neither +KEY"},
        {{"macro", "rename", "1", "FifteenLetters!"}, "longer than 14"},
        {{"macro", "frob"}, "usage"},
        {{"set", "button", "2", "macro:Nothing"}, "no macro named 'Nothing'"},
    };
    for (const auto& [args, message] : cases) {
        std::vector<std::string> full = args;
        full.insert(full.begin(), sim());
        EXPECT_EQ(run(full), 2) << message;
        EXPECT_NE(err_.str().find(message), std::string::npos) << err_.str();
    }
    EXPECT_EQ(readFile(dir_ / "m.bin"), memory);
}

}  // namespace
}  // namespace vtr::app

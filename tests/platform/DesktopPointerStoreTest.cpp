#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <optional>
#include <sstream>
#include <string>

#include "platform/DesktopPointerStore.h"
#include "platform/PointerSettingsFile.h"
#include "settings/PointerSettings.h"
#include "support/TempDir.h"

#ifdef VTR_TEST_SCHEMA_DIR
#include <gio/gio.h>
#endif

namespace vtr::platform {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using settings::kDesktopKey;
using settings::kMouseKey;
using settings::PointerBar;
using settings::PointerSettings;

// Before anything in this process touches GSettings: an in-memory backend, the
// tests' own schemas, and no way to reach the user's own settings file.
const bool kIsolated = [] {
    setenv("GSETTINGS_BACKEND", "memory", 1);
#ifdef VTR_TEST_SCHEMA_DIR
    setenv("GSETTINGS_SCHEMA_DIR", VTR_TEST_SCHEMA_DIR, 1);
#endif
    setenv("XDG_CONFIG_HOME", "/nonexistent/vtr-platform-test", 1);
    return true;
}();

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteAll(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// Sets an environment variable for one scope, or removes it for nothing.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        Set(value);
    }
    ~ScopedEnv() { Set(old_); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    void Set(const std::optional<std::string>& value) {
        if (value) {
            setenv(name_, value->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }
    const char* name_;
    std::optional<std::string> old_;
};

TEST(GnomeSpeedTest, SensitivityMapsOntoTheSpeedRangeAndBack) {
    struct Case {
        int sensitivity;
        double speed;
    };
    const Case cases[] = {{1, -0.9}, {2, -0.8}, {10, 0.0},  {16, 0.6}, {18, 0.8},
                          {20, 1.0}, {0, -1.0}, {-5, -1.0}, {25, 1.0}};
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(GnomeSpeedOfSensitivity(c.sensitivity), c.speed) << c.sensitivity;
    }
    int previous = 0;
    for (int s = 1; s <= 20; ++s) {
        EXPECT_EQ(SensitivityOfGnomeSpeed(GnomeSpeedOfSensitivity(s)), s);
        EXPECT_GT(GnomeSpeedOfSensitivity(s), GnomeSpeedOfSensitivity(s - 1)) << s;
    }
    for (double speed = -1.2; speed <= 1.2; speed += 0.01) {
        const int s = SensitivityOfGnomeSpeed(speed);
        EXPECT_GE(s, previous) << speed;
        EXPECT_GE(s, 1);
        EXPECT_LE(s, 20);
        previous = s;
    }
    const struct {
        double speed;
        int sensitivity;
    } back[] = {{-1.0, 1},
                {-0.94, 1},
                {0.04, 10},
                {0.06, 11},
                {1.0, 20},
                {std::numeric_limits<double>::infinity(), 20},
                {-std::numeric_limits<double>::infinity(), 1},
                {std::numeric_limits<double>::quiet_NaN(), 10},
                {1e300, 20}};
    for (const auto& c : back) {
        EXPECT_EQ(SensitivityOfGnomeSpeed(c.speed), c.sensitivity) << c.speed;
    }
}

TEST(DesktopPointerStoreDefaultsTest, TheFileLivesInTheUsersConfigFolder) {
    struct Case {
        std::optional<std::string> xdg;
        std::optional<std::string> home;
        fs::path file;
    };
    const Case cases[] = {
        {"/x/config", "/home/u", "/x/config/vtr6420kd/pointer.ini"},
        {std::nullopt, "/home/u", "/home/u/.config/vtr6420kd/pointer.ini"},
        {"", "/home/u", "/home/u/.config/vtr6420kd/pointer.ini"},
        {"relative/config", "/home/u", "/home/u/.config/vtr6420kd/pointer.ini"},
        {std::nullopt, std::nullopt, ""},
        {std::nullopt, "home", ""},
    };
    for (const Case& c : cases) {
        const ScopedEnv xdg("XDG_CONFIG_HOME", c.xdg);
        const ScopedEnv home("HOME", c.home);
        EXPECT_EQ(DesktopPointerStore::DefaultFile(), c.file)
            << c.xdg.value_or("(unset)") << " " << c.home.value_or("(unset)");
    }
}

class DesktopPointerStoreTest : public vtr::testing::TempDirTest {
  protected:
    fs::path File() const { return dir_ / "config" / "vtr6420kd" / "pointer.ini"; }
    DesktopPointerStore::Options FileOnly() const { return {.file = File(), .schema = ""}; }
};

TEST_F(DesktopPointerStoreTest, WithoutADesktopEverythingIsKeptInTheFile) {
    DesktopPointerStore store(FileOnly());
    EXPECT_FALSE(store.desktopHasSpeed());
    EXPECT_FALSE(store.desktopHasDoubleClick());
    EXPECT_TRUE(store.openKey(kMouseKey)) << "usable before the file exists";
    EXPECT_TRUE(store.openKey(kDesktopKey));
    EXPECT_FALSE(store.openKey("Control Panel\\Keyboard"));
    EXPECT_FALSE(store.valueExists(kMouseKey, settings::kMouseSensitivity));
    EXPECT_FALSE(fs::exists(File())) << "reading creates nothing";

    EXPECT_TRUE(store.writeText(kMouseKey, settings::kMouseSensitivity, "16"));
    EXPECT_TRUE(store.writeText(kDesktopKey, settings::kWheelScrollLines, "-1"));
    EXPECT_TRUE(store.writeText(kMouseKey, settings::kDoubleClickSpeed, "500"));
    EXPECT_FALSE(store.writeText("Control Panel\\Keyboard", "KeyboardSpeed", "31"));
    EXPECT_EQ(ReadAll(File()),
              "[Control Panel\\Mouse]\nMouseSensitivity=16\nDoubleClickSpeed=500\n"
              "[Control Panel\\Desktop]\nWheelScrollLines=-1\n");

    DesktopPointerStore again(FileOnly());
    EXPECT_EQ(again.readText(kMouseKey, settings::kMouseSensitivity), "16");
    EXPECT_EQ(again.readText(kDesktopKey, settings::kWheelScrollLines), "-1");
    EXPECT_TRUE(again.valueExists(kMouseKey, settings::kDoubleClickSpeed));
    EXPECT_FALSE(again.valueExists(kDesktopKey, settings::kMouseSensitivity));

    // No live system to reach: the calls change nothing.
    again.setMouseSpeed(2);
    again.setMouseAcceleration(1, 2, 3);
    again.setDoubleClickTime(900);
    again.setWheelScrollLines(7);
    EXPECT_EQ(again.readText(kMouseKey, settings::kMouseSensitivity), "16");
    EXPECT_EQ(again.readText(kDesktopKey, settings::kWheelScrollLines), "-1");
}

TEST_F(DesktopPointerStoreTest, TheEditorsChoicesSurviveARestart) {
    {
        DesktopPointerStore store(FileOnly());
        PointerSettings settings;
        settings.Refresh(store);
        settings.click(PointerBar::Speed, 9);
        settings.click(PointerBar::DoubleClick, 3);
        settings.click(PointerBar::ScrollLines, 1);
        settings.Write(store);
    }
    DesktopPointerStore store(FileOnly());
    PointerSettings settings;
    settings.Refresh(store);
    EXPECT_EQ(settings.position(PointerBar::Speed), 9);
    EXPECT_EQ(settings.position(PointerBar::DoubleClick), 3);
    EXPECT_EQ(settings.position(PointerBar::ScrollLines), 1);
    EXPECT_EQ(settings.doubleClickTime(), 760);
}

TEST_F(DesktopPointerStoreTest, TheDefaultStoreUsesTheConfigFolder) {
    const ScopedEnv xdg("XDG_CONFIG_HOME", dir_.string());
    DesktopPointerStore store(DesktopPointerStore::Options{.file = {}, .schema = ""});
    EXPECT_EQ(store.file(), dir_ / "vtr6420kd" / "pointer.ini");
    EXPECT_TRUE(store.writeText(kDesktopKey, settings::kWheelScrollLines, "3"));
    EXPECT_TRUE(fs::exists(dir_ / "vtr6420kd" / "pointer.ini"));
}

TEST_F(DesktopPointerStoreTest, AFileThatCannotBeReadIsNeitherUsedNorOverwritten) {
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> make;
        bool opens;
        bool writes;
    };
    const std::string full(DesktopPointerStore::kMaxFileSize, '#');
    const fs::path blocker = File().parent_path();
    const Case cases[] = {
        {"one byte too large", [&](const fs::path& f) { WriteAll(f, full + "\n"); }, false, false},
        {"a folder", [](const fs::path& f) { fs::create_directories(f); }, false, false},
        {"a file where its folder should be", [&](const fs::path&) { WriteAll(blocker, "x"); },
         false, false},
        {"at the limit, no room to write", [&](const fs::path& f) { WriteAll(f, full); }, true,
         false},
        {"room for the value", [&](const fs::path& f) { WriteAll(f, full.substr(100)); }, true,
         true},
        {"binary",
         [](const fs::path& f) {
             WriteAll(f, "\0\xff\xfe[Control Panel\\Mouse]\n\0\0MouseSpeed=4\n"s);
         },
         true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(dir_ / "config");
        c.make(File());
        const std::string before = fs::is_regular_file(File())    ? ReadAll(File())
                                   : fs::is_regular_file(blocker) ? ReadAll(blocker)
                                                                  : "";
        DesktopPointerStore store(FileOnly());
        EXPECT_EQ(store.openKey(kMouseKey), c.opens);
        EXPECT_EQ(store.openKey(kDesktopKey), c.opens);
        EXPECT_EQ(store.writeText(kDesktopKey, settings::kWheelScrollLines, "5"), c.writes);
        EXPECT_EQ(store.readText(kDesktopKey, settings::kWheelScrollLines),
                  c.writes ? std::optional<std::string>("5") : std::nullopt);
        const fs::path kept = fs::is_regular_file(blocker) ? blocker : File();
        if (fs::is_regular_file(kept)) {
            const std::string after = ReadAll(kept);
            EXPECT_EQ(after.substr(0, before.size()), before) << "what was there is kept";
            EXPECT_EQ(after.size() > before.size(), c.writes);
        }
    }
}

TEST_F(DesktopPointerStoreTest, TextThatWouldNotReadBackIsRefused) {
    DesktopPointerStore store(FileOnly());
    ASSERT_TRUE(store.writeText(kMouseKey, settings::kMouseSpeed, "1"));
    const std::string before = ReadAll(File());
    const struct {
        const char* name;
        std::string value;
    } refused[] = {
        {"MouseSpeed", "1\n[Control Panel\\Desktop]"},
        {"MouseSpeed", " 1"},
        {"MouseSpeed", "1\0"s},
        {"Mouse=Speed", "1"},
        {"", "1"},
        {"[MouseSpeed", "1"},
    };
    for (const auto& c : refused) {
        EXPECT_FALSE(store.writeText(kMouseKey, c.name, c.value)) << c.name << " " << c.value;
    }
    EXPECT_EQ(ReadAll(File()), before);
}

TEST_F(DesktopPointerStoreTest, NoPlaceForTheFileLeavesTheKeysClosed) {
    const ScopedEnv xdg("XDG_CONFIG_HOME", std::nullopt);
    const ScopedEnv home("HOME", std::nullopt);
    DesktopPointerStore store(DesktopPointerStore::Options{.file = {}, .schema = ""});
    EXPECT_TRUE(store.file().empty());
    EXPECT_FALSE(store.openKey(kMouseKey));
    EXPECT_FALSE(store.openKey(kDesktopKey));
    EXPECT_FALSE(store.writeText(kDesktopKey, settings::kWheelScrollLines, "3"));
    EXPECT_FALSE(store.readText(kDesktopKey, settings::kWheelScrollLines));
}

#ifdef VTR_TEST_SCHEMA_DIR

constexpr const char* kTestSchema = "org.example.vtr-test.mouse";

// The desktop's settings: the tests' own mouse schema in the memory backend.
class DesktopSettingsTest : public DesktopPointerStoreTest {
  protected:
    void SetUp() override {
        DesktopPointerStoreTest::SetUp();
        ASSERT_TRUE(DesktopPointerStore::HasGSettings());
        desktop_ = g_settings_new(kTestSchema);
        g_settings_reset(desktop_, "speed");
        g_settings_reset(desktop_, "double-click");
    }
    void TearDown() override {
        g_object_unref(desktop_);
        DesktopPointerStoreTest::TearDown();
    }
    DesktopPointerStore::Options WithDesktop(const char* schema = kTestSchema) const {
        return {.file = File(), .schema = schema};
    }
    double Speed() const { return g_settings_get_double(desktop_, "speed"); }
    int DoubleClick() const { return g_settings_get_int(desktop_, "double-click"); }
    std::optional<std::string> FindInFile(std::string_view name) const {
        return FindSettingsValue(ReadAll(File()), kMouseKey, name);
    }

    GSettings* desktop_ = nullptr;
};

TEST_F(DesktopSettingsTest, SpeedAndDoubleClickAreTheDesktopsOwn) {
    g_settings_set_double(desktop_, "speed", 0.6);
    g_settings_set_int(desktop_, "double-click", 380);
    DesktopPointerStore store(WithDesktop());
    ASSERT_TRUE(store.desktopHasSpeed());
    ASSERT_TRUE(store.desktopHasDoubleClick());
    EXPECT_EQ(store.readText(kMouseKey, settings::kMouseSensitivity), "16");
    EXPECT_EQ(store.readText(kMouseKey, "mousesensitivity"), "16") << "names in any case";
    EXPECT_EQ(store.readText(kMouseKey, settings::kDoubleClickSpeed), "380");
    EXPECT_FALSE(store.valueExists(kDesktopKey, settings::kWheelScrollLines));
    EXPECT_FALSE(store.valueExists(kDesktopKey, settings::kMouseSensitivity))
        << "only under the mouse key";

    PointerSettings settings;
    settings.Refresh(store);
    EXPECT_EQ(settings.position(PointerBar::Speed), 9);
    EXPECT_EQ(settings.position(PointerBar::DoubleClick), 0) << "380 ms is no step";
    EXPECT_EQ(settings.doubleClickTime(), 380);
}

TEST_F(DesktopSettingsTest, WritesGoToTheDesktopWhereItHasAPlaceAndToTheFileElse) {
    DesktopPointerStore store(WithDesktop());
    EXPECT_TRUE(store.writeText(kMouseKey, settings::kMouseSensitivity, "4"));
    EXPECT_TRUE(store.writeText(kMouseKey, settings::kDoubleClickSpeed, "270"));
    EXPECT_DOUBLE_EQ(Speed(), -0.6);
    EXPECT_EQ(DoubleClick(), 270);
    EXPECT_FALSE(fs::exists(File())) << "nothing for the file yet";

    EXPECT_TRUE(store.writeText(kDesktopKey, settings::kWheelScrollLines, "7"));
    EXPECT_TRUE(store.writeText(kMouseKey, settings::kMouseThreshold1, "6"));
    EXPECT_EQ(ReadAll(File()),
              "[Control Panel\\Desktop]\nWheelScrollLines=7\n"
              "[Control Panel\\Mouse]\nMouseThreshold1=6\n");

    const struct {
        std::string_view name;
        const char* value;
    } refused[] = {
        {settings::kMouseSensitivity, "fast"}, {settings::kMouseSensitivity, "0"},
        {settings::kMouseSensitivity, "21"},   {settings::kDoubleClickSpeed, "0"},
        {settings::kDoubleClickSpeed, "-270"}, {settings::kDoubleClickSpeed, ""},
    };
    for (const auto& c : refused) {
        EXPECT_FALSE(store.writeText(kMouseKey, c.name, c.value)) << c.name << "=" << c.value;
    }
    EXPECT_DOUBLE_EQ(Speed(), -0.6);
    EXPECT_EQ(DoubleClick(), 270);
}

TEST_F(DesktopSettingsTest, LiveCallsReachTheDesktopWhereItHasAPlace) {
    DesktopPointerStore store(WithDesktop());
    store.setMouseSpeed(18);
    store.setDoubleClickTime(550);
    EXPECT_DOUBLE_EQ(Speed(), 0.8);
    EXPECT_EQ(DoubleClick(), 550);
    for (const int ignored : {0, 21, -1}) {
        store.setMouseSpeed(ignored);
    }
    for (const int ignored : {0, -500}) {
        store.setDoubleClickTime(ignored);
    }
    EXPECT_DOUBLE_EQ(Speed(), 0.8);
    EXPECT_EQ(DoubleClick(), 550);
    store.setMouseAcceleration(6, 10, 1);
    store.setWheelScrollLines(3);
    EXPECT_FALSE(fs::exists(File())) << "the live calls write no file";
}

TEST_F(DesktopSettingsTest, TheEditorsWriteReachesDesktopAndFile) {
    DesktopPointerStore store(WithDesktop());
    PointerSettings settings;
    settings.Refresh(store);
    EXPECT_EQ(settings.position(PointerBar::Speed), 6) << "the desktop's default speed";
    settings.click(PointerBar::Speed, 10);
    settings.click(PointerBar::DoubleClick, 10);
    settings.click(PointerBar::ScrollLines, 5);
    settings.Write(store);
    EXPECT_DOUBLE_EQ(Speed(), 0.8);
    EXPECT_EQ(DoubleClick(), 270);
    EXPECT_EQ(ReadAll(File()), "[Control Panel\\Desktop]\nWheelScrollLines=5\n");
}

TEST_F(DesktopSettingsTest, ASchemaWithoutTheKeysFallsBackToTheFile) {
    struct Case {
        const char* schema;
        bool speed;
        bool doubleClick;
    };
    const Case cases[] = {
        {"org.example.vtr-test.speed-only", true, false},
        {"org.example.vtr-test.other-types", false, false},  // keys of other types
        {"org.example.vtr-test.relocatable", false, false},
        {"org.example.vtr-test.missing", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.schema);
        fs::remove_all(dir_ / "config");
        DesktopPointerStore store(WithDesktop(c.schema));
        EXPECT_EQ(store.desktopHasSpeed(), c.speed);
        EXPECT_EQ(store.desktopHasDoubleClick(), c.doubleClick);
        EXPECT_TRUE(store.writeText(kMouseKey, settings::kDoubleClickSpeed, "410"));
        EXPECT_TRUE(store.writeText(kMouseKey, settings::kMouseSensitivity, "2"));
        EXPECT_EQ(FindInFile(settings::kDoubleClickSpeed), "410");
        EXPECT_EQ(FindInFile(settings::kMouseSensitivity),
                  c.speed ? std::nullopt : std::optional<std::string>("2"));
        EXPECT_EQ(store.readText(kMouseKey, settings::kMouseSensitivity), "2");
    }
    EXPECT_EQ(DoubleClick(), 400) << "the full schema was left alone";
}

TEST_F(DesktopSettingsTest, TheMouseKeyOpensOnTheDesktopAloneWithoutAFile) {
    fs::create_directories(File());  // a folder where the file should be
    DesktopPointerStore store(WithDesktop());
    EXPECT_TRUE(store.openKey(kMouseKey));
    EXPECT_FALSE(store.openKey(kDesktopKey));
    PointerSettings settings;
    settings.Refresh(store);
    EXPECT_EQ(settings.speedValue(), 10);
    EXPECT_FALSE(settings.hasAcceleration());
    EXPECT_FALSE(settings.hasValue(PointerBar::ScrollLines));
}

#endif  // VTR_TEST_SCHEMA_DIR

}  // namespace
}  // namespace vtr::platform

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "settings/MemoryPointerStore.h"
#include "settings/PointerSettings.h"

namespace vtr::settings {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr PointerBar kBars[] = {PointerBar::Speed, PointerBar::DoubleClick,
                                PointerBar::ScrollLines};

const char* Name(PointerBar bar) {
    switch (bar) {
        case PointerBar::Speed:
            return "speed";
        case PointerBar::DoubleClick:
            return "double-click";
        case PointerBar::ScrollLines:
            return "scroll lines";
    }
    return "?";
}

int LitCount(const PointerSettings& settings, PointerBar bar) {
    int lit = 0;
    for (int segment = 1; segment <= kPointerSteps; ++segment) {
        lit += settings.segmentLit(bar, segment) ? 1 : 0;
    }
    return lit;
}

// The settings after a first reading of `store`.
PointerSettings ReadFrom(MemoryPointerStore& store) {
    PointerSettings settings;
    settings.RefreshMouseSystemParameterA(store);
    settings.RefreshMouseSystemParameterB(store);
    return settings;
}

// A user with the usual settings and acceleration.
MemoryPointerStore UsualUser() {
    return MemoryPointerStore({{kMouseKey, kMouseSensitivity, "10"},
                               {kMouseKey, kMouseThreshold1, "6"},
                               {kMouseKey, kMouseThreshold2, "10"},
                               {kMouseKey, kMouseSpeed, "1"},
                               {kMouseKey, kDoubleClickSpeed, "500"},
                               {kDesktopKey, kWheelScrollLines, "3"}});
}

TEST(PointerSettingsTest, StepTablesTranslateBothWays) {
    EXPECT_EQ(PointerSettings::StepValue(PointerBar::Speed, 1), 1);
    EXPECT_EQ(PointerSettings::StepValue(PointerBar::DoubleClick, 1), 900);
    for (int p = 2; p <= kPointerSteps; ++p) {
        EXPECT_EQ(PointerSettings::StepValue(PointerBar::Speed, p), 2 * (p - 1)) << p;
        EXPECT_EQ(PointerSettings::StepValue(PointerBar::DoubleClick, p),
                  PointerSettings::StepValue(PointerBar::DoubleClick, p - 1) - 70)
            << p;
    }
    EXPECT_EQ(PointerSettings::StepValue(PointerBar::DoubleClick, 10), 270);
    for (const PointerBar bar : kBars) {
        for (int p = 1; p <= kPointerSteps; ++p) {
            if (bar == PointerBar::ScrollLines) {
                EXPECT_EQ(PointerSettings::StepValue(bar, p), p);
            }
            EXPECT_EQ(PointerSettings::PositionOfValue(bar, PointerSettings::StepValue(bar, p)), p)
                << Name(bar) << " " << p;
        }
        for (const int position : {-1, 0, 11}) {
            EXPECT_EQ(PointerSettings::StepValue(bar, position), 0) << Name(bar) << " " << position;
        }
    }
    struct NotAStep {
        PointerBar bar;
        int value;
    };
    const NotAStep notSteps[] = {
        {PointerBar::Speed, 0},         {PointerBar::Speed, 3},
        {PointerBar::Speed, 20},        {PointerBar::Speed, -2},
        {PointerBar::DoubleClick, 500}, {PointerBar::DoubleClick, 0},
        {PointerBar::DoubleClick, 901}, {PointerBar::ScrollLines, -1},
        {PointerBar::ScrollLines, 0},   {PointerBar::ScrollLines, 11},
    };
    for (const NotAStep& c : notSteps) {
        EXPECT_EQ(PointerSettings::PositionOfValue(c.bar, c.value), 0)
            << Name(c.bar) << " " << c.value;
    }
}

TEST(PointerSettingsTest, ClickChoosesAStepAndLightsSegmentsUpToIt) {
    PointerSettings settings;
    for (const PointerBar bar : kBars) {
        EXPECT_EQ(settings.position(bar), 0) << Name(bar);
        EXPECT_EQ(LitCount(settings, bar), 0) << Name(bar);
        EXPECT_FALSE(settings.hasValue(bar));
    }
    EXPECT_TRUE(settings.click(PointerBar::DoubleClick, 4));
    EXPECT_FALSE(settings.click(PointerBar::DoubleClick, 4)) << "already there";
    for (const int ignored : {0, -3, 11, 100}) {
        EXPECT_FALSE(settings.click(PointerBar::DoubleClick, ignored)) << ignored;
    }
    EXPECT_EQ(settings.position(PointerBar::DoubleClick), 4);
    EXPECT_EQ(settings.position(PointerBar::Speed), 0) << "other bars untouched";
    EXPECT_EQ(settings.position(PointerBar::ScrollLines), 0);
    EXPECT_FALSE(settings.hasValue(PointerBar::DoubleClick)) << "a click sets no value";
    for (int segment = 0; segment <= 11; ++segment) {
        const bool lit = segment >= 1 && segment <= 4;
        EXPECT_EQ(settings.segmentLit(PointerBar::DoubleClick, segment), lit) << segment;
        EXPECT_EQ(settings.segmentImage(PointerBar::DoubleClick, segment),
                  lit ? "Bar1_E" : "Bar1_D")
            << segment;
    }
    EXPECT_TRUE(settings.click(PointerBar::DoubleClick, 1)) << "a lower step unlights the rest";
    EXPECT_EQ(LitCount(settings, PointerBar::DoubleClick), 1);
}

TEST(PointerSettingsTest, ControlNamesCarryTheSegmentNumber) {
    EXPECT_EQ(PointerSettings::SegmentName(PointerBar::Speed, 1), "Img_Spd1");
    EXPECT_EQ(PointerSettings::SegmentName(PointerBar::DoubleClick, 10), "Img_DbSpd10");
    EXPECT_EQ(PointerSettings::SegmentName(PointerBar::ScrollLines, 7), "Img_ScrSpd7");
    EXPECT_EQ(PointerSettings::LabelName(PointerBar::Speed, 10), "lbl_Spd10");
    EXPECT_EQ(PointerSettings::LabelName(PointerBar::DoubleClick, 2), "lbl_DbSpd2");
    EXPECT_EQ(PointerSettings::LabelName(PointerBar::ScrollLines, 5), "lbl_ScrSpd5");
    EXPECT_EQ(PointerSettings::SegmentName(PointerBar::Speed, 0), "");
    EXPECT_EQ(PointerSettings::LabelName(PointerBar::ScrollLines, 11), "");
}

TEST(PointerSettingsTest, StartShowsTheUsersSettings) {
    MemoryPointerStore store = UsualUser();
    const PointerSettings settings = ReadFrom(store);
    EXPECT_EQ(LitCount(settings, PointerBar::Speed), 6);
    EXPECT_EQ(LitCount(settings, PointerBar::DoubleClick), 0) << "500 ms is not a step";
    EXPECT_EQ(LitCount(settings, PointerBar::ScrollLines), 3);
    EXPECT_EQ(settings.speedValue(), 10);
    EXPECT_EQ(settings.doubleClickTime(), 500);
    EXPECT_EQ(settings.scrollLines(), 3);
    EXPECT_EQ(settings.acceleration(), (std::array<int, 3>{6, 10, 1}));
    EXPECT_THAT(store.log(), IsEmpty()) << "reading writes nothing";
}

TEST(PointerSettingsTest, ReadingTakesTheValueAndMovesTheBarOnlyToAStep) {
    struct Case {
        PointerBar bar;
        int clickedBefore;                // a step chosen but not written, or 0
        std::optional<std::string> text;  // nothing: the value does not exist
        int position;
        std::optional<int> value;  // nothing: still unknown
    };
    const Case cases[] = {
        {PointerBar::Speed, 0, "16", 9, 16},
        {PointerBar::Speed, 0, "1", 1, 1},
        {PointerBar::Speed, 3, "18", 10, 18},
        {PointerBar::Speed, 3, "20", 3, 20},  // the largest sensitivity is no step
        {PointerBar::Speed, 0, "7", 0, 7},
        {PointerBar::Speed, 5, std::nullopt, 5, std::nullopt},
        {PointerBar::DoubleClick, 0, "270", 10, 270},
        {PointerBar::DoubleClick, 0, "900", 1, 900},
        {PointerBar::DoubleClick, 8, "500", 8, 500},
        {PointerBar::DoubleClick, 2, "0", 2, 0},
        {PointerBar::ScrollLines, 0, "10", 10, 10},
        {PointerBar::ScrollLines, 7, "-1", 7, -1},  // a screen per notch
        {PointerBar::ScrollLines, 0, "-1", 0, -1},
        {PointerBar::ScrollLines, 4, "11", 4, 11},
        {PointerBar::ScrollLines, 0, std::nullopt, 0, std::nullopt},
        // Text that is not a decimal number counts as absent.
        {PointerBar::Speed, 4, "", 4, std::nullopt},
        {PointerBar::Speed, 0, "fast", 0, std::nullopt},
        {PointerBar::Speed, 0, "0x10", 0, std::nullopt},
        {PointerBar::DoubleClick, 6, "500ms", 6, std::nullopt},
        {PointerBar::DoubleClick, 0, "4294967296", 0, std::nullopt},
        {PointerBar::ScrollLines, 0, "3.5", 0, std::nullopt},
        {PointerBar::ScrollLines, 2, "--1", 2, std::nullopt},
        // Blanks around a number and a sign are allowed.
        {PointerBar::ScrollLines, 0, " 5\t", 5, 5},
        {PointerBar::Speed, 0, "+08", 5, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << Name(c.bar) << ", clicked " << c.clickedBefore
                                          << ", stored " << c.text.value_or("(none)"));
        MemoryPointerStore store;
        if (c.text) {
            store.setValue(KeyOf(c.bar), ValueName(c.bar), *c.text);
        }
        PointerSettings settings;
        settings.click(c.bar, c.clickedBefore);
        settings.RefreshMouseSystemParameterA(store);
        settings.RefreshMouseSystemParameterB(store);
        EXPECT_EQ(settings.position(c.bar), c.position);
        EXPECT_EQ(LitCount(settings, c.bar), c.position);
        EXPECT_EQ(settings.hasValue(c.bar), c.value.has_value());
        const int held = c.bar == PointerBar::Speed         ? settings.speedValue()
                         : c.bar == PointerBar::DoubleClick ? settings.doubleClickTime()
                                                            : settings.scrollLines();
        EXPECT_EQ(held, c.value.value_or(0));
    }
}

TEST(PointerSettingsTest, ANonNumberLeavesTheValueOfTheLastReading) {
    MemoryPointerStore store = UsualUser();
    PointerSettings settings = ReadFrom(store);
    store.setValue(kMouseKey, kMouseSensitivity, "quick");
    store.setValue(kMouseKey, kMouseThreshold2, "");
    store.setValue(kDesktopKey, kWheelScrollLines, "lots");
    store.setValue(kMouseKey, kDoubleClickSpeed, "340");
    settings.RefreshMouseSystemParameterA(store);
    settings.RefreshMouseSystemParameterB(store);
    EXPECT_EQ(settings.speedValue(), 10);
    EXPECT_EQ(settings.position(PointerBar::Speed), 6);
    EXPECT_EQ(settings.acceleration(), (std::array<int, 3>{6, 10, 1}));
    EXPECT_EQ(settings.scrollLines(), 3);
    EXPECT_EQ(settings.doubleClickTime(), 340) << "the good value beside them is read";
    EXPECT_EQ(settings.position(PointerBar::DoubleClick), 9);
}

TEST(PointerSettingsTest, AccelerationIsZeroUntilReadAndTakenValueByValue) {
    MemoryPointerStore store({{kMouseKey, kMouseSpeed, "2"}, {kMouseKey, kMouseThreshold1, "x"}});
    PointerSettings settings;
    EXPECT_EQ(settings.acceleration(), (std::array<int, 3>{0, 0, 0}));
    EXPECT_FALSE(settings.hasAcceleration());
    settings.RefreshMouseSystemParameterA(store);
    EXPECT_TRUE(settings.hasAcceleration());
    EXPECT_EQ(settings.acceleration(), (std::array<int, 3>{0, 0, 2}));
    store.setValue(kMouseKey, kMouseThreshold2, "12");
    store.eraseValue(kMouseKey, kMouseSpeed);
    settings.RefreshMouseSystemParameterA(store);
    EXPECT_EQ(settings.acceleration(), (std::array<int, 3>{0, 12, 2}))
        << "a missing value keeps the last one read";
}

TEST(PointerSettingsTest, AKeyThatCannotBeOpenedIsNotRead) {
    MemoryPointerStore store = UsualUser();
    store.removeKey(kMouseKey);
    PointerSettings settings = ReadFrom(store);
    for (const PointerBar bar : {PointerBar::Speed, PointerBar::DoubleClick}) {
        EXPECT_EQ(settings.position(bar), 0) << Name(bar);
        EXPECT_FALSE(settings.hasValue(bar)) << Name(bar);
    }
    EXPECT_FALSE(settings.hasAcceleration());
    EXPECT_EQ(settings.position(PointerBar::ScrollLines), 3) << "the other key is still read";

    MemoryPointerStore noDesktop = UsualUser();
    noDesktop.removeKey(kDesktopKey);
    settings = ReadFrom(noDesktop);
    EXPECT_EQ(settings.position(PointerBar::Speed), 6);
    EXPECT_FALSE(settings.hasValue(PointerBar::ScrollLines));
}

TEST(PointerSettingsTest, WritingStoresTheChosenStepsThenPassesTheHeldValues) {
    struct Click {
        PointerBar bar;
        int segment;
    };
    struct Case {
        const char* what;
        std::vector<Click> clicks;
        std::vector<std::string> log;
    };
    // The user starts at speed step 6 (10), 500 ms (no step) and scroll step 3.
    const Case cases[] = {
        {"steps read are written back, a value off the steps is not",
         {},
         {"write Control Panel\\Mouse MouseSensitivity=10",
          "write Control Panel\\Desktop WheelScrollLines=3", "SPI_SETMOUSESPEED 10",
          "SPI_SETMOUSE 6 10 1", "SPI_SETDOUBLECLICKTIME 500", "SPI_SETWHEELSCROLLLINES 3"}},
        {"speed step 9",
         {{PointerBar::Speed, 9}},
         {"write Control Panel\\Mouse MouseSensitivity=16",
          "write Control Panel\\Desktop WheelScrollLines=3", "SPI_SETMOUSESPEED 16",
          "SPI_SETMOUSE 6 10 1", "SPI_SETDOUBLECLICKTIME 500", "SPI_SETWHEELSCROLLLINES 3"}},
        {"every bar, clicked in another order",
         {{PointerBar::ScrollLines, 10}, {PointerBar::DoubleClick, 1}, {PointerBar::Speed, 1}},
         {"write Control Panel\\Mouse MouseSensitivity=1",
          "write Control Panel\\Mouse DoubleClickSpeed=900",
          "write Control Panel\\Desktop WheelScrollLines=10", "SPI_SETMOUSESPEED 1",
          "SPI_SETMOUSE 6 10 1", "SPI_SETDOUBLECLICKTIME 900", "SPI_SETWHEELSCROLLLINES 10"}},
        {"the last of several clicks counts",
         {{PointerBar::DoubleClick, 2}, {PointerBar::DoubleClick, 10}},
         {"write Control Panel\\Mouse MouseSensitivity=10",
          "write Control Panel\\Mouse DoubleClickSpeed=270",
          "write Control Panel\\Desktop WheelScrollLines=3", "SPI_SETMOUSESPEED 10",
          "SPI_SETMOUSE 6 10 1", "SPI_SETDOUBLECLICKTIME 270", "SPI_SETWHEELSCROLLLINES 3"}},
        {"scroll step 5",
         {{PointerBar::ScrollLines, 5}},
         {"write Control Panel\\Mouse MouseSensitivity=10",
          "write Control Panel\\Desktop WheelScrollLines=5", "SPI_SETMOUSESPEED 10",
          "SPI_SETMOUSE 6 10 1", "SPI_SETDOUBLECLICKTIME 500", "SPI_SETWHEELSCROLLLINES 5"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryPointerStore store = UsualUser();
        PointerSettings settings = ReadFrom(store);
        for (const Click& click : c.clicks) {
            settings.click(click.bar, click.segment);
        }
        settings.ChangedMouseSystemParameterA(store);
        settings.ChangedMouseSystemParameterB(store);
        settings.ApplyToSystem(store);
        EXPECT_EQ(store.log(), c.log);

        // What was written reads back as the same steps.
        const PointerSettings again = ReadFrom(store);
        for (const PointerBar bar : kBars) {
            if (settings.position(bar) != 0) {
                EXPECT_EQ(again.position(bar), settings.position(bar)) << Name(bar);
            }
        }
    }
}

TEST(PointerSettingsTest, WriteDoesBothWritesThenTheLiveCalls) {
    MemoryPointerStore store = UsualUser();
    PointerSettings settings = ReadFrom(store);
    settings.click(PointerBar::Speed, 9);
    settings.click(PointerBar::ScrollLines, 2);
    settings.Write(store);
    EXPECT_THAT(store.writes(),
                ElementsAre(StoredWrite{"Control Panel\\Mouse", "MouseSensitivity", "16"},
                            StoredWrite{"Control Panel\\Desktop", "WheelScrollLines", "2"}));
    EXPECT_THAT(store.liveCalls(), ElementsAre(MouseSpeedCall(16), MouseAccelerationCall(6, 10, 1),
                                               DoubleClickTimeCall(500), WheelScrollLinesCall(2)));
    EXPECT_EQ(store.value(kMouseKey, kDoubleClickSpeed), "500") << "untouched bar not written";
    EXPECT_EQ(settings.speedValue(), 16);
    EXPECT_EQ(settings.scrollLines(), 2);
    EXPECT_EQ(settings.doubleClickTime(), 500);
}

TEST(PointerSettingsTest, AScreenPerNotchIsKeptUntilAScrollStepIsChosen) {
    MemoryPointerStore store({{kDesktopKey, kWheelScrollLines, "-1"}});
    PointerSettings settings = ReadFrom(store);
    EXPECT_EQ(LitCount(settings, PointerBar::ScrollLines), 0);
    settings.click(PointerBar::Speed, 2);
    settings.Write(store);
    EXPECT_EQ(store.value(kDesktopKey, kWheelScrollLines), "-1");
    EXPECT_EQ(store.live().wheelScrollLines, -1);

    settings.click(PointerBar::ScrollLines, 4);
    settings.Write(store);
    EXPECT_EQ(store.value(kDesktopKey, kWheelScrollLines), "4");
    EXPECT_EQ(store.live().wheelScrollLines, 4);
}

TEST(PointerSettingsTest, AKeyThatCannotBeOpenedIsSkippedWhileTheLiveCallsStillRun) {
    struct Case {
        const char* what;
        std::vector<std::string_view> lostKeys;  // removed after the first reading
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {"mouse key gone",
         {kMouseKey},
         {"write Control Panel\\Desktop WheelScrollLines=8", "SPI_SETMOUSESPEED 10",
          "SPI_SETMOUSE 6 10 1", "SPI_SETDOUBLECLICKTIME 500", "SPI_SETWHEELSCROLLLINES 8"}},
        {"desktop key gone",
         {kDesktopKey},
         {"write Control Panel\\Mouse MouseSensitivity=18",
          "write Control Panel\\Mouse DoubleClickSpeed=830", "SPI_SETMOUSESPEED 18",
          "SPI_SETMOUSE 6 10 1", "SPI_SETDOUBLECLICKTIME 830", "SPI_SETWHEELSCROLLLINES 3"}},
        {"both gone",
         {kMouseKey, kDesktopKey},
         {"SPI_SETMOUSESPEED 10", "SPI_SETMOUSE 6 10 1", "SPI_SETDOUBLECLICKTIME 500",
          "SPI_SETWHEELSCROLLLINES 3"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryPointerStore store = UsualUser();
        PointerSettings settings = ReadFrom(store);
        settings.click(PointerBar::Speed, 10);
        settings.click(PointerBar::DoubleClick, 2);
        settings.click(PointerBar::ScrollLines, 8);
        for (const std::string_view key : c.lostKeys) {
            store.removeKey(key);
        }
        settings.Write(store);
        EXPECT_EQ(store.log(), c.log);
        for (const PointerBar bar : kBars) {
            EXPECT_NE(settings.position(bar), 0) << "the chosen steps stay chosen";
        }
    }
}

TEST(PointerSettingsTest, AFailedWriteStillPassesTheChosenStep) {
    MemoryPointerStore store = UsualUser();
    PointerSettings settings = ReadFrom(store);
    settings.click(PointerBar::DoubleClick, 3);
    store.setWritable(false);
    settings.Write(store);
    EXPECT_THAT(store.writes(), IsEmpty());
    EXPECT_EQ(store.value(kMouseKey, kDoubleClickSpeed), "500");
    EXPECT_EQ(store.live().doubleClickTime, 760);
}

// A value never read nor written is not passed to the live system: a zero
// there would stop the wheel, switch off acceleration or reset the double
// click to the system default.
TEST(PointerSettingsTest, ValuesNeverKnownAreNotPassedToTheLiveSystem) {
    struct Case {
        const char* what;
        MemoryPointerStore store;
        std::vector<std::pair<PointerBar, int>> clicks;
        std::vector<std::string> log;
    };
    Case cases[] = {
        {"nothing stored", MemoryPointerStore(), {}, {}},
        {"no keys at all",
         [] {
             MemoryPointerStore s;
             s.removeKey(kMouseKey);
             s.removeKey(kDesktopKey);
             return s;
         }(),
         {{PointerBar::Speed, 4}},
         {}},
        {"a step written becomes known",
         MemoryPointerStore(),
         {{PointerBar::Speed, 4}},
         {"write Control Panel\\Mouse MouseSensitivity=6", "SPI_SETMOUSESPEED 6"}},
        {"only the lines and one acceleration value stored",
         MemoryPointerStore(
             {{kDesktopKey, kWheelScrollLines, "-1"}, {kMouseKey, kMouseThreshold2, "4"}}),
         {},
         {"SPI_SETMOUSE 0 4 0", "SPI_SETWHEELSCROLLLINES -1"}},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.what);
        PointerSettings settings = ReadFrom(c.store);
        for (const auto& [bar, segment] : c.clicks) {
            settings.click(bar, segment);
        }
        settings.Write(c.store);
        EXPECT_EQ(c.store.log(), c.log);
    }
}

TEST(PointerSettingsTest, ParseDecimalAcceptsOnlyWholeDecimalNumbers) {
    struct Case {
        const char* text;
        std::optional<int> value;
    };
    const Case cases[] = {
        {"0", 0},
        {"18", 18},
        {"-1", -1},
        {"+7", 7},
        {"007", 7},
        {"  42 ", 42},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"-", std::nullopt},
        {"+", std::nullopt},
        {"+-3", std::nullopt},
        {"1 2", std::nullopt},
        {"0x1A", std::nullopt},
        {"1e3", std::nullopt},
        {"12\n", std::nullopt},
        {"\xEF\xBC\x91", std::nullopt},  // a full-width digit
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseDecimal(c.text), c.value) << '"' << c.text << '"';
    }
    EXPECT_EQ(ParseDecimal(std::string("5\0", 2)), std::nullopt) << "an embedded NUL";
}

TEST(MemoryPointerStoreTest, KeepsValuesPerKeyAndRecordsOnlyRealWrites) {
    MemoryPointerStore store({{kMouseKey, kMouseSensitivity, "10"}});
    EXPECT_TRUE(store.openKey(kMouseKey));
    EXPECT_TRUE(store.openKey(kDesktopKey));
    EXPECT_FALSE(store.openKey("Control Panel\\Keyboard"));
    EXPECT_TRUE(store.valueExists(kMouseKey, kMouseSensitivity));
    EXPECT_FALSE(store.valueExists(kDesktopKey, kMouseSensitivity));
    EXPECT_EQ(store.readText(kMouseKey, kMouseSensitivity), "10");

    EXPECT_FALSE(store.writeText("Control Panel\\Keyboard", "KeyboardSpeed", "31"));
    EXPECT_FALSE(store.hasKey("Control Panel\\Keyboard")) << "a write never creates a key";
    EXPECT_TRUE(store.writeText(kDesktopKey, kWheelScrollLines, "6"));
    store.removeKey(kMouseKey);
    EXPECT_FALSE(store.openKey(kMouseKey));
    EXPECT_FALSE(store.readText(kMouseKey, kMouseSensitivity)) << "its values went with it";
    EXPECT_FALSE(store.writeText(kMouseKey, kMouseSensitivity, "4"));
    store.setMouseAcceleration(1, 2, 3);
    EXPECT_THAT(store.log(), ElementsAre("write Control Panel\\Desktop WheelScrollLines=6",
                                         "SPI_SETMOUSE 1 2 3"));
    EXPECT_EQ(store.live().acceleration, (std::array<int, 3>{1, 2, 3}));
    EXPECT_FALSE(store.live().mouseSpeed);

    store.clearLog();
    EXPECT_THAT(store.log(), IsEmpty());
    EXPECT_THAT(store.writes(), IsEmpty());
    EXPECT_THAT(store.liveCalls(), IsEmpty());
    EXPECT_EQ(store.value(kDesktopKey, kWheelScrollLines), "6") << "values stay";
    EXPECT_TRUE(store.live().acceleration) << "the live state stays";
}

}  // namespace
}  // namespace vtr::settings

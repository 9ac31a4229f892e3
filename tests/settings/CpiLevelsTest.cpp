#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>

#include "SharedLanguages.h"
#include "settings/CpiLevels.h"
#include "text/Language.h"

namespace vtr::settings {
namespace {

using testing::SharedLanguages;

constexpr const char* kValueTexts[] = {"500",  "800",  "1000", "1200",
                                       "1600", "2000", "2400", "3200"};

CpiBytes Bytes(int count, int current) {
    CpiBytes bytes;
    bytes.count = static_cast<std::uint8_t>(count);
    bytes.valueIndex = {2, 4, 6, 7, 1, 3, 5, 0};
    bytes.current = static_cast<std::uint8_t>(current);
    bytes.colour = {0, 1, 2, 3, 4, 5, 6, 7};
    return bytes;
}

// A model as a decode leaves it: levels 1..count enabled, `current` 1..8.
CpiLevels Shown(int count, int current) {
    CpiLevels cpi;
    cpi.show(Bytes(count, current - 1), SharedLanguages());
    return cpi;
}

TEST(CpiLevelsTest, BeforeTheFirstImageAllEightLevelsAreLiveAndNoneIsCurrent) {
    CpiLevels cpi;
    EXPECT_EQ(cpi.count(), 8);
    for (int level = 1; level <= 8; ++level) {
        EXPECT_TRUE(cpi.isLive(level)) << level;
        EXPECT_EQ(cpi.checkImage(level), Picture::Normal) << level;
    }
    EXPECT_FALSE(cpi.current());
}

TEST(CpiLevelsTest, LevelsAreToggledOnlyAtTheEndOfTheEnabledRun) {
    struct Case {
        int count, current, click;
        bool changed;
        int countAfter, currentAfter;
    };
    const Case cases[] = {
        {1, 1, 1, false, 1, 1},  // the only enabled level stays
        {4, 2, 6, false, 4, 2},  // above the first disabled level
        {4, 2, 2, false, 4, 2},  // inside the enabled run
        {4, 2, 5, true, 5, 2},   // the first disabled level
        {4, 2, 4, true, 3, 2},   // the last enabled level, not current
        {4, 4, 4, true, 3, 3},   // the last enabled level, current: current moves down
        {8, 8, 8, true, 7, 7},  {7, 1, 8, true, 8, 1},  {2, 2, 2, true, 1, 1},
        {1, 1, 2, true, 2, 1},  {4, 2, 0, false, 4, 2},  // no such level
        {4, 2, 9, false, 4, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "count " << c.count << ", current " << c.current << ", click " << c.click);
        CpiLevels cpi = Shown(c.count, c.current);
        EXPECT_EQ(cpi.toggle(c.click), c.changed);
        EXPECT_EQ(cpi.count(), c.countAfter);
        EXPECT_EQ(cpi.current(), c.currentAfter);
        for (int level = 1; level <= 8; ++level) {
            const bool enabled = level <= c.countAfter;
            EXPECT_EQ(cpi.isEnabled(level), enabled) << level;
            EXPECT_EQ(cpi.isLive(level), enabled) << level;
            EXPECT_EQ(cpi.labelColour(level),
                      enabled ? LabelColour::Selected : LabelColour::NotSelected)
                << level;
            EXPECT_EQ(cpi.checkImage(level),
                      level == c.currentAfter ? Picture::Selected : Picture::Normal)
                << level;
        }
    }
}

TEST(CpiLevelsTest, ClicksOnInertLevelsAreIgnored) {
    CpiLevels cpi = Shown(3, 2);
    for (int level = 4; level <= 8; ++level) {
        EXPECT_FALSE(cpi.makeCurrent(level)) << level;
        EXPECT_FALSE(cpi.setValue(level, 8, SharedLanguages())) << level;
    }
    EXPECT_EQ(cpi.current(), 2);
    EXPECT_EQ(cpi.valueText(4), "3200") << "a disabled level keeps showing its value";
    EXPECT_EQ(cpi.litSegments(5), 2);

    EXPECT_TRUE(cpi.makeCurrent(3));
    EXPECT_EQ(cpi.current(), 3);
    EXPECT_EQ(cpi.checkImage(2), Picture::Normal);
    EXPECT_EQ(cpi.checkImage(3), Picture::Selected);
    EXPECT_FALSE(cpi.makeCurrent(3)) << "already current";

    // Enabling level 4 makes its controls live.
    ASSERT_TRUE(cpi.toggle(4));
    EXPECT_TRUE(cpi.makeCurrent(4));
    EXPECT_TRUE(cpi.setValue(4, 1, SharedLanguages()));
    EXPECT_EQ(cpi.valueText(4), "500");
}

TEST(CpiLevelsTest, SegmentKSetsIndexKMinusOneWithItsTextAndBar) {
    for (int segment = 1; segment <= 8; ++segment) {
        CpiLevels cpi = Shown(8, 1);
        cpi.setValue(2, segment, SharedLanguages());
        EXPECT_EQ(cpi.valueText(2), kValueTexts[segment - 1]) << segment;
        EXPECT_EQ(cpi.litSegments(2), segment);
        for (int k = 1; k <= 8; ++k) {
            EXPECT_EQ(cpi.barSegment(2, k), k <= segment ? Picture::Selected : Picture::Normal)
                << segment << "/" << k;
        }
        CpiBytes bytes = Bytes(8, 0);
        cpi.read(bytes, SharedLanguages());
        EXPECT_EQ(bytes.valueIndex[1], segment - 1);
    }
    CpiLevels cpi = Shown(8, 1);
    EXPECT_FALSE(cpi.setValue(2, 0, SharedLanguages()));
    EXPECT_FALSE(cpi.setValue(2, 9, SharedLanguages()));
    EXPECT_EQ(cpi.valueText(2), "1600");
    EXPECT_FALSE(cpi.setValue(2, 5, SharedLanguages())) << "the same value again";
}

TEST(CpiLevelsTest, ShowDrawsEveryStoredValue) {
    struct Case {
        std::uint8_t stored;
        const char* text;
        int lit;
    };
    const Case cases[] = {
        {0, "500", 1}, {4, "1600", 5}, {7, "3200", 8}, {255, "500", 1},  // unset: shown as index 0
        {8, "", 0},    {254, "", 0},  // no such value: no text, no lit segment
    };
    for (const Case& c : cases) {
        CpiBytes bytes = Bytes(8, 0);
        bytes.valueIndex[6] = c.stored;
        CpiLevels cpi;
        cpi.show(bytes, SharedLanguages());
        EXPECT_EQ(cpi.valueText(7), c.text) << int(c.stored);
        EXPECT_EQ(cpi.litSegments(7), c.lit) << int(c.stored);
    }

    struct Frame {
        std::uint8_t count, current;
        int shownCount;
        std::optional<int> shownCurrent;
    };
    const Frame frames[] = {
        {4, 1, 4, 2},  {1, 0, 1, 1},    {8, 7, 8, 8},
        {3, 8, 3, {}}, {3, 255, 3, {}},  // no level selected
        {3, 5, 3, 6},                    // beyond the count: kept as read
        {0, 0, 1, 1},  {9, 0, 8, 1},    {255, 0, 8, 1},
    };
    for (const Frame& f : frames) {
        CpiLevels cpi;
        cpi.show(Bytes(f.count, f.current), SharedLanguages());
        EXPECT_EQ(cpi.count(), f.shownCount) << int(f.count);
        EXPECT_EQ(cpi.current(), f.shownCurrent) << int(f.current);
    }
}

TEST(CpiLevelsTest, ReadTakesValuesFromTextsAndKeepsWhatItCannotRead) {
    CpiBytes stored = Bytes(4, 1);
    stored.valueIndex = {2, 9, 6, 255, 6, 3, 5, 0};  // level 2 has no value text
    stored.current = 200;                            // no current level
    CpiLevels cpi;
    cpi.show(stored, SharedLanguages());
    ASSERT_EQ(cpi.valueText(5), "2400");

    CpiBytes read = stored;
    cpi.read(read, SharedLanguages());
    EXPECT_EQ(read.count, 4);
    const std::array<std::uint8_t, 8> expected = {2, 9, 6, 0, 0, 0, 0, 0};
    EXPECT_EQ(read.valueIndex, expected)
        << "no text matches: kept; unset is read as 0; disabled levels are written as 0";
    EXPECT_EQ(read.current, 200) << "with no current level the byte stays";

    cpi.toggle(5);
    cpi.makeCurrent(5);
    cpi.read(read, SharedLanguages());
    EXPECT_EQ(read.count, 5);
    EXPECT_EQ(read.valueIndex[4], 6) << "enabled again, level 5 is read from its text";
    EXPECT_EQ(read.current, 4);
}

TEST(CpiLevelsTest, ColourBoxesFollowTheirRules) {
    struct Case {
        int level;
        const char* typed;
        const char* afterLeave;
        std::uint8_t handedOver;
    };
    const Case cases[] =
        {
            {1, "12", "6", 6}, {3, "", "0", 0},  {7, "9", "6", 6},
            {4, "0", "0", 0},  {2, "6", "6", 6}, {5, "05", "05", 5},
            {8, "3", "3", 7},  {8, "", "", 7},  // level 8 has no leave rule and is always 7
        };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "level " << c.level << " typed '" << c.typed << "'");
        CpiLevels cpi = Shown(8, 1);
        text::NumberBox& box = cpi.colourBox(c.level);
        box.setText("");
        for (const char* p = c.typed; *p != 0; ++p) {
            EXPECT_TRUE(box.type(*p));
        }
        EXPECT_FALSE(box.type('a'));
        cpi.leaveColourBox(c.level);
        EXPECT_EQ(box.text(), c.afterLeave);

        // Still being typed when read: handed over as after leaving.
        box.setText(c.typed);
        CpiBytes bytes = Bytes(8, 0);
        bytes.colour = {};
        cpi.read(bytes, SharedLanguages());
        EXPECT_EQ(bytes.colour[c.level - 1], c.handedOver);
    }
}

TEST(CpiLevelsTest, ValueTextsMatchInEveryLanguage) {
    text::Languages languages;
    for (int language = 1; language <= text::kLanguageCount; ++language) {
        languages.setCurrent(1);
        CpiLevels cpi;
        cpi.show(Bytes(8, 0), languages);
        cpi.setValue(3, 6, languages);
        languages.setCurrent(language);
        for (int index = 0; index < kCpiValueCount; ++index) {
            EXPECT_EQ(languages.text(CpiValueKey(index)), kValueTexts[index]) << language;
        }
        CpiBytes bytes = Bytes(8, 0);
        cpi.read(bytes, languages);
        const std::array<std::uint8_t, 8> expected = {2, 4, 5, 7, 1, 3, 5, 0};
        EXPECT_EQ(bytes.valueIndex, expected) << "labels shown in language 1, read in " << language;
    }
}

TEST(CpiLevelsTest, WithoutValueTextsNothingIsReadAsIndexZero) {
    // Tables that lack the value texts show every level without text; reading
    // such a model back must not take the empty label for index 0.
    const text::Languages bare(std::array<text::LanguageTable, text::kLanguageCount>{});
    CpiLevels cpi;
    cpi.show(Bytes(8, 0), bare);
    EXPECT_EQ(cpi.valueText(2), "");
    CpiBytes bytes = Bytes(8, 0);
    cpi.read(bytes, bare);
    EXPECT_EQ(bytes.valueIndex, Bytes(8, 0).valueIndex);
}

}  // namespace
}  // namespace vtr::settings

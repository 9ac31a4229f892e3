#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "SharedLanguages.h"
#include "image/DefaultImage.h"
#include "settings/SettingsCodec.h"

namespace vtr::settings {
namespace {

using image::ConfigImage;
using image::WorkingImage;
using testing::SharedLanguages;

// Working-image positions: A n is n, B n is 38 + n, P n is 43 + n.
constexpr std::size_t A(std::size_t n) {
    return n;
}
constexpr std::size_t B(std::size_t n) {
    return 38 + n;
}
constexpr std::size_t P(std::size_t n) {
    return 43 + n;
}

// The bytes no encode may change; A 0 bits 1, 2, 5 and 7 are checked apart.
constexpr std::size_t kUntouched[] = {A(5),  A(6),  A(7),  A(8),  A(17), A(18),
                                      A(19), A(32), A(33), A(36), B(4)};
constexpr std::uint8_t kUntouchedFlagBits = 0xA6;

// One editor's settings, as the session owns them.
struct Session {
    WorkingImage working{};
    CodeTexts codes;
    CpiLevels cpi;
    Lighting lighting;
    keys::FireKey fireKey;

    SettingsRefs refs() { return {working, codes, cpi, lighting, fireKey, SharedLanguages()}; }
    void decode(const ConfigImage& dataBuf) { DataBufToUI(dataBuf, refs()); }
    void encode(ConfigImage& dataBuf) { DataBufToMemo_OnClick(refs(), dataBuf); }
};

ConfigImage Defaults() {
    ConfigImage defaults;
    image::LoadDefaultImage(defaults);
    return defaults;
}

// Makes both check bytes and both complements right, so a decode takes the
// bytes as they stand.
void Seal(ConfigImage& image) {
    WorkingImage working = image::ToWorkingImage(image);
    working[A(37)] = image::ParameterACheckByte(working);
    working[B(1)] = static_cast<std::uint8_t>(255 - working[B(0)]);
    working[B(3)] = static_cast<std::uint8_t>(255 - working[B(2)]);
    working[P(27)] = image::ButtonTableCheckByte(working);
    image::FromWorkingImage(working, image);
}

// The default image with some working-image positions changed, sealed.
ConfigImage DefaultsWith(std::initializer_list<std::pair<std::size_t, std::uint8_t>> changes) {
    ConfigImage image = Defaults();
    WorkingImage working = image::ToWorkingImage(image);
    for (const auto& [at, value] : changes) {
        working[at] = value;
    }
    image::FromWorkingImage(working, image);
    Seal(image);
    return image;
}

std::string Selected(const OptionGroup& group) {
    return group.selected() ? std::to_string(*group.selected()) : "-";
}

// Everything the page shows, as one comparable text.
std::string Describe(const Session& s) {
    std::ostringstream out;
    out << "count " << s.cpi.count() << " current " << s.cpi.current().value_or(0) << "\n";
    for (int level = 1; level <= kCpiLevelCount; ++level) {
        out << " L" << level << " '" << s.cpi.valueText(level) << "' lit "
            << s.cpi.litSegments(level) << " colour '" << s.cpi.colourBox(level).text() << "'\n";
    }
    const Lighting& l = s.lighting;
    out << "mcpi " << Selected(l.mcpi) << " ledKey " << Selected(l.ledKey) << " nt "
        << Selected(l.ntMode) << " colourMode " << Selected(l.colourMode) << " breathing "
        << Selected(l.colourBreathing) << "\n";
    out << "words " << l.words.kind << "/" << l.words.sync << "/" << l.words.breath << "/"
        << l.words.source << " visible " << static_cast<int>(l.visible) << "\n";
    for (const LightingBoxField& field : kLightingBoxes) {
        out << " A" << field.offset << " '" << (l.*field.box).text() << "'";
    }
    out << "\nfire '" << s.fireKey.repeat.text() << "' '" << s.fireKey.delay.text() << "'\n";
    for (const std::string& code : s.codes) {
        out << code << " ";
    }
    return out.str();
}

TEST(SettingsCodecTest, DefaultImageDecodesToTheShippedSettings) {
    Session s;
    const ConfigImage dataBuf = Defaults();
    int pageShown = 0;
    DataBufToUI(dataBuf, s.refs(), [&] {
        ++pageShown;
        EXPECT_EQ(s.codes[6], "040420") << "the captions are refreshed after the code texts";
        EXPECT_EQ(s.fireKey.delay.text(), "32") << "and after the fire-key boxes";
    });
    EXPECT_EQ(pageShown, 1);
    EXPECT_EQ(s.working, image::ToWorkingImage(dataBuf)) << "the shipped image needs no repair";

    const CodeTexts codes = {"010100", "010400", "010200", "010800", "011000",
                             "050000", "040420", "020807", "090000"};
    EXPECT_EQ(s.codes, codes);

    EXPECT_EQ(s.cpi.count(), 4);
    EXPECT_EQ(s.cpi.current(), 2);
    const char* texts[] = {"1000", "1600", "2400", "3200", "500", "500", "500", "500"};
    const int lit[] = {3, 5, 7, 8, 1, 1, 1, 1};
    for (int level = 1; level <= 8; ++level) {
        EXPECT_EQ(s.cpi.isEnabled(level), level <= 4) << level;
        EXPECT_EQ(s.cpi.valueText(level), texts[level - 1]) << level;
        EXPECT_EQ(s.cpi.litSegments(level), lit[level - 1]) << level;
        EXPECT_EQ(s.cpi.colourBox(level).text(), std::to_string(level - 1)) << level;
    }

    const Lighting& l = s.lighting;
    EXPECT_TRUE(l.mcpi.isSelected(kOff));
    EXPECT_TRUE(l.ledKey.isSelected(kOff));
    EXPECT_EQ(l.words, (LedWords{"NT", "Sync", "NoBre", "7Color"}));
    EXPECT_EQ(l.visible, LightingGroup::NT);
    EXPECT_EQ(l.ntMode.selected(), 5) << "mode 2 in bits 0..3, overridden by bit 4";
    EXPECT_FALSE(l.colourMode.selected());
    EXPECT_FALSE(l.colourBreathing.selected());
    EXPECT_EQ(l.ntMode1Time.text(), "0");
    EXPECT_EQ(l.ntMode2Time.text(), "3");
    EXPECT_EQ(l.ntMode3Time.text(), "20");
    EXPECT_EQ(l.ntMode2Hold.text(), "50");
    EXPECT_EQ(l.ntMode3Count.text(), "16");
    for (const text::NumberBox* box : {&l.offTime, &l.riseTime, &l.lightTime, &l.fallTime}) {
        EXPECT_EQ(box->text(), "3");
    }
    EXPECT_EQ(s.fireKey.repeat.text(), "2");
    EXPECT_EQ(s.fireKey.delay.text(), "32");
}

TEST(SettingsCodecTest, DefaultImageComesBackWithOnlyTheModeByteNormalised) {
    Session s;
    const ConfigImage before = Defaults();
    ConfigImage dataBuf = before;
    s.decode(dataBuf);
    s.encode(dataBuf);
    for (std::size_t i = 0; i < image::kParameterAreaSize; ++i) {
        std::uint8_t expected = before.parameterArea[i];
        if (i == B(2)) {
            expected = 0x10;  // mode 5 is bit 4 alone
        } else if (i == B(3)) {
            expected = 0xEF;
        }
        EXPECT_EQ(dataBuf.parameterArea[i], expected) << "offset " << i;
    }
    EXPECT_EQ(dataBuf.profileArea, before.profileArea);
    EXPECT_EQ(dataBuf.macroArea10, before.macroArea10);
    EXPECT_EQ(dataBuf.macroArea2, before.macroArea2);
}

TEST(SettingsCodecTest, FireKeyBoxesComeFromTheLastFireKeyButtonAndGoToAll) {
    Session s;
    ConfigImage dataBuf =
        DefaultsWith({{P(6), 0x04}, {P(7), 0x08}, {P(8), 0x05}, {P(18), 0x04}, {P(19), 0x10}});
    const ConfigImage before = dataBuf;
    s.decode(dataBuf);
    EXPECT_EQ(s.codes[2], "040805");
    EXPECT_EQ(s.fireKey.repeat.text(), "8") << "button 7 wins";
    EXPECT_EQ(s.fireKey.delay.text(), "32");

    s.fireKey.repeat.setText("3");
    s.fireKey.delay.setText("20");
    s.encode(dataBuf);
    for (std::size_t button : {3u, 7u}) {
        const std::size_t at = 3 * (button - 1);
        EXPECT_EQ(dataBuf.profileArea[at], 0x04) << button;
        EXPECT_EQ(dataBuf.profileArea[at + 1], 0x06) << button;
        EXPECT_EQ(dataBuf.profileArea[at + 2], 0x14) << button;
    }
    for (std::size_t i = 0; i < 27; ++i) {
        if (i / 3 != 2 && i / 3 != 6) {
            EXPECT_EQ(dataBuf.profileArea[i], before.profileArea[i]) << "P " << i;
        }
    }
    EXPECT_EQ(dataBuf.profileArea[27], image::ButtonTableCheckByte(s.working));
    EXPECT_EQ(s.codes[2], "040805") << "the code texts are not rewritten";
}

TEST(SettingsCodecTest, FireKeyButtonsAreTheOnesWhoseCodeTextsSayFireKey) {
    Session s;
    ConfigImage dataBuf = DefaultsWith({{P(18), 0x01}, {P(19), 0x01}, {P(20), 0x00}});
    s.fireKey.repeat.setText("77");
    s.fireKey.delay.setText("88");
    s.decode(dataBuf);
    EXPECT_EQ(s.fireKey.repeat.text(), "77") << "with no fire-key button the boxes keep their text";
    EXPECT_EQ(s.fireKey.delay.text(), "88");

    const ConfigImage before = dataBuf;
    s.encode(dataBuf);
    EXPECT_EQ(dataBuf.profileArea, before.profileArea) << "no fire-key button: table unchanged";

    // The assignment editor has made button 2 a fire key by its text, and put a
    // combination text on button 3 and a short text on button 4.
    s.codes[1] = "04FE10";
    s.codes[2] = "02010405";
    s.codes[3] = "0";
    s.encode(dataBuf);
    EXPECT_EQ(dataBuf.profileArea[3], 0x04);
    EXPECT_EQ(dataBuf.profileArea[4], 77 * 2);
    EXPECT_EQ(dataBuf.profileArea[5], 88);
    for (std::size_t i = 6; i < 27; ++i) {
        EXPECT_EQ(dataBuf.profileArea[i], before.profileArea[i]) << "P " << i;
    }
}

TEST(SettingsCodecTest, CpiLevelsGoToTheirBytes) {
    Session s;
    ConfigImage dataBuf = Defaults();
    s.decode(dataBuf);
    s.cpi.toggle(5);
    s.cpi.toggle(6);
    s.cpi.makeCurrent(6);
    s.cpi.setValue(6, 4, SharedLanguages());
    s.cpi.colourBox(8).setText("3");
    s.cpi.colourBox(5).setText("12");
    s.encode(dataBuf);
    const auto& a = dataBuf.parameterArea;
    EXPECT_EQ(a[A(1)], 6);
    const std::vector<std::uint8_t> values(a.begin() + 9, a.begin() + 17);
    EXPECT_EQ(values, (std::vector<std::uint8_t>{2, 4, 6, 7, 0, 3, 0, 0}));
    const std::vector<std::uint8_t> colours(a.begin() + 20, a.begin() + 28);
    EXPECT_EQ(colours, (std::vector<std::uint8_t>{0, 1, 2, 3, 6, 5, 6, 7}))
        << "level 5 after its leave rule; level 8 always 7";
    EXPECT_EQ(a[B(0)], 5);
    EXPECT_EQ(a[B(1)], 250);
    EXPECT_EQ(a[A(37)], image::ParameterACheckByte(s.working));

    s.cpi.toggle(6);
    s.encode(dataBuf);
    EXPECT_EQ(a[A(1)], 5);
    EXPECT_EQ(a[A(14)], 0) << "a disabled level is written as index 0";
    EXPECT_EQ(a[B(0)], 4) << "the current level moved down with the disabled one";
    EXPECT_EQ(a[B(1)], 251);

    // A current index above 7 selects no level; the byte survives the encode.
    dataBuf = DefaultsWith({{B(0), 9}});
    s.decode(dataBuf);
    EXPECT_FALSE(s.cpi.current());
    s.encode(dataBuf);
    EXPECT_EQ(a[B(0)], 9);
    EXPECT_EQ(a[B(1)], 246);
}

enum class Group { NT, ColourMode, Breathing };

OptionGroup& GroupIn(Lighting& lighting, Group group) {
    switch (group) {
        case Group::NT:
            return lighting.ntMode;
        case Group::ColourMode:
            return lighting.colourMode;
        case Group::Breathing:
            break;
    }
    return lighting.colourBreathing;
}

TEST(SettingsCodecTest, EveryLightingOptionWritesItsBits) {
    struct Case {
        LedWords words;
        Group group;
        int option;
        std::uint8_t flagsSet, flagsCleared, modeBits;
    };
    const LedWords nt{"NT", "Sync", "NoBre", "7Color"};
    const LedWords colourMode{"Color", "Sync", "NoBre", "CPI"};
    const LedWords breathing{"Color", "Sync", "Bre", "CPI"};
    const LedWords none{};
    const Case cases[] = {
        {nt, Group::NT, 1, 0x40, 0x00, 0x01},
        {nt, Group::NT, 2, 0x00, 0x40, 0x01},
        {nt, Group::NT, 3, 0x00, 0x00, 0x02},
        {nt, Group::NT, 4, 0x00, 0x00, 0x03},
        {nt, Group::NT, 5, 0x00, 0x00, 0x10},
        {colourMode, Group::ColourMode, 1, 0x00, 0x00, 0x04},
        {colourMode, Group::ColourMode, 2, 0x00, 0x00, 0x10},
        {breathing, Group::Breathing, 1, 0x10, 0x08, 0x06},
        {breathing, Group::Breathing, 2, 0x00, 0x18, 0x05},
        {breathing, Group::Breathing, 3, 0x18, 0x00, 0x06},
        {breathing, Group::Breathing, 4, 0x00, 0x00, 0x10},
        {{"Color", "NoSync", "NoBre", "CPI"}, Group::Breathing, 1, 0x10, 0x08, 0x06},
        // An option of a group the words do not name writes nothing.
        {nt, Group::ColourMode, 1, 0x00, 0x00, 0x00},
        {nt, Group::Breathing, 3, 0x00, 0x00, 0x00},
        {colourMode, Group::Breathing, 1, 0x00, 0x00, 0x00},
        {breathing, Group::ColourMode, 1, 0x00, 0x00, 0x00},
        {breathing, Group::NT, 1, 0x00, 0x00, 0x00},
        // No lighting mode words: only the LED key bit.
        {none, Group::NT, 1, 0x00, 0x00, 0x00},
        {none, Group::ColourMode, 1, 0x00, 0x00, 0x00},
        {none, Group::Breathing, 3, 0x00, 0x00, 0x00},
    };
    for (const Case& c : cases) {
        for (const std::uint8_t flags : {0x00, 0xFF, 0x5A}) {
            for (const int ledKey : {kOn, kOff}) {
                SCOPED_TRACE(::testing::Message()
                             << c.words.kind << "/" << c.words.sync << "/" << c.words.breath
                             << " group " << static_cast<int>(c.group) << " option " << c.option
                             << " flags " << int(flags) << " LED key " << ledKey);
                Session s;
                s.decode(Defaults());
                s.lighting = Lighting{};  // nothing selected but the case's option
                s.lighting.words = c.words;
                GroupIn(s.lighting, c.group).select(c.option);
                s.lighting.ledKey.select(ledKey);
                s.working[A(0)] = flags;
                s.working[B(2)] = 0xFF;
                UIToDataBuf(s.refs());

                const std::uint8_t led = ledKey == kOn ? 0x80 : 0x00;
                EXPECT_EQ(s.working[B(2)], led | c.modeBits);
                EXPECT_EQ(s.working[B(3)], 255 - s.working[B(2)]);
                EXPECT_EQ(s.working[A(0)], (flags & ~c.flagsCleared) | c.flagsSet);
            }
        }
    }
}

TEST(SettingsCodecTest, DecodeSelectsTheOptionTheBytesName) {
    struct Case {
        std::uint8_t flags, mode;
        LightingGroup visible;
        std::optional<int> nt, colourMode, breathing;
    };
    const std::optional<int> no;
    const Case cases[] = {
        {0x40, 0x01, LightingGroup::NT, 1, no, no},  // 7Color
        {0x00, 0x01, LightingGroup::NT, 2, no, no},  // CPI
        {0x00, 0x81, LightingGroup::NT, 2, no, no},
        {0x00, 0x21, LightingGroup::NT, 2, no, no},  // bit 5 means nothing
        {0x40, 0x02, LightingGroup::NT, 3, no, no},
        {0x00, 0x03, LightingGroup::NT, 4, no, no},
        {0xCB, 0x12, LightingGroup::NT, 5, no, no},  // bit 4 overrides mode 2
        {0x40, 0x11, LightingGroup::NT, 5, no, no},
        {0x00, 0x10, LightingGroup::NT, 5, no, no},
        {0x00, 0x00, LightingGroup::NT, no, no, no},
        {0x00, 0x04, LightingGroup::NT, no, no, no},
        {0x58, 0x0F, LightingGroup::NT, no, no, no},
        {0x1C, 0x06, LightingGroup::ColourBreathing, no, no, 3},  // Sync, Bre
        {0x1C, 0x10, LightingGroup::ColourBreathing, no, no, 4},  // bit 4 overrides
        {0x04, 0x05, LightingGroup::ColourBreathing, no, no, 2},  // NoSync, NoBre
        {0x14, 0x06, LightingGroup::ColourBreathing, no, no, 1},  // NoSync, Bre
        {0x54, 0x96, LightingGroup::ColourBreathing, no, no, 4},
        {0x0C, 0x04, LightingGroup::ColourMode, no, 1, no},  // Sync, NoBre
        {0x0C, 0x00, LightingGroup::ColourMode, no, 1, no},
        {0x4C, 0x10, LightingGroup::ColourMode, no, 2, no},
        {0xEF, 0x9F, LightingGroup::ColourMode, no, 2, no},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "flags " << int(c.flags) << " mode " << int(c.mode));
        Session s;
        s.decode(DefaultsWith({{A(0), c.flags}, {B(2), c.mode}}));
        EXPECT_EQ(s.lighting.visible, c.visible);
        EXPECT_EQ(s.lighting.ntMode.selected(), c.nt);
        EXPECT_EQ(s.lighting.colourMode.selected(), c.colourMode);
        EXPECT_EQ(s.lighting.colourBreathing.selected(), c.breathing);
        EXPECT_EQ(s.lighting.mcpi.selected(), c.flags & 1 ? kOff : kOn);
        EXPECT_EQ(s.lighting.ledKey.selected(), c.mode & 0x80 ? kOn : kOff);

        // What was selected is what the encode writes back.
        ConfigImage dataBuf = DefaultsWith({{A(0), c.flags}, {B(2), c.mode}});
        s.encode(dataBuf);
        Session again;
        again.decode(dataBuf);
        EXPECT_EQ(Describe(again), Describe(s));
    }
}

TEST(SettingsCodecTest, BytesThatSelectNoOptionLeaveThePreviousSelection) {
    Session s;
    s.decode(DefaultsWith({{A(0), 0x00}, {B(2), 0x02}}));
    ASSERT_EQ(s.lighting.ntMode.selected(), 3);
    ConfigImage dataBuf = DefaultsWith({{A(0), 0x00}, {B(2), 0x07}});
    s.decode(dataBuf);
    EXPECT_EQ(s.lighting.ntMode.selected(), 3);
    s.encode(dataBuf);
    EXPECT_EQ(dataBuf.parameterArea[B(2)], 0x02) << "the next encode writes the kept selection";
}

TEST(SettingsCodecTest, EmptyWordsWriteOnlyTheLedKeyBitAndKeepTheFlags) {
    Session s;
    ConfigImage dataBuf = DefaultsWith({{A(0), 0x14}, {B(2), 0x06}});  // breathing option 1
    s.decode(dataBuf);
    ASSERT_EQ(s.lighting.colourBreathing.selected(), 1);
    s.lighting.words.clear();  // the mouse was lost
    s.lighting.ledKey.select(kOn);
    s.lighting.colourBreathing.select(3);
    EXPECT_EQ(s.lighting.visible, LightingGroup::ColourBreathing) << "the page stays as it was";
    s.encode(dataBuf);
    EXPECT_EQ(dataBuf.parameterArea[B(2)], 0x80);
    EXPECT_EQ(dataBuf.parameterArea[B(3)], 0x7F);
    EXPECT_EQ(dataBuf.parameterArea[A(0)], 0x14);
}

TEST(SettingsCodecTest, SwitchesGoBothWays) {
    struct Case {
        int mcpi, ledKey;
        std::uint8_t flagsBit0, modeBit7;
    };
    const Case cases[] = {
        {kOn, kOff, 0x00, 0x00},
        {kOff, kOff, 0x01, 0x00},
        {kOn, kOn, 0x00, 0x80},
        {kOff, kOn, 0x01, 0x80},
    };
    for (const Case& c : cases) {
        Session s;
        ConfigImage dataBuf = Defaults();
        s.decode(dataBuf);
        s.lighting.mcpi.select(c.mcpi);
        s.lighting.ledKey.select(c.ledKey);
        s.encode(dataBuf);
        EXPECT_EQ(dataBuf.parameterArea[A(0)], (0xCB & ~1) | c.flagsBit0) << c.mcpi;
        EXPECT_EQ(dataBuf.parameterArea[B(2)], 0x10 | c.modeBit7) << c.ledKey;

        Session again;
        again.decode(dataBuf);
        EXPECT_EQ(again.lighting.mcpi.selected(), c.mcpi);
        EXPECT_EQ(again.lighting.ledKey.selected(), c.ledKey);
    }
    // Before the first decode neither switch is set: the flag bit stays and the
    // LED key bit is clear.
    Session fresh;
    fresh.working[A(0)] = 0x01;
    fresh.working[B(2)] = 0x80;
    UIToDataBuf(fresh.refs());
    EXPECT_EQ(fresh.working[A(0)], 0x01);
    EXPECT_EQ(fresh.working[B(2)], 0x00);
}

TEST(SettingsCodecTest, BoxesStillBeingTypedAreStoredAsAfterLeavingThem) {
    struct Case {
        text::NumberBox Lighting::*box;
        std::size_t offset;
        std::uint8_t emptyGives;
    };
    const Case cases[] = {
        {&Lighting::ntMode1Time, 2, 0},    {&Lighting::ntMode2Time, 3, 3},
        {&Lighting::ntMode3Time, 4, 20},   {&Lighting::offTime, 28, 0},
        {&Lighting::riseTime, 29, 0},      {&Lighting::lightTime, 30, 0},
        {&Lighting::fallTime, 31, 0},      {&Lighting::ntMode2Hold, 34, 50},
        {&Lighting::ntMode3Count, 35, 16},
    };
    for (const Case& c : cases) {
        struct Typed {
            const char* text;
            int stored;
            const char* shownAfter;
        };
        const Typed typed[] = {{"999", 255, "255"},
                               {"", c.emptyGives, nullptr},
                               {"007", 7, "007"},
                               {"1", 1, "1"},
                               {"256", 255, "255"}};
        for (const Typed& t : typed) {
            Session s;
            ConfigImage dataBuf = Defaults();
            s.decode(dataBuf);
            (s.lighting.*c.box).setText(t.text);
            s.encode(dataBuf);
            EXPECT_EQ(dataBuf.parameterArea[c.offset], t.stored)
                << "A " << c.offset << " '" << t.text << "'";
            const std::string shown = t.shownAfter ? t.shownAfter : std::to_string(c.emptyGives);
            EXPECT_EQ((s.lighting.*c.box).text(), shown) << "A " << c.offset;
        }
    }

    // The fire-key boxes and the colour boxes have their own rules.
    struct FireCase {
        const char* repeat;
        const char* delay;
        std::uint8_t p1, p2;
        const char* repeatShown;
        const char* delayShown;
    };
    const FireCase fire[] = {
        {"999", "999", 0xFE, 0xFF, "127", "255"}, {"", "", 0x04, 0x02, "2", "2"},
        {"1", "1", 0x04, 0x02, "2", "2"},         {"0", "0", 0x00, 0x00, "0", "0"},
        {"01", "7", 0x02, 0x07, "01", "7"},       {"127", "255", 0xFE, 0xFF, "127", "255"},
    };
    for (const FireCase& f : fire) {
        Session s;
        ConfigImage dataBuf = Defaults();
        s.decode(dataBuf);
        s.fireKey.repeat.setText(f.repeat);
        s.fireKey.delay.setText(f.delay);
        s.encode(dataBuf);
        EXPECT_EQ(dataBuf.profileArea[19], f.p1) << "'" << f.repeat << "'";
        EXPECT_EQ(dataBuf.profileArea[20], f.p2) << "'" << f.delay << "'";
        EXPECT_EQ(s.fireKey.repeat.text(), f.repeatShown);
        EXPECT_EQ(s.fireKey.delay.text(), f.delayShown);
    }
}

TEST(SettingsCodecTest, DamagedSectionsAreDecodedRepairedAndWrittenOnlyByTheEncode) {
    Session s;
    ConfigImage dataBuf = Defaults();
    dataBuf.parameterArea[A(10)] ^= 0x01;  // section A check fails
    dataBuf.parameterArea[B(3)] = 0x00;    // the mode pair does not add up
    dataBuf.profileArea[0] = 0x09;         // the button table check fails
    const ConfigImage damaged = dataBuf;
    s.decode(dataBuf);
    EXPECT_EQ(dataBuf, damaged) << "a decode repairs only the working image";

    EXPECT_EQ(s.cpi.count(), 4);
    EXPECT_EQ(s.cpi.valueText(1), "800");
    EXPECT_EQ(s.cpi.valueText(4), "2400");
    EXPECT_TRUE(s.lighting.mcpi.isSelected(kOff));
    EXPECT_EQ(s.lighting.words, (LedWords{"Color", "Sync", "Bre", "7Color"}));
    EXPECT_EQ(s.lighting.colourBreathing.selected(), 3) << "mode byte repaired to 1: bit 4 clear";
    EXPECT_EQ(s.codes[6], "040820");
    EXPECT_EQ(s.codes[8], "030223");
    EXPECT_EQ(s.fireKey.repeat.text(), "4");

    s.encode(dataBuf);
    EXPECT_EQ(dataBuf.parameterArea[A(9)], 1);
    EXPECT_EQ(dataBuf.parameterArea[A(18)], 0x6C) << "section A as repaired";
    EXPECT_EQ(dataBuf.parameterArea[B(2)], 0x06);
    EXPECT_EQ(dataBuf.parameterArea[B(3)], 0xF9);
    EXPECT_EQ(dataBuf.profileArea[0], 0x01);
    EXPECT_EQ(dataBuf.profileArea[27], image::ButtonTableCheckByte(s.working));
    EXPECT_EQ(dataBuf.parameterArea[A(37)], image::ParameterACheckByte(s.working));
}

TEST(SettingsCodecTest, LoadingAFileParsesTheMacrosBeforeDecoding) {
    Session s;
    const ConfigImage dataBuf = Defaults();
    std::vector<std::string> steps;
    MemoToDataBuf_OnClick(
        dataBuf, s.refs(),
        [&] {
            steps.push_back("macros");
            EXPECT_EQ(s.codes[0], "") << "not decoded yet";
        },
        [&] { steps.push_back("page 1 " + s.codes[0]); });
    EXPECT_EQ(steps, (std::vector<std::string>{"macros", "page 1 010100"}));

    Session quiet;
    MemoToDataBuf_OnClick(dataBuf, quiet.refs(), {}, {});
    EXPECT_EQ(Describe(quiet), Describe(s)) << "empty hooks are skipped";
}

// A random image whose values lie in the ranges this editor writes: colour
// indices 0..6 with level 8 at 7, index 0 or unset for disabled levels, and
// fire-key buttons that agree, with an even first parameter other than 2 and a
// delay other than 1. Now and then a check byte or a complement is wrong.
ConfigImage RandomEditorImage(std::mt19937& random) {
    std::uniform_int_distribution<int> byte(0, 255);
    WorkingImage w;
    for (std::uint8_t& b : w) {
        b = static_cast<std::uint8_t>(byte(random));
    }
    for (std::size_t level = 0; level < 7; ++level) {
        w[A(20) + level] = static_cast<std::uint8_t>(byte(random) % 7);
    }
    w[A(27)] = 7;
    // Disabled levels hold index 0 (or unset); the count is shown within 1..8.
    const std::size_t count = std::clamp<std::size_t>(w[A(1)], 1, 8);
    for (std::size_t level = count; level < 8; ++level) {
        w[A(9) + level] = byte(random) < 128 ? 0 : 255;
    }
    std::uint8_t repeat = static_cast<std::uint8_t>(byte(random) & 0xFE);
    if (repeat == 2) {
        repeat = 0;
    }
    std::uint8_t delay = static_cast<std::uint8_t>(byte(random));
    if (delay == 1) {
        delay = 0;
    }
    for (std::size_t button = 0; button < 9; ++button) {
        if (byte(random) < 64) {
            w[P(3 * button)] = 0x04;
        }
        if (w[P(3 * button)] == 0x04) {
            w[P(3 * button) + 1] = repeat;
            w[P(3 * button) + 2] = delay;
        }
    }
    ConfigImage image;
    image::FromWorkingImage(w, image);
    Seal(image);
    if (byte(random) < 16) {
        image.parameterArea[A(37)] ^= 0x10;
    }
    if (byte(random) < 16) {
        image.parameterArea[B(3)] ^= 0x01;
    }
    if (byte(random) < 16) {
        image.profileArea[27] ^= 0x01;
    }
    return image;
}

TEST(SettingsCodecTest, RandomImagesSurviveDecodeEncodeDecode) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 500; ++round) {
        SCOPED_TRACE(round);
        ConfigImage dataBuf = RandomEditorImage(random);
        Session first;
        first.decode(dataBuf);
        const std::string decoded = Describe(first);
        first.encode(dataBuf);
        EXPECT_EQ(Describe(first), decoded) << "an encode of in-range values changes no box";
        Session second;
        second.decode(dataBuf);
        EXPECT_EQ(Describe(second), decoded);
        EXPECT_EQ(second.working, first.working) << "the encoded image needs no repair";
    }
}

// Random bytes in the parameter area and the button table.
void FillSettingsAreas(ConfigImage& dataBuf, std::mt19937& random) {
    std::uniform_int_distribution<int> byte(0, 255);
    for (std::uint8_t& b : dataBuf.parameterArea) {
        b = static_cast<std::uint8_t>(byte(random));
    }
    for (std::uint8_t& b : dataBuf.profileArea) {
        b = static_cast<std::uint8_t>(byte(random));
    }
}

// Any bytes at all: one decode and encode bring them to what the editor
// writes, after which a decode and encode change nothing.
TEST(SettingsCodecTest, AnyImageReachesAFixedPointAfterOneEncode) {
    std::mt19937 random(7);
    for (int round = 0; round < 500; ++round) {
        SCOPED_TRACE(round);
        ConfigImage dataBuf;
        FillSettingsAreas(dataBuf, random);
        if (round % 2 == 0) {
            Seal(dataBuf);
        }
        Session s;
        s.decode(dataBuf);
        s.encode(dataBuf);
        const ConfigImage once = dataBuf;
        s.decode(dataBuf);
        const std::string decoded = Describe(s);
        s.encode(dataBuf);
        EXPECT_EQ(dataBuf, once);
        Session again;
        again.decode(dataBuf);
        EXPECT_EQ(Describe(again), decoded);
    }
}

// Random edits of every kind between a decode and an encode.
void RandomEdits(Session& s, std::mt19937& random) {
    std::uniform_int_distribution<int> pick(0, 1000);
    const char* texts[] = {"", "0", "1", "6", "7", "99", "255", "256", "999", "x"};
    const int edits = pick(random) % 20;
    for (int i = 0; i < edits; ++i) {
        const int level = pick(random) % 10;  // 0 and 9 are no level
        const int n = pick(random);
        const std::string text = texts[n % std::size(texts)];
        switch (pick(random) % 12) {
            case 0:
                s.cpi.toggle(level);
                break;
            case 1:
                s.cpi.makeCurrent(level);
                break;
            case 2:
                s.cpi.setValue(level, n % 10, SharedLanguages());
                break;
            case 3:
                if (level >= 1 && level <= 8) {
                    s.cpi.colourBox(level).setText(text);
                }
                break;
            case 4:
                s.lighting.mcpi.select(n % 3);
                s.lighting.ledKey.select(n % 4);
                break;
            case 5:
                s.lighting.ntMode.select(n % 7);
                break;
            case 6:
                s.lighting.colourMode.select(n % 4);
                s.lighting.colourBreathing.select(n % 6);
                break;
            case 7:
                (s.lighting.*kLightingBoxes[n % std::size(kLightingBoxes)].box).setText(text);
                break;
            case 8:
                s.fireKey.repeat.setText(text);
                s.fireKey.delay.setText(texts[pick(random) % std::size(texts)]);
                break;
            case 9:
                s.codes[n % 9] = n % 2 ? "04" : "02010405";
                break;
            case 10:
                s.lighting.words.clear();
                break;
            default:
                s.lighting.words = LedWords::FromFlags(static_cast<std::uint8_t>(n));
                break;
        }
    }
}

TEST(SettingsCodecTest, EncodeNeverTouchesTheBytesItDoesNotOwn) {
    std::mt19937 random(99);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 1000; ++round) {
        SCOPED_TRACE(round);
        ConfigImage dataBuf;
        FillSettingsAreas(dataBuf, random);
        for (std::uint8_t& b : dataBuf.macroArea10) {
            b = static_cast<std::uint8_t>(byte(random));
        }
        if (round % 4 != 0) {
            Seal(dataBuf);
        }
        Session s;
        s.decode(dataBuf);
        const WorkingImage decoded = s.working;
        const ConfigImage before = dataBuf;
        RandomEdits(s, random);
        s.encode(dataBuf);

        const auto& a = dataBuf.parameterArea;
        for (std::size_t at : kUntouched) {
            EXPECT_EQ(a[at], decoded[at]) << "offset " << at;
            if (round % 4 != 0) {
                EXPECT_EQ(a[at], before.parameterArea[at]) << "offset " << at;
            }
        }
        EXPECT_EQ(a[A(0)] & kUntouchedFlagBits, decoded[A(0)] & kUntouchedFlagBits);
        EXPECT_EQ(a[A(27)], 7);
        EXPECT_EQ(a[B(1)], 255 - a[B(0)]);
        EXPECT_EQ(a[B(3)], 255 - a[B(2)]);
        EXPECT_EQ(a[B(2)] & 0x60, 0) << "bits 5 and 6 of the mode byte";
        EXPECT_EQ(a[A(37)], image::ParameterACheckByte(s.working));
        EXPECT_EQ(dataBuf.profileArea[27], image::ButtonTableCheckByte(s.working));
        EXPECT_EQ(image::ToWorkingImage(dataBuf), s.working);
        EXPECT_EQ(dataBuf.macroArea10, before.macroArea10);
        EXPECT_EQ(dataBuf.macroArea2, before.macroArea2);
    }
}

}  // namespace
}  // namespace vtr::settings

#include <QClipboard>
#include <QLineEdit>

#include "WindowFixture.h"
#include "image/CheckByte.h"
#include "image/MemoryMap.h"
#include "shell/NumberEdit.h"
#include "shell/SkinControls.h"

// The Advanced page (CPI levels, fire key, pointer bars) and the Breathing
// Light page, driven with the simulated pointer as a user would.
namespace vtr::shell {
namespace {

// Addresses of the mouse's memory behind the two pages.
constexpr std::size_t kFlags = 0;       // A 0
constexpr std::size_t kLevelCount = 1;  // A 1
constexpr std::size_t kValues = 9;      // A 9 .. A 16
constexpr std::size_t kColours = 20;    // A 20 .. A 27
constexpr std::size_t kCurrent = 38;    // B 0
constexpr std::size_t kLightMode = 40;  // B 2
constexpr std::size_t kProfile = 64;    // the button table

class PagesTest : public WindowTest {
  protected:
    auto& eeprom() { return mouse.firmware().eeprom(); }

    // The flags byte and the lighting mode byte of the mouse, with the
    // complement and the section A check byte kept right.
    void setLighting(std::uint8_t flags, std::uint8_t mode) {
        eeprom()[kLightMode] = mode;
        eeprom()[kLightMode + 1] = static_cast<std::uint8_t>(0xFF - mode);
        eeprom()[kFlags] = flags;
        eeprom()[image::kSectionACheckOffset] =
            image::CheckByte(std::span(eeprom()).first(image::kSectionACheckOffset));
    }

    void showAdvanced() {
        click(QStringLiteral("Btn_Adv_%1").arg(window->shownPage()));
        ASSERT_EQ(window->shownPage(), 2);
    }
    // In layouts 1 and 3 the page's button lies outside the window; layout 2
    // shows it.
    void showLight() {
        window->Btn_Lang2_0Click();
        click(QStringLiteral("Btn_Breath_%1").arg(window->shownPage()));
        ASSERT_EQ(window->shownPage(), 3);
    }

    const settings::CpiLevels& cpi() { return window->editor().settings().cpi; }

    QLineEdit* edit(const QString& name) {
        auto* e = qobject_cast<QLineEdit*>(widget(name));
        EXPECT_NE(e, nullptr) << name.toStdString();
        return e;
    }

    // Clicks into a box, replaces its text by typing (as keys, so the filter
    // sees every character) and leaves it for another box or not.
    void type(const QString& name, const QString& keys, bool leave = true) {
        QLineEdit* e = edit(name);
        ASSERT_NE(e, nullptr);
        click(name);
        ASSERT_TRUE(e->hasFocus()) << name.toStdString();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Backspace);
        QTest::keyClicks(e, keys);
        if (leave) {
            e->clearFocus();
            QApplication::processEvents();
        }
    }

    void activate() {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    QColor labelColour(const QString& name) {
        auto* label = qobject_cast<LabelButton*>(widget(name));
        return label == nullptr ? QColor() : label->textColour();
    }
};

// --- CPI levels ---

TEST_F(PagesTest, LevelsSwitchOnAndOffOnlyAtTheEndOfTheEnabledRun) {
    startAndRead();
    showAdvanced();
    ASSERT_EQ(cpi().count(), 4) << "the default image has four levels";
    const QColor on = *window->layoutValues().cpiSelected;
    const QColor off = *window->layoutValues().cpiNotSelected;

    const struct {
        const char* label;
        int countAfter;
    } clicks[] = {
        {"lbl_DPI6", 4},  // above the first disabled level
        {"lbl_DPI2", 4},  // inside the run
        {"lbl_DPI5", 5},  // the first disabled level
        {"lbl_DPI5", 4},  // the last enabled level
        {"lbl_DPI4", 3}, {"lbl_DPI3", 2}, {"lbl_DPI2", 1}, {"lbl_DPI1", 1},  // the only level stays
        {"lbl_DPI2", 2},
    };
    for (const auto& c : clicks) {
        click(c.label);
        ASSERT_EQ(cpi().count(), c.countAfter) << "after " << c.label;
        for (int n = 1; n <= 8; ++n) {
            const bool enabled = n <= c.countAfter;
            EXPECT_EQ(labelColour(QStringLiteral("lbl_DPI%1").arg(n)), enabled ? on : off)
                << "level " << n << " after " << c.label;
            EXPECT_EQ(widget(QStringLiteral("Img_DPI%1").arg(n))->isEnabled(), enabled);
            EXPECT_EQ(widget(QStringLiteral("Img_DPI%1_8").arg(n))->isEnabled(), enabled);
        }
    }
}

TEST_F(PagesTest, DisablingTheCurrentLevelMakesTheLevelBelowCurrent) {
    startAndRead();
    showAdvanced();
    click("Img_DPI4");
    ASSERT_EQ(cpi().current(), 4);
    EXPECT_EQ(window->picture("Img_DPI4"), "CbS_E");
    EXPECT_EQ(window->picture("Img_DPI2"), "CbS_D");

    click("lbl_DPI4");
    EXPECT_EQ(cpi().count(), 3);
    EXPECT_EQ(cpi().current(), 3);
    for (int n = 1; n <= 8; ++n) {
        EXPECT_EQ(window->picture(QStringLiteral("Img_DPI%1").arg(n)), n == 3 ? "CbS_E" : "CbS_D")
            << n;
    }
}

TEST_F(PagesTest, ValueBarsSetTheValueAndDisabledLevelsIgnoreClicks) {
    startAndRead();
    showAdvanced();
    const struct {
        int segment;
        const char* text;
    } cases[] = {{5, "1600"}, {1, "500"}, {8, "3200"}};
    for (const auto& c : cases) {
        click(QStringLiteral("Img_DPI1_%1").arg(c.segment));
        EXPECT_EQ(window->caption("lbl_DPI1Value"), c.text);
        for (int k = 1; k <= 8; ++k) {
            EXPECT_EQ(window->picture(QStringLiteral("Img_DPI1_%1").arg(k)),
                      k <= c.segment ? "Bar2_E" : "Bar2_D")
                << "segment " << k << " after a click on " << c.segment;
        }
    }

    // Level 6 is disabled: its bar and check image do nothing, its value shows.
    const QString before = window->caption("lbl_DPI6Value");
    EXPECT_FALSE(before.isEmpty());
    click("Img_DPI6_7");
    click("Img_DPI6");
    EXPECT_EQ(window->caption("lbl_DPI6Value"), before);
    EXPECT_EQ(window->picture("Img_DPI6"), "CbS_D");
    EXPECT_NE(cpi().current(), 6);
}

TEST_F(PagesTest, LevelLabelsAndFireKeyBoxesTakeTheColoursOfTheLanguagesLayout) {
    startAndRead();
    showAdvanced();
    const struct {
        int language;
        QColor enabled;
    } cases[] = {{2, QColor(255, 0, 0)}, {3, QColor(0, 255, 0)}, {1, QColor(0, 255, 0)}};
    for (const auto& c : cases) {
        switchLanguage(c.language);
        ASSERT_EQ(window->shownPage(), 2);
        const LayoutValues& layout = window->layoutValues();
        EXPECT_EQ(labelColour("lbl_DPI4"), c.enabled) << "language " << c.language;
        EXPECT_EQ(labelColour("lbl_DPI5"), *layout.cpiNotSelected) << "language " << c.language;
        for (const char* box : {"Edt_Repeat1", "Edt_DelayTime1"}) {
            const QPalette palette = widget(box)->palette();
            EXPECT_EQ(palette.color(QPalette::Text), *layout.cpiNotSelected) << box;
            EXPECT_EQ(palette.color(QPalette::Base), *layout.fireKeyBack) << box;
        }
    }
}

// --- number boxes ---

TEST_F(PagesTest, EveryNumberBoxTakesThreeDigitsAndBackspaceOnlyPastedTextToo) {
    startAndRead();
    activate();
    const QStringList advanced = {"Edt_Repeat1", "Edt_DelayTime1", "Edt_CPI1Color", "Edt_CPI7Color",
                                  "Edt_CPI8Color"};
    const QStringList light = {"edt_LEDNTMode1Time", "edt_LEDNTMode2Time",  "edt_LEDNTMode2Hold",
                               "edt_LEDNTMode3Time", "edt_LEDNTMode3Count", "edt_OffTime",
                               "edt_RiseTime",       "edt_LightTime",       "edt_FallTime"};
    auto check = [&](const QString& name) {
        QLineEdit* e = edit(name);
        ASSERT_NE(e, nullptr);
        ASSERT_NE(qobject_cast<NumberEdit*>(e), nullptr) << name.toStdString();
        e->setFocus();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Backspace);
        QTest::keyClicks(e, "a1-b2 .c");
        EXPECT_EQ(e->text(), "12") << name.toStdString();
        QTest::keyClicks(e, "34");
        EXPECT_EQ(e->text(), "123") << name.toStdString() << ": three characters at most";
        QTest::keyClick(e, Qt::Key_Backspace);
        EXPECT_EQ(e->text(), "12") << name.toStdString();
        QApplication::clipboard()->setText("x9y8");
        QTest::keySequence(e, QKeySequence::Paste);
        EXPECT_EQ(e->text(), "129") << name.toStdString() << ": pasted digits, as far as room";
        e->clearFocus();
    };
    showAdvanced();
    for (const QString& name : advanced) {
        check(name);
    }
    showLight();
    for (const QString& name : light) {
        if (widget(name)->isVisible()) {
            check(name);
        }
    }
}

TEST_F(PagesTest, LeavingABoxAppliesItsRule) {
    startAndRead();
    activate();
    window->Btn_Lang2_0Click();  // the colour boxes show in layout 2 only
    showAdvanced();
    EXPECT_TRUE(edit("Edt_Repeat1")->alignment().testFlag(Qt::AlignRight));
    EXPECT_TRUE(edit("Edt_DelayTime1")->alignment().testFlag(Qt::AlignRight));
    const struct {
        const char* box;
        const char* typed;
        const char* shown;
    } cases[] = {
        {"Edt_Repeat1", "200", "127"}, {"Edt_Repeat1", "1", "2"},
        {"Edt_Repeat1", "01", "01"},   {"Edt_DelayTime1", "", "2"},
        {"Edt_DelayTime1", "0", "0"},  {"Edt_DelayTime1", "300", "255"},
        {"Edt_CPI2Color", "12", "6"},  {"Edt_CPI2Color", "", "0"},
        {"Edt_CPI8Color", "", ""},  // level 8: no rule
        {"Edt_CPI8Color", "12", "12"},
    };
    for (const auto& c : cases) {
        type(c.box, c.typed);
        EXPECT_EQ(edit(c.box)->text(), c.shown) << c.box << " typed '" << c.typed << "'";
    }
    EXPECT_EQ(window->editor().settings().fireKey.repeat.text(), "01");

    showLight();
    type("edt_LEDNTMode2Hold", "");
    EXPECT_EQ(edit("edt_LEDNTMode2Hold")->text(), "50");
}

// --- the pointer bars ---

TEST_F(PagesTest, PointerBarsShowTheStoreAndApplyWritesTheChosenSteps) {
    pointerStore.setValue(settings::kMouseKey, settings::kMouseSensitivity, "10");
    pointerStore.setValue(settings::kMouseKey, settings::kDoubleClickSpeed, "500");
    pointerStore.setValue(settings::kDesktopKey, settings::kWheelScrollLines, "3");
    startAndRead();
    showAdvanced();
    auto lit = [&](const char* bar) {
        int count = 0;
        for (int k = 1; k <= 10; ++k) {
            const QString picture = window->picture(QStringLiteral("%1%2").arg(bar).arg(k));
            EXPECT_TRUE(picture == "Bar1_E" || picture == "Bar1_D") << picture.toStdString();
            count += picture == "Bar1_E" ? 1 : 0;
        }
        return count;
    };
    EXPECT_EQ(lit("Img_Spd"), 6);
    EXPECT_EQ(lit("Img_DbSpd"), 0) << "500 ms is no step";
    EXPECT_EQ(lit("Img_ScrSpd"), 3);
    EXPECT_EQ(window->caption("lbl_Spd10"), "10");

    click("Img_Spd9");
    click("Img_ScrSpd1");
    EXPECT_EQ(lit("Img_Spd"), 9);
    EXPECT_EQ(lit("Img_ScrSpd"), 1);
    EXPECT_TRUE(pointerStore.writes().empty()) << "a click writes nothing";

    click("Btn_Apply_2");
    EXPECT_EQ(pointerStore.value(settings::kMouseKey, settings::kMouseSensitivity), "16");
    EXPECT_EQ(pointerStore.value(settings::kMouseKey, settings::kDoubleClickSpeed), "500");
    EXPECT_EQ(pointerStore.value(settings::kDesktopKey, settings::kWheelScrollLines), "1");
    EXPECT_EQ(pointerStore.live().mouseSpeed, 16);
    EXPECT_EQ(pointerStore.live().doubleClickTime, 500);
    for (const auto& write : pointerStore.writes()) {
        EXPECT_NE(write.name, settings::kDoubleClickSpeed) << "untouched: not written";
    }
}

TEST_F(PagesTest, PointerBarClickFollowedByExitWritesNothing) {
    pointerStore.setValue(settings::kMouseKey, settings::kMouseSensitivity, "10");
    startAndRead();
    showAdvanced();
    click("Img_Spd2");
    click("Btn_Exit_2");
    EXPECT_TRUE(pointerStore.writes().empty());
    EXPECT_TRUE(pointerStore.liveCalls().empty());
}

// --- lighting ---

TEST_F(PagesTest, LightingOptionsAreStoredWithTheirBits) {
    const struct {
        const char* option;
        std::uint8_t mode;
        bool sevenColours;  // flags bit 6
    } cases[] = {
        {"lbl_LEDNTMode1", 0x81, true},
        {"lbl_LEDNTMode2", 0x81, false},
        {"lbl_LEDNTMode3", 0x82, false},  // bit 6 as option 2 left it
        {"lbl_LEDNTMode5", 0x90, false},
    };
    startAndRead();
    activate();
    showLight();
    EXPECT_EQ(window->picture("Img_LEDNTMode5"), "RdS_E") << "the default image's mode";
    click("lbl_LEDKeyOn");
    EXPECT_EQ(window->picture("Img_LEDKeyOn"), "RdS_E");
    EXPECT_EQ(window->picture("Img_LEDKeyOff"), "RdS_D");
    for (const auto& c : cases) {
        click(c.option);
        for (int n = 1; n <= 5; ++n) {
            const QString image = QStringLiteral("Img_LEDNTMode%1").arg(n);
            EXPECT_EQ(window->picture(image),
                      image.mid(4) == QString(c.option).mid(4) ? "RdS_E" : "RdS_D")
                << image.toStdString();
        }
        click("Btn_Apply_3");
        EXPECT_EQ(eeprom()[kLightMode], c.mode) << c.option;
        EXPECT_EQ(eeprom()[kLightMode + 1], 0xFF - c.mode) << c.option;
        EXPECT_EQ((eeprom()[kFlags] & 0x40) != 0, c.sevenColours) << c.option;
        // Re-read, so the next option starts from what the mouse holds.
        window->editor().Btn_Read();
        showLight();
    }
}

TEST_F(PagesTest, ColourVariantShowsOnlyItsSelector) {
    const struct {
        std::uint8_t flags;
        std::uint8_t mode;
        const char* shown;  // the selector on the page
        const char* selected;
    } cases[] = {
        // Colour variant (bit 2), synchronous (bit 3), not breathing: colour modes.
        {0xCF, 0x04, "lbl_LEDColorMode1", "Img_LEDColorMode1"},
        {0xCF, 0x10, "lbl_LEDColorMode1", "Img_LEDColorMode2"},
        // Synchronous and breathing (bit 4): the breathing selector, option 3.
        {0xDF, 0x06, "lbl_LEDColorBre1", "Img_LEDColorBre3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.selected);
        setLighting(c.flags, c.mode);
        startAndRead();
        showLight();
        const bool colourModes = QString(c.shown).startsWith("lbl_LEDColorMode");
        for (int n = 1; n <= 5; ++n) {
            EXPECT_FALSE(widget(QStringLiteral("lbl_LEDNTMode%1").arg(n))->isVisible());
            EXPECT_FALSE(widget(QStringLiteral("Img_LEDNTMode%1").arg(n))->isVisible());
        }
        EXPECT_FALSE(widget("edt_LEDNTMode1Time")->isVisible());
        EXPECT_FALSE(widget("edt_LEDNTMode3Count")->isVisible());
        EXPECT_EQ(widget("lbl_LEDColorMode2")->isVisible(), colourModes);
        EXPECT_EQ(widget("lbl_LEDColorBre4")->isVisible(), !colourModes);
        EXPECT_EQ(widget("edt_RiseTime")->isVisible(), !colourModes);
        EXPECT_TRUE(widget("lbl_MCPIOn")->isVisible()) << "the switches always show";
        EXPECT_EQ(window->picture(c.selected), "RdS_E");
        window.reset();
    }
}

TEST_F(PagesTest, ChosenBreathingOptionComesBackAfterTheNextRead) {
    setLighting(0xDF, 0x06);
    startAndRead();
    activate();
    showLight();
    click("lbl_LEDColorBre1");
    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ(window->picture(QStringLiteral("Img_LEDColorBre%1").arg(n)),
                  n == 1 ? "RdS_E" : "RdS_D");
    }
    type("edt_RiseTime", "300");
    EXPECT_EQ(edit("edt_RiseTime")->text(), "255");
    click("Btn_Apply_3");
    EXPECT_EQ(eeprom()[kFlags] & 0x18, 0x10) << "bit 3 clear, bit 4 set";
    EXPECT_EQ(eeprom()[kLightMode] & 0x1F, 0x06);
    EXPECT_EQ(eeprom()[29], 255);

    window->editor().Btn_Read();
    showLight();
    EXPECT_EQ(window->picture("Img_LEDColorBre1"), "RdS_E");
    EXPECT_EQ(edit("edt_RiseTime")->text(), "255");
}

// --- what Apply sends ---

TEST_F(PagesTest, AfterApplyTheMouseHoldsWhatThePagesShow) {
    startAndRead();
    activate();
    window->Btn_Lang2_0Click();  // the colour boxes show in layout 2 only
    showAdvanced();
    click("lbl_DPI5");           // five levels
    click("Img_DPI5_6");         // level 5: 2000
    click("Img_DPI3");           // level 3 current
    type("Edt_CPI2Color", "5");  // left
    type("Edt_Repeat1", "10");
    type("Edt_DelayTime1", "999", false);  // still being typed when applied
    click("Btn_Apply_2");

    EXPECT_EQ(edit("Edt_DelayTime1")->text(), "255") << "the box shows what was stored";
    EXPECT_EQ(eeprom()[kLevelCount], 5);
    EXPECT_EQ(eeprom()[kValues + 4], 5) << "2000 is value index 5";
    EXPECT_EQ(eeprom()[kCurrent], 2);
    EXPECT_EQ(eeprom()[kCurrent + 1], 253);
    EXPECT_EQ(eeprom()[kColours + 1], 5);
    EXPECT_EQ(eeprom()[kColours + 7], 7);
    // Key7 of the default image is the fire key: 04, repeat x 2, delay.
    EXPECT_EQ(eeprom()[kProfile + 18], 0x04);
    EXPECT_EQ(eeprom()[kProfile + 19], 20);
    EXPECT_EQ(eeprom()[kProfile + 20], 255);

    // The light page's boxes too, typed and not left.
    activate();  // the busy window had come and gone
    showLight();
    type("edt_LEDNTMode1Time", "999", false);
    click("Btn_Apply_3");
    EXPECT_EQ(eeprom()[2], 255);
    EXPECT_EQ(edit("edt_LEDNTMode1Time")->text(), "255");

    // Read back, every page shows what it showed before.
    window->editor().Btn_Read();
    window->Btn_Lang1_0Click();
    showAdvanced();
    EXPECT_EQ(cpi().count(), 5);
    EXPECT_EQ(window->caption("lbl_DPI5Value"), "2000");
    EXPECT_EQ(window->picture("Img_DPI3"), "CbS_E");
    EXPECT_EQ(edit("Edt_CPI2Color")->text(), "5");
    EXPECT_EQ(edit("Edt_Repeat1")->text(), "10");
    EXPECT_EQ(edit("Edt_DelayTime1")->text(), "255");
}

}  // namespace
}  // namespace vtr::shell

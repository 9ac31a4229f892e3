#include <QElapsedTimer>
#include <QScreen>
#include <QSignalSpy>
#include <filesystem>
#include <fstream>

#include "WindowFixture.h"
#include "device/DeviceOperations.h"
#include "image/MemoryMap.h"
#include "shell/BusyWindow.h"
#include "shell/Skin.h"
#include "shell/SkinControls.h"

namespace vtr::shell {
namespace {

namespace fs = std::filesystem;

const QString kPageButtons[] = {"Main", "Adv", "Breath", "Macro"};

// Every page button's four pictures: the selected page's SetS_02, the others
// SetS_01.
void expectPageSelected(MainWindow& window, int page) {
    for (int b = 1; b <= 4; ++b) {
        for (int n = 1; n <= 4; ++n) {
            const QString image = QStringLiteral("Img_%1_%2").arg(kPageButtons[b - 1]).arg(n);
            EXPECT_EQ(window.picture(image), b == page ? "SetS_02" : "SetS_01")
                << image.toStdString() << " with page " << page;
        }
    }
}

// --- start-up and the mouse ---

TEST_F(WindowTest, WithoutAMouseTheDefaultsShowAndEveryEditIsRefused) {
    mouse.firmware().unplug();
    start();
    window->DevTimerTimer();
    EXPECT_TRUE(prompts.messages.empty()) << "nothing plugged in or out: nothing to say";

    EXPECT_EQ(window->geometry().size(), QSize(800, 600));
    EXPECT_EQ(window->windowTitle(), "VTR6420KD Gaming Mouse v1.0");
    EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(window->shownPage(), 1);
    for (int n = 1; n <= 9; ++n) {
        EXPECT_EQ(window->caption(QStringLiteral("Key%1").arg(n)).toStdString(),
                  window->editor().settings().buttons.captionText(n));
    }
    EXPECT_EQ(window->caption("Key1"), "Left Key");

    // The keys lie under the key-area blocker: no hover reaches them.
    EXPECT_TRUE(widget("Disable")->isVisible());
    hover("Key1");
    EXPECT_EQ(window->picture("Img_Key1"), "KeyS_01");

    for (const char* button : {"Btn_Adv_1", "Btn_Macro_1", "Btn_Main_1", "Btn_Confirm_1",
                               "Btn_Apply_1", "Btn_Reset_1", "Btn_Save_1", "Btn_Load_1"}) {
        prompts.messages.clear();
        click(button);
        EXPECT_EQ(prompts.messages, std::vector<std::string>{kNoDevice}) << button;
        EXPECT_EQ(window->currentPage(), 1) << button;
        EXPECT_EQ(window->shownPage(), 1) << button;
    }
    EXPECT_TRUE(window->isVisible()) << "Confirm without a mouse keeps the window open";
    EXPECT_TRUE(prompts.filters.empty()) << "no file dialog without a mouse";
}

TEST_F(WindowTest, TheDesktopsPointerSettingsAreReadOnceTheFirstFrameIsOut) {
    pointerStore.setValue(settings::kMouseKey, settings::kMouseSensitivity, "14");
    mouse.firmware().unplug();
    start();
    QTRY_COMPARE(window->editor().pointer().speedValue(), 14);
}

TEST_F(WindowTest, FoundMouseIsReadBehindTheBusyWindowAndBlockers) {
    start();
    struct Probe {
        bool busyShown;
        bool blockersShown;
        int done;
        int total;
    };
    std::vector<Probe> probes;
    QTimer probe;
    probe.setInterval(0);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        probes.push_back({window->busyWindow().isVisible(), window->blockersShown(),
                          window->busyWindow().progressDone(),
                          window->busyWindow().progressTotal()});
    });
    probe.start();
    window->DevTimerTimer();
    probe.stop();

    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_TRUE(window->editor().deviceRead());
    EXPECT_FALSE(window->editor().errorMode());
    EXPECT_FALSE(widget("Disable")->isVisible());
    EXPECT_FALSE(window->busyWindow().isVisible());
    EXPECT_FALSE(window->blockersShown());

    const int total = device::ReadAllChunkCount(image::kDeviceType10);
    std::vector<Probe> during;
    for (const Probe& p : probes) {
        if (p.total > 0) {
            during.push_back(p);
        }
    }
    ASSERT_GT(during.size(), 10u) << "the window ran between the chunks";
    int last = 0;
    for (const Probe& p : during) {
        EXPECT_TRUE(p.busyShown);
        EXPECT_TRUE(p.blockersShown);
        EXPECT_EQ(p.total, total);
        EXPECT_GE(p.done, last);
        last = p.done;
    }
    EXPECT_GE(last, total - 1);

    click("Btn_Adv_1");
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(window->shownPage(), 2);
}

TEST_F(WindowTest, UnpluggedMouseIsReportedAndTheWindowFallsBackToPageOne) {
    startAndRead();
    click("Btn_Adv_1");
    ASSERT_EQ(window->shownPage(), 2);

    unplugAndPoll();
    EXPECT_EQ(prompts.messages, std::vector<std::string>{kNotFound});
    EXPECT_TRUE(window->editor().errorMode());
    EXPECT_EQ(window->shownPage(), 1);
    EXPECT_EQ(window->currentPage(), 2) << "the page marker stays";
    EXPECT_TRUE(widget("Disable")->isVisible());
    EXPECT_EQ(copies("Img_Main"), four("SetS_02"));
    EXPECT_EQ(copies("Img_Adv"), four("SetS_01"));

    prompts.messages.clear();
    click("Btn_Adv_1");
    EXPECT_EQ(prompts.messages, std::vector<std::string>{kNoDevice});
    EXPECT_EQ(window->shownPage(), 1);

    // Plugged in again: read, error mode off, page 1 with its keys free.
    mouse.firmware().plug();
    prompts.messages.clear();
    window->DevTimerTimer();
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_FALSE(window->editor().errorMode());
    EXPECT_EQ(window->currentPage(), 1);
    EXPECT_FALSE(widget("Disable")->isVisible());
}

TEST_F(WindowTest, MouseOfTheOtherTypeIsRefusedAndPagesStayShut) {
    mouse.firmware().eeprom() = device::MouseFirmware::FactoryEeprom(image::kDeviceType2);
    start();
    window->DevTimerTimer();
    EXPECT_EQ(prompts.messages, std::vector<std::string>{"VTR6420KDData.bin file type error"});
    EXPECT_TRUE(window->editor().errorMode());
    EXPECT_TRUE(window->editor().devicePresent());

    prompts.messages.clear();
    for (const char* button : {"Btn_Adv_1", "Btn_Macro_1"}) {
        click(button);
        EXPECT_EQ(window->shownPage(), 1) << button;
    }
    EXPECT_TRUE(prompts.messages.empty()) << "page buttons do nothing in error mode";
}

// --- pages ---

TEST_F(WindowTest, PageButtonsShowTheirPageWithTheRightPictures) {
    startAndRead();
    // The Breathing Light button lies outside the window in languages 1 and 3.
    window->Btn_Lang2_0Click();
    const struct {
        const char* button;
        int page;
    } cases[] = {{"Btn_Adv_1", 2},  {"Btn_Breath_2", 3}, {"Btn_Macro_3", 4},
                 {"Btn_Main_4", 1}, {"Btn_Macro_1", 4},  {"Btn_Adv_4", 2}};
    for (const auto& c : cases) {
        click(c.button);
        moveTo(nowhere());
        EXPECT_EQ(window->currentPage(), c.page) << c.button;
        EXPECT_EQ(window->shownPage(), c.page) << c.button;
        for (int n = 1; n <= 4; ++n) {
            EXPECT_EQ(window->control(QStringLiteral("gbPage%1").arg(n))->isVisible(), n == c.page);
        }
        expectPageSelected(*window, c.page);
        EXPECT_EQ(window->picture(QStringLiteral("Img_P%1").arg(c.page)),
                  QStringLiteral("L2_Back%1").arg(c.page));
    }
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(WindowTest, LanguageSwitchKeepsThePageAndTranslatesIt) {
    startAndRead();
    click("Btn_Adv_1");
    click("Btn_Lang3_2");
    moveTo(nowhere());

    EXPECT_EQ(window->language(), 3);
    EXPECT_EQ(window->currentPage(), 2);
    EXPECT_EQ(window->shownPage(), 2);
    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ(window->caption(QStringLiteral("Btn_Apply_%1").arg(n)), "应用");
        EXPECT_EQ(window->picture(QStringLiteral("Img_Base_%1").arg(n)), "L3_BackGround");
    }
    EXPECT_EQ(window->caption("Key1"), "左键");
    EXPECT_EQ(window->picture("Img_P2"), "L3_Back2");
    EXPECT_EQ(copies("Img_Lang3"), four("SetS_02"));
    EXPECT_EQ(copies("Img_Lang1"), four("SetS_01"));
    EXPECT_EQ(MainWindow::applicationTitle(), "USB游戏鼠标驱动");
    EXPECT_EQ(window->windowTitle(), "VTR6420KD Gaming Mouse v1.0");

    click("Btn_Lang1_2");
    EXPECT_EQ(window->caption("Btn_Apply_1"), "Apply");
    EXPECT_EQ(window->caption("Key1"), "Left Key");
    EXPECT_EQ(MainWindow::applicationTitle(), "USB Gaming Mouse");
}

TEST_F(WindowTest, LanguageSwitchInErrorModeShowsPageOne) {
    startAndRead();
    click("Btn_Adv_1");
    unplugAndPoll();
    ASSERT_TRUE(window->editor().errorMode());

    click("Btn_Lang3_1");
    EXPECT_EQ(window->language(), 3);
    EXPECT_EQ(window->shownPage(), 1);
    EXPECT_EQ(window->currentPage(), 2);
    EXPECT_EQ(window->picture("Img_P1"), "L3_Back1") << "page 1 in the new language";
}

// --- hover states and the marquee ---

TEST_F(WindowTest, HoveredApplyScrollsItsCaptionAndLeavingRestoresIt) {
    start();
    auto* label = qobject_cast<LabelButton*>(widget("Btn_Apply_1"));
    ASSERT_NE(label, nullptr);
    QSignalSpy shown(label, &LabelButton::captionChanged);
    QElapsedTimer elapsed;
    hover("Btn_Apply_1");
    elapsed.start();
    EXPECT_EQ(copies("Img_Apply"), four("BtnS_02"));
    EXPECT_TRUE(window->labelRunTimer().isActive());
    EXPECT_EQ(window->labelRunTimer().interval(), 200);

    EXPECT_TRUE(QTest::qWaitFor([&] { return shown.count() >= 5; }, 5000));
    EXPECT_GE(elapsed.elapsed(), 5 * 200 - 100);
    moveTo(nowhere());
    std::vector<QString> texts;
    for (const auto& args : shown) {
        texts.push_back(args.at(0).toString());
    }
    ASSERT_GE(texts.size(), 6u);
    EXPECT_EQ(
        std::vector<QString>(texts.begin(), texts.begin() + 5),
        (std::vector<QString>{"pply    A", "ply    Ap", "ly    App", "y    Appl", "    Apply"}));
    EXPECT_EQ(texts.back(), "Apply");
    EXPECT_EQ(label->caption(), "Apply");
    EXPECT_FALSE(window->labelRunTimer().isActive());
    EXPECT_EQ(copies("Img_Apply"), four("BtnS_01"));
}

TEST_F(WindowTest, HoveringADisabledLabelChangesItsPictureWithoutScrolling) {
    start();
    widget("Btn_Reset_1")->setEnabled(false);
    hover("Btn_Reset_1");
    EXPECT_EQ(copies("Img_Reset"), four("BtnS_02"));
    EXPECT_FALSE(window->labelRunTimer().isActive());
    QTest::qWait(450);
    EXPECT_EQ(window->caption("Btn_Reset_1"), "Reset");
    moveTo(nowhere());
    EXPECT_EQ(copies("Img_Reset"), four("BtnS_01"));
}

TEST_F(WindowTest, PressedApplyStaysPressedUntilThePointerLeaves) {
    for (const bool withMouse : {false, true}) {
        SCOPED_TRACE(withMouse ? "with a mouse" : "without a mouse");
        if (withMouse) {
            startAndRead();
        } else {
            mouse.firmware().unplug();
            start();
        }
        const int reloads = mouse.firmware().reloads();
        click("Btn_Apply_1");
        EXPECT_EQ(copies("Img_Apply"), four("BtnS_03"));
        EXPECT_EQ(mouse.firmware().reloads() > reloads, withMouse) << "written only to a mouse";
        QTest::qWait(50);
        EXPECT_EQ(copies("Img_Apply"), four("BtnS_03"));
        moveTo(nowhere());
        EXPECT_EQ(copies("Img_Apply"), four("BtnS_01"));
        window.reset();
        mouse.firmware().plug();
    }
}

TEST_F(WindowTest, LeavingAPageButtonSelectsTheCurrentPageAgain) {
    startAndRead();
    click("Btn_Adv_1");
    moveTo(nowhere());
    hover("Btn_Main_2");
    EXPECT_EQ(window->picture("Img_Main_2"), "SetS_03");
    EXPECT_EQ(window->picture("Img_Main_1"), "SetS_01") << "only the hovered copy";
    moveTo(nowhere());
    EXPECT_EQ(window->picture("Img_Main_2"), "SetS_01");
    EXPECT_EQ(copies("Img_Adv"), four("SetS_02"));

    // Leaving a language button selects the current language again.
    hover("Btn_Lang1_2");
    EXPECT_EQ(window->picture("Img_Lang1_2"), "SetS_03");
    moveTo(nowhere());
    EXPECT_EQ(copies("Img_Lang1"), four("SetS_02"));
}

TEST_F(WindowTest, KeyLabelsHoverOnceTheMouseIsRead) {
    startAndRead();
    hover("Key3");
    EXPECT_EQ(window->picture("Img_Key3"), "KeyS_02");
    EXPECT_EQ(window->picture("Img_Key1"), "KeyS_01");
    moveTo(nowhere());
    EXPECT_EQ(window->picture("Img_Key3"), "KeyS_01");
}

TEST_F(WindowTest, LanguageSwitchStartsTheMarqueeOverWithTheNewCaption) {
    startAndRead();
    auto* label = qobject_cast<LabelButton*>(widget("Btn_Lang3_1"));
    ASSERT_NE(label, nullptr);
    hover("Btn_Lang3_1");
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return window->hoverStates().marquee().ticks() >= 2; }, 3000));
    clickAt(centreOf("Btn_Lang3_1"));
    EXPECT_EQ(window->hoverStates().marquee().savedCaption(), "简体中文");
    QSignalSpy shown(label, &LabelButton::captionChanged);
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown.count() >= 1; }, 3000));
    EXPECT_EQ(shown.first().at(0).toString(), "体中文    简") << "the first tick after a switch";
    moveTo(nowhere());
    EXPECT_EQ(label->caption(), "简体中文");
}

TEST_F(WindowTest, WebButtonReactsToHoverOnlyWithAMouseAndOpensTheAddress) {
    start();
    auto* label = qobject_cast<LabelButton*>(widget("Btn_Web_1"));
    ASSERT_NE(label, nullptr);
    // The shipped layout puts the web button outside the window, where no
    // pointer reaches it; its hover is driven directly.
    emit label->entered(label);
    EXPECT_EQ(copies("Img_Web"), four("WebS_01")) << "no mouse, no hover picture";
    emit label->left(label);

    window->DevTimerTimer();
    ASSERT_TRUE(window->editor().devicePresent());
    emit label->entered(label);
    EXPECT_EQ(copies("Img_Web"), four("WebS_03"));
    EXPECT_FALSE(window->labelRunTimer().isActive()) << "the web button has no marquee";
    window->Btn_Web_0Click();
    EXPECT_EQ(copies("Img_Web"), four("WebS_02"));
    EXPECT_EQ(openedUrls, std::vector<QUrl>{window->webAddress()});
    EXPECT_TRUE(window->webAddress().isValid());
    emit label->left(label);
    EXPECT_EQ(copies("Img_Web"), four("WebS_01"));
}

// --- bottom buttons and profiles ---

TEST_F(WindowTest, ConfirmWithAMouseWritesAndCloses) {
    startAndRead();
    const int reloads = mouse.firmware().reloads();
    click("Btn_Confirm_1");
    EXPECT_GT(mouse.firmware().reloads(), reloads);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->editor().devicePresent()) << "closing lets go of the mouse";
}

TEST_F(WindowTest, SavedProfileLoadsBackThroughTheDialogs) {
    startAndRead();
    const QString saved = window->caption("Key2");
    const fs::path file = dir_ / "profile";
    prompts.files.push_back(file);
    click("Btn_Save_1");
    ASSERT_TRUE(fs::exists(dir_ / "profile.bin"));
    EXPECT_EQ(fs::file_size(dir_ / "profile.bin"), 583u);

    ASSERT_TRUE(window->editor().settings().buttons.setCode(2, "0300E9"));
    window->Btn_Main_0Click();
    ASSERT_EQ(window->caption("Key2"), "Volume +");

    prompts.files.push_back(dir_ / "profile.bin");
    click("Btn_Load_1");
    EXPECT_EQ(window->caption("Key2"), saved);
    EXPECT_EQ(prompts.filters, (std::vector<std::string>{"SaveFile(*.bin)", "LoadFile(*.bin)"}));
    EXPECT_TRUE(prompts.messages.empty());

    // A cancelled dialog changes nothing; leaving clears the pressed look.
    click("Btn_Load_1");
    EXPECT_EQ(copies("Img_Load"), four("SetS_02"));
    moveTo(nowhere());
    EXPECT_EQ(copies("Img_Load"), four("SetS_01"));
    EXPECT_EQ(window->caption("Key2"), saved);
}

// --- the window itself ---

TEST_F(WindowTest, BusyWindowSitsBelowTheMiddleOfTheWindow) {
    start();
    const QRect main = window->geometry();
    const QScreen* screen = QGuiApplication::primaryScreen();
    EXPECT_EQ(main.left(), screen->geometry().left() + (screen->geometry().width() - 800) / 2);
    EXPECT_EQ(main.top(), screen->geometry().top() + (screen->geometry().height() - 600) / 2);
    BusyWindow& busy = window->busyWindow();
    EXPECT_EQ(busy.size(), QSize(206, 196));
    EXPECT_EQ(busy.pos(), QPoint(main.left() + 297, main.top() + 202 + 40));
    EXPECT_TRUE(busy.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(busy.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_GE(busy.frameCount(), 1);
}

TEST_F(WindowTest, DraggingTheBackgroundMovesTheWindowAndButtonsDoNot) {
    start();
    const QPoint before = window->pos();
    const QPoint press(5, 300);
    ASSERT_EQ(window->childAt(press)->objectName(), "Img_Base_1");
    QTest::mousePress(window->windowHandle(), Qt::LeftButton, {}, press);
    QTest::mouseMove(window->windowHandle(), press + QPoint(30, 20));
    // The window went with the pointer, which therefore rests on the same
    // point of the window again.
    QTest::mouseRelease(window->windowHandle(), Qt::LeftButton, {}, press);
    QApplication::processEvents();
    EXPECT_EQ(window->pos(), before + QPoint(30, 20));

    const QPoint moved = window->pos();
    const QPoint button = centreOf("Btn_Exit_1");
    QTest::mousePress(window->windowHandle(), Qt::RightButton, {}, button);
    QTest::mouseMove(window->windowHandle(), button + QPoint(30, 20));
    QTest::mouseRelease(window->windowHandle(), Qt::RightButton, {}, button + QPoint(30, 20));
    EXPECT_EQ(window->pos(), moved);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(WindowTest, WindowTakesTheShapeOfItsPictures) {
    start();
    const QRegion shape = window->mask();
    ASSERT_FALSE(shape.isEmpty());
    // The background covers the top 568 rows; below it only controls show.
    const QImage background = Skin::image("L1_BackGround");
    int checked = 0;
    for (int y = 0; y < background.height(); y += 37) {
        for (int x = 0; x < background.width(); x += 41) {
            if (window->childAt(x, y) != widget("Img_Base_1")) {
                continue;
            }
            EXPECT_EQ(shape.contains(QPoint(x, y)), qAlpha(background.pixel(x, y)) != 0)
                << x << "," << y;
            ++checked;
        }
    }
    EXPECT_GT(checked, 100);
    for (int x = 0; x < 800; x += 7) {
        const QPoint below(x, 590);
        if (window->childAt(below) == nullptr) {
            EXPECT_FALSE(shape.contains(below)) << x;
        }
    }
}

}  // namespace
}  // namespace vtr::shell

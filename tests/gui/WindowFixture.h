#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWindow>
#include <memory>
#include <vector>

#include "QtPrinters.h"
#include "device/Clock.h"
#include "device/SimulatedMouse.h"
#include "editor/ScriptedPrompts.h"
#include "settings/MemoryPointerStore.h"
#include "shell/MainWindow.h"
#include "support/TempDir.h"

namespace vtr::shell {

// The real main window on the offscreen platform, with the simulated mouse, a
// virtual clock (the editor's waits take no time), scripted dialogs and no
// automatic hot-plug poll: tests poll when they mean to. Input goes through
// the window, so blockers and hit-testing work as for a user.
class WindowTest : public vtr::testing::TempDirTest {
  protected:
    static constexpr const char* kNoDevice = "The specified device not find";
    static constexpr const char* kNotFound =
        "No Device Found\rPlease check your device is attached to USB port";

    void TearDown() override {
        window.reset();
        TempDirTest::TearDown();
    }

    MainWindow& start() {
        window = std::make_unique<MainWindow>(
            MainWindow::Services{mouse, clock, pointerStore, &prompts,
                                 [this](const QUrl& url) { openedUrls.push_back(url); }, false});
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        // The pointer comes into the window over the background.
        moveTo(nowhere() + QPoint(2, 2));
        moveTo(nowhere());
        return *window;
    }

    // Start-up, then the first poll: the mouse is found and read.
    MainWindow& startAndRead() {
        start();
        window->DevTimerTimer();
        EXPECT_TRUE(window->editor().deviceRead());
        prompts.messages.clear();
        return *window;
    }

    void unplugAndPoll() {
        mouse.firmware().unplug();
        window->DevTimerTimer();
    }

    QWidget* widget(const QString& name) {
        QWidget* w = window->control(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }

    // The middle of a control, in window coordinates.
    QPoint centreOf(const QString& name) {
        QWidget* w = widget(name);
        return w == nullptr ? QPoint() : w->mapTo(window.get(), w->rect().center());
    }

    // A point over nothing but the page background.
    static QPoint nowhere() { return {3, 3}; }

    // The language buttons' handler for language 1, 2 or 3.
    void switchLanguage(int language) {
        switch (language) {
            case 1:
                window->Btn_Lang1_0Click();
                break;
            case 2:
                window->Btn_Lang2_0Click();
                break;
            default:
                window->Btn_Lang3_0Click();
                break;
        }
    }

    void moveTo(QPoint point) {
        QTest::mouseMove(window->windowHandle(), point);
        QApplication::processEvents();
    }
    void hover(const QString& name) { moveTo(centreOf(name)); }
    void clickAt(QPoint point) {
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, point);
        QApplication::processEvents();
    }
    // A click on a control the user can reach: visible and inside the window.
    void click(const QString& name) {
        QWidget* w = widget(name);
        ASSERT_NE(w, nullptr);
        ASSERT_TRUE(w->isVisible()) << name.toStdString();
        const QPoint point = centreOf(name);
        ASSERT_TRUE(window->rect().contains(point)) << name.toStdString();
        moveTo(point);
        clickAt(point);
    }

    // The pictures of the four copies of a shared button's image.
    std::vector<QString> copies(const QString& image) {
        std::vector<QString> pictures;
        for (int n = 1; n <= 4; ++n) {
            pictures.push_back(window->picture(image + QStringLiteral("_%1").arg(n)));
        }
        return pictures;
    }
    static std::vector<QString> four(const QString& picture) {
        return {picture, picture, picture, picture};
    }

    device::SimulatedMouse mouse;
    device::VirtualClock clock;
    settings::MemoryPointerStore pointerStore;
    editor::ScriptedPrompts prompts;
    std::vector<QUrl> openedUrls;
    std::unique_ptr<MainWindow> window;
};

}  // namespace vtr::shell

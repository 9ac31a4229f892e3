// The system-wide capture against a real X server (an Xvfb of the test's own),
// driven with xdotool as a user would type and click; and its refusal, with a
// text for the user, where no X server can be reached.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QThread>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/InputCapture.h"
#include "platform/X11InputCapture.h"

namespace vtr::platform {
namespace {

using namespace std::chrono_literals;

// Sets an environment variable (or removes it, for nullopt) for one scope.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        if (value) {
            setenv(name, value->c_str(), 1);
        } else {
            unsetenv(name);
        }
    }
    ~ScopedEnv() {
        if (old_) {
            setenv(name_, old_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

// What a sink received, as "+41" / "-41" for keys (hexadecimal) and
// "+Right" / "-Right" for buttons, and whether all of it came on the thread
// that started the capture.
struct Received {
    std::vector<std::string> events;
    bool onStartingThread = true;

    CaptureSink sink() {
        QThread* starter = QThread::currentThread();
        return CaptureSink{
            [this, starter](std::uint16_t vk, bool down) {
                char text[8];
                std::snprintf(text, sizeof text, "%c%X", down ? '+' : '-', vk);
                events.emplace_back(text);
                onStartingThread = onStartingThread && QThread::currentThread() == starter;
            },
            [this, starter](CaptureButton button, bool press) {
                static const char* const names[] = {"Left", "Right", "Middle", "Forward",
                                                    "Backward"};
                events.push_back(std::string(press ? "+" : "-") + names[static_cast<int>(button)]);
                onStartingThread = onStartingThread && QThread::currentThread() == starter;
            }};
    }
};

// Runs the event loop until `done` or the time is up.
template <typename Done>
void ProcessEventsUntil(Done done, std::chrono::milliseconds limit) {
    QDeadlineTimer deadline(limit);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        std::this_thread::sleep_for(5ms);
    }
}

void ProcessEventsFor(std::chrono::milliseconds time) {
    ProcessEventsUntil([] { return false; }, time);
}

TEST(NoXServer, StartSaysThatRecordingNeedsAnXServer) {
    struct Case {
        const char* what;
        std::optional<std::string> display;
        std::optional<std::string> wayland;
        std::vector<std::string> said;
    };
    const Case cases[] = {
        {"a text console", std::nullopt, std::nullopt, {"needs an X server", "DISPLAY is not set"}},
        {"an empty DISPLAY", "", std::nullopt, {"needs an X server", "DISPLAY is not set"}},
        {"Wayland without XWayland",
         std::nullopt,
         "wayland-0",
         {"needs an X server", "Wayland", "XWayland"}},
        {"an X server that is not there", ":239", std::nullopt, {"\":239\"", "cannot be reached"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScopedEnv display("DISPLAY", c.display);
        ScopedEnv wayland("WAYLAND_DISPLAY", c.wayland);
        Received received;
        for (const std::unique_ptr<InputCapture>& capture :
             {OpenSystemInputCapture(), std::unique_ptr<InputCapture>(new X11InputCapture)}) {
            std::string error;
            EXPECT_FALSE(capture->start(received.sink(), error));
            for (const std::string& part : c.said) {
                EXPECT_NE(error.find(part), std::string::npos) << error;
            }
            EXPECT_FALSE(capture->running());
            capture->stop();
        }
        ProcessEventsFor(20ms);
        EXPECT_TRUE(received.events.empty());
    }
}

// An X server of the test's own, on a display number nobody uses.
class Xvfb {
  public:
    Xvfb() {
        for (int number = 171; number < 230; ++number) {
            const QString socket = QString("/tmp/.X11-unix/X%1").arg(number);
            const QString lock = QString("/tmp/.X%1-lock").arg(number);
            if (QFileInfo::exists(socket) || QFileInfo::exists(lock)) {
                continue;
            }
            process_.start("Xvfb", {QString(":%1").arg(number), "-screen", "0", "640x480x24",
                                    "-nolisten", "tcp", "-noreset"});
            if (!process_.waitForStarted(5000)) {
                return;
            }
            QDeadlineTimer deadline(5000);
            while (!QFileInfo::exists(socket) && !deadline.hasExpired() &&
                   process_.state() == QProcess::Running) {
                QThread::msleep(10);
            }
            if (QFileInfo::exists(socket) && process_.state() == QProcess::Running) {
                display_ = ":" + std::to_string(number);
                return;
            }
            process_.kill();
            process_.waitForFinished();
        }
    }
    ~Xvfb() { kill(); }
    void kill() {
        // Asked to end, the server removes its socket and lock file.
        if (process_.state() != QProcess::NotRunning) {
            process_.terminate();
            if (!process_.waitForFinished(5000)) {
                process_.kill();
                process_.waitForFinished();
            }
        }
    }
    const std::string& display() const { return display_; }

  private:
    QProcess process_;
    std::string display_;
};

// xdotool on the display of the test's X server.
void Xdotool(const QStringList& arguments) {
    QProcess process;
    process.start("xdotool", arguments);
    ASSERT_TRUE(process.waitForFinished(10000)) << arguments.join(' ').toStdString();
    ASSERT_EQ(process.exitCode(), 0)
        << arguments.join(' ').toStdString() << process.readAllStandardError().toStdString();
}

class XServer : public testing::Test {
  protected:
    static void SetUpTestSuite() { server_ = new Xvfb; }
    static void TearDownTestSuite() {
        delete server_;
        server_ = nullptr;
    }
    void SetUp() override {
        ASSERT_FALSE(server_->display().empty()) << "Xvfb did not start";
        display_.emplace("DISPLAY", server_->display());
    }

    // Starts `capture` into `received`, runs each xdotool command and waits
    // until `count` events came (or two seconds passed).
    static void Drive(InputCapture& capture, Received& received,
                      const std::vector<QStringList>& commands, std::size_t count) {
        std::string error;
        ASSERT_TRUE(capture.start(received.sink(), error)) << error;
        EXPECT_TRUE(capture.running());
        for (const QStringList& command : commands) {
            Xdotool(command);
        }
        ProcessEventsUntil([&] { return received.events.size() >= count; }, 2000ms);
    }

    static Xvfb* server_;
    std::optional<ScopedEnv> display_;
};

Xvfb* XServer::server_ = nullptr;

TEST_F(XServer, ReportsKeysAndButtonsInTheOrderTheyCame) {
    const std::unique_ptr<InputCapture> capture = OpenSystemInputCapture();
    Received received;
    Drive(*capture, received,
          {{"key", "a"}, {"key", "shift+b"}, {"click", "3"}, {"key", "105"}},  // 105: right Ctrl
          10);
    // Nothing more comes: xdotool releases its modifiers twice (first with the
    // key, then again), and the second release is not reported.
    ProcessEventsFor(200ms);
    capture->stop();
    EXPECT_EQ(received.events, (std::vector<std::string>{"+41", "-41", "+10", "+42", "-10", "-42",
                                                         "+Right", "-Right", "+11", "-11"}));
    EXPECT_TRUE(received.onStartingThread);
}

TEST_F(XServer, KnowsTheKeypadByNumLockOtherButtonsAndKeysByTheirPlace) {
    X11InputCapture capture;
    Received received;
    // Keycode 87 is keypad 1; 191 is F13, which the server's keymap has not
    // got; buttons 4 and 5 are the wheel.
    Drive(capture, received,
          {{"key", "87"},
           {"key", "Num_Lock"},
           {"key", "87"},
           {"key", "Num_Lock"},
           {"key", "191"},
           {"click", "4"},
           {"click", "5"},
           {"click", "2"},
           {"click", "8"},
           {"click", "9"},
           {"click", "1"},
           {"key", "super+Menu"}},
          22);
    ProcessEventsFor(200ms);
    capture.stop();
    EXPECT_EQ(received.events,
              (std::vector<std::string>{"+23",      "-23",     "+90",       "-90",       "+61",
                                        "-61",      "+90",     "-90",       "+7C",       "-7C",
                                        "+Middle",  "-Middle", "+Backward", "-Backward", "+Forward",
                                        "-Forward", "+Left",   "-Left",     "+5B",       "+5D",
                                        "-5B",      "-5D"}));
}

TEST_F(XServer, NothingReachesTheSinkAfterStop) {
    X11InputCapture capture;
    Received first;
    std::string error;
    ASSERT_TRUE(capture.start(first.sink(), error)) << error;
    // The key's events are read and posted while the event loop does not
    // run; stop comes before they are delivered.
    Xdotool({"key", "a"});
    std::this_thread::sleep_for(300ms);
    capture.stop();
    EXPECT_FALSE(capture.running());
    Xdotool({"key", "b"});
    ProcessEventsFor(300ms);
    EXPECT_TRUE(first.events.empty());

    // A new start reports to its own sink only.
    Received second;
    Drive(capture, second, {{"key", "c"}}, 2);
    capture.stop();
    EXPECT_EQ(second.events, (std::vector<std::string>{"+43", "-43"}));
    EXPECT_TRUE(first.events.empty());
}

TEST_F(XServer, TheSinkMayStopTheCapture) {
    X11InputCapture capture;
    std::vector<std::string> events;
    CaptureSink sink;
    sink.key = [&](std::uint16_t vk, bool down) {
        events.push_back(std::to_string(vk) + (down ? " down" : " up"));
        capture.stop();
    };
    std::string error;
    ASSERT_TRUE(capture.start(sink, error)) << error;
    Xdotool({"key", "a"});
    ProcessEventsFor(400ms);
    EXPECT_FALSE(capture.running());
    EXPECT_EQ(events, (std::vector<std::string>{"65 down"}));
}

// The program must outlive an X server that goes away while it records
// (Xlib's default would end the program).
TEST(XServerGone, TheCaptureStopsReportingAndTheProgramGoesOn) {
    Xvfb server;
    ASSERT_FALSE(server.display().empty()) << "Xvfb did not start";
    ScopedEnv display("DISPLAY", server.display());
    X11InputCapture capture;
    Received received;
    std::string error;
    ASSERT_TRUE(capture.start(received.sink(), error)) << error;
    Xdotool({"key", "a"});
    ProcessEventsUntil([&] { return received.events.size() >= 2; }, 2000ms);
    server.kill();
    ProcessEventsFor(300ms);
    capture.stop();
    EXPECT_FALSE(capture.running());
    EXPECT_EQ(received.events, (std::vector<std::string>{"+41", "-41"}));
}

}  // namespace
}  // namespace vtr::platform

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <deque>
#include <fstream>
#include <functional>

#include "QtPrinters.h"
#include "shell/DialogPrompts.h"
#include "shell/SingleInstance.h"
#include "shell/WindowClock.h"
#include "support/TempDir.h"

namespace vtr::shell {
namespace {

namespace fs = std::filesystem;

// Answers the modal dialogs as they come up, one handler each, in order.
class DialogScript {
  public:
    using Handler = std::function<void(QWidget*)>;

    explicit DialogScript(std::deque<Handler> handlers) : handlers_(std::move(handlers)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start(10);
    }
    bool done() const { return handlers_.empty(); }

  private:
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
            return;
        }
        if (modal == last_ || handlers_.empty()) {
            // A dialog nobody answers would hang the test: give up on it.
            if (++stuckPolls_ > kStuckPolls) {
                ADD_FAILURE() << "a " << modal->metaObject()->className() << " was left open";
                stuckPolls_ = 0;
                if (auto* dialog = qobject_cast<QDialog*>(modal)) {
                    dialog->reject();
                }
            }
            return;
        }
        stuckPolls_ = 0;
        last_ = modal;
        Handler handler = std::move(handlers_.front());
        handlers_.pop_front();
        handler(modal);
    }

    static constexpr int kStuckPolls = 300;  // 3 s

    std::deque<Handler> handlers_;
    QTimer timer_;
    int stuckPolls_ = 0;
    QPointer<QWidget> last_;
};

// Types the file's full name into the dialog and accepts it, as a user does.
void acceptFile(QFileDialog* dialog, const QString& file) {
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    name->setText(file);
    QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
}

class DialogsTest : public vtr::testing::TempDirTest {
  protected:
    QWidget parent;
    DialogPrompts prompts{&parent, [] { return QStringLiteral("USB Gaming Mouse"); }};
};

TEST_F(DialogsTest, MessageIsAPlainBoxWithOneOkAndTheTitle) {
    QString text;
    QString title;
    int buttons = 0;
    QMessageBox::Icon icon = QMessageBox::Information;
    DialogScript script({[&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        text = box->text();
        title = box->windowTitle();
        icon = box->icon();
        buttons = static_cast<int>(box->buttons().size());
        box->button(QMessageBox::Ok)->click();
    }});
    prompts.message("No Device Found\rPlease check your device is attached to USB port");
    EXPECT_TRUE(script.done());
    EXPECT_EQ(text, "No Device Found\nPlease check your device is attached to USB port");
    EXPECT_EQ(title, "USB Gaming Mouse");
    EXPECT_EQ(icon, QMessageBox::NoIcon);
    EXPECT_EQ(buttons, 1);
}

TEST_F(DialogsTest, QuestionAnswersYesOrNo) {
    for (const bool yes : {true, false}) {
        DialogScript script({[yes](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
        }});
        EXPECT_EQ(prompts.question("OK for clear macro?"), yes);
    }
}

TEST_F(DialogsTest, SaveDialogAddsBinAndAsksBeforeReplacing) {
    std::ofstream(dir_ / "old.bin") << "x";
    const QString chosen = QString::fromStdString((dir_ / "old").string());
    QStringList filters;
    auto choose = [&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        filters = dialog->nameFilters();
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        acceptFile(dialog, chosen);
    };
    auto answer = [](QMessageBox::StandardButton button) {
        return [button](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            EXPECT_TRUE(box->text().contains("old.bin"));
            box->button(button)->click();
        };
    };
    {
        DialogScript script({choose, answer(QMessageBox::Yes)});
        const auto file = prompts.saveFile({"SaveFile(*.bin)", "*.bin"});
        EXPECT_TRUE(script.done());
        ASSERT_TRUE(file);
        EXPECT_EQ(*file, dir_ / "old.bin");
        EXPECT_EQ(filters, QStringList{"SaveFile(*.bin)"});
    }
    {
        // "No" opens the dialog again; cancelling it saves nothing.
        DialogScript script({choose, answer(QMessageBox::No), [](QWidget* modal) {
                                 auto* dialog = qobject_cast<QFileDialog*>(modal);
                                 ASSERT_NE(dialog, nullptr);
                                 dialog->reject();
                             }});
        EXPECT_FALSE(prompts.saveFile({"SaveFile(*.bin)", "*.bin"}));
        EXPECT_TRUE(script.done());
    }
    {
        // A new name is not asked about.
        DialogScript script({[&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            acceptFile(dialog, QString::fromStdString((dir_ / "new.BIN").string()));
        }});
        EXPECT_EQ(prompts.saveFile({"SaveFile(*.bin)", "*.bin"}), dir_ / "new.BIN");
    }
}

TEST_F(DialogsTest, OpenDialogOffersTheLoadFilter) {
    std::ofstream(dir_ / "profile.bin") << "x";
    QStringList filters;
    DialogScript script({[&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        filters = dialog->nameFilters();
        EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
        acceptFile(dialog, QString::fromStdString((dir_ / "profile.bin").string()));
    }});
    EXPECT_EQ(prompts.openFile({"LoadFile(*.bin)", "*.bin"}), dir_ / "profile.bin");
    EXPECT_EQ(filters, QStringList{"LoadFile(*.bin)"});
}

// --- one editor per user ---

class SingleInstanceTest : public vtr::testing::TempDirTest {
  protected:
    QString name() const {
        return QStringLiteral("vtr6420kd-test-%1").arg(QCoreApplication::applicationPid());
    }
    QString lockFolder() const { return QString::fromStdString(dir_.string()); }
};

TEST_F(SingleInstanceTest, SecondStartRaisesTheFirstAndStepsBack) {
    SingleInstance first(name(), lockFolder());
    ASSERT_TRUE(first.claim());
    int raised = 0;
    QObject::connect(&first, &SingleInstance::activationRequested, [&] { ++raised; });

    SingleInstance second(name(), lockFolder());
    EXPECT_FALSE(second.claim());
    EXPECT_TRUE(QTest::qWaitFor([&] { return raised == 1; }, 3000));
}

TEST_F(SingleInstanceTest, SocketLeftByAKilledEditorDoesNotStopTheNextStart) {
    SingleInstance probe(name(), lockFolder());
    const QString socketPath = QDir(QDir::tempPath()).filePath(probe.serverName());
    { std::ofstream(socketPath.toStdString()) << "left behind"; }
    ASSERT_TRUE(QFile::exists(socketPath));
    SingleInstance first(name(), lockFolder());
    EXPECT_TRUE(first.claim());
    SingleInstance second(name(), lockFolder());
    EXPECT_FALSE(second.claim()) << "the new one is found";
}

TEST_F(SingleInstanceTest, InstancesOfOtherNamesDoNotMeet) {
    SingleInstance first(name() + "-a", lockFolder());
    SingleInstance second(name() + "-b", lockFolder());
    EXPECT_TRUE(first.claim());
    EXPECT_TRUE(second.claim());
}

TEST_F(SingleInstanceTest, TheSocketIsItsUsersAloneAndGoesWithTheEditor) {
    QString path;
    {
        SingleInstance first(name(), lockFolder());
        ASSERT_TRUE(first.claim());
        path = QDir(QDir::tempPath()).filePath(first.serverName());
        const QFileInfo info(path);
        ASSERT_TRUE(info.exists());
        EXPECT_EQ(info.permissions() &
                      (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
                  QFile::Permissions());
    }
    EXPECT_FALSE(QFileInfo::exists(path));
    SingleInstance next(name(), lockFolder());
    EXPECT_TRUE(next.claim());
}

TEST_F(SingleInstanceTest, EachDisplayHasItsOwnEditor) {
    const QByteArray display = qgetenv("DISPLAY");
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");
    qputenv("DISPLAY", ":61");
    SingleInstance first(name(), lockFolder());
    qputenv("DISPLAY", "localhost:62.0");
    SingleInstance other(name(), lockFolder());
    SingleInstance otherAgain(name(), lockFolder());
    qputenv("DISPLAY", display);
    if (!wayland.isEmpty()) {
        qputenv("WAYLAND_DISPLAY", wayland);
    }
    EXPECT_NE(first.serverName(), other.serverName());
    EXPECT_FALSE(other.serverName().contains(QLatin1Char(':'))) << "a plain socket name";
    EXPECT_TRUE(first.claim());
    EXPECT_TRUE(other.claim());
    EXPECT_FALSE(otherAgain.claim());
}

// --- the clock's long sleeps ---

TEST(WindowClockTest, LongSleepsKeepTimersRunningAndShortOnesDoNot) {
    WindowClock clock;
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(5);

    clock.sleepMs(WindowClock::kStepMs);
    EXPECT_EQ(ticks, 0);

    const std::uint64_t before = clock.nowMs();
    clock.sleepMs(150);
    EXPECT_GE(clock.nowMs() - before, 150u);
    EXPECT_GE(ticks, 5);
}

}  // namespace
}  // namespace vtr::shell

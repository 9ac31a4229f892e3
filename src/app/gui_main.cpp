#include <QApplication>
#include <QMessageBox>
#include <cstdio>

#include "app/SimulateOption.h"
#include "device/hidapi_backend.h"
#include "platform/SystemPointerStore.h"
#include "shell/FontWarmup.h"
#include "shell/MainWindow.h"
#include "shell/PaintTrace.h"
#include "shell/SingleInstance.h"
#include "shell/WindowClock.h"

namespace {

constexpr const char* kApplicationTitle = "VTR6420KD Gaming Mouse";

void usage() {
    std::fprintf(stderr,
                 "usage: vtr6420kd [--simulate[=FILE]] [--simulate-type=2|10]\n"
                 "  without options the editor works with the mouse on USB;\n"
                 "  --simulate uses a simulated mouse whose memory is kept in FILE\n");
}

}  // namespace

int main(int argc, char** argv) {
    vtr::shell::TraceMark("main");
    // Decoding the first page's pictures overlaps the start of Qt.
    vtr::shell::MainWindow::PrefetchStartPictures();
    QApplication app(argc, argv);
    vtr::shell::TraceMark("application");
    QApplication::setApplicationName("vtr6420kd");
    QApplication::setApplicationDisplayName(kApplicationTitle);

    vtr::app::SimulateOption simulate;
    const auto defaultFile = vtr::app::DefaultSimulateFile();
    for (const QString& arg : QApplication::arguments().mid(1)) {
        if (arg == "--help" || arg == "-h") {
            usage();
            return 0;
        }
        std::string error;
        if (!vtr::app::ParseSimulateArgument(arg.toStdString(), defaultFile, simulate, error)) {
            std::fprintf(stderr, "vtr6420kd: unknown option '%s'\n", qPrintable(arg));
            usage();
            return 2;
        }
        if (!error.empty()) {
            std::fprintf(stderr, "vtr6420kd: %s\n", error.c_str());
            return 2;
        }
    }

    // A second start brings the running editor to the front and ends.
    vtr::shell::SingleInstance instance("vtr6420kd");
    if (!instance.claim()) {
        return 0;
    }
    vtr::shell::TraceMark("single-instance");
    // The font list is read while the window is built.
    const vtr::shell::FontWarmup fonts;

    std::unique_ptr<vtr::device::HidBackend> backend;
    if (simulate.file) {
        std::string error;
        backend = vtr::app::OpenSimulatedMouse(simulate, error);
        if (!backend) {
            QMessageBox::critical(nullptr, kApplicationTitle, QString::fromStdString(error));
            return 2;
        }
    } else {
        backend = std::make_unique<vtr::device::HidapiBackend>();
    }
    const auto pointerStore = vtr::platform::OpenSystemPointerStore();
    vtr::shell::WindowClock clock;
    vtr::shell::TraceMark("services");

    vtr::shell::MainWindow window({*backend, clock, *pointerStore});
    QObject::connect(&instance, &vtr::shell::SingleInstance::activationRequested, &window,
                     [&window] {
                         window.showNormal();
                         window.raise();
                         window.activateWindow();
                     });
    vtr::shell::TraceMark("window");
    window.show();
    vtr::shell::TraceMark("shown");
    return QApplication::exec();
}

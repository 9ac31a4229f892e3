#include <QApplication>
#include <QMessageBox>
#include <cstdio>

#include "app/SimulateOption.h"
#include "device/hidapi_backend.h"
#include "shell/MainWindow.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("VTR6420KD Gaming Mouse");

    vtr::app::SimulateOption simulate;
    const auto defaultFile = vtr::app::DefaultSimulateFile();
    for (const QString& arg : QApplication::arguments().mid(1)) {
        std::string error;
        if (!vtr::app::ParseSimulateArgument(arg.toStdString(), defaultFile, simulate, error)) {
            std::fprintf(stderr, "vtr6420kd: unknown option '%s'\n", qPrintable(arg));
            return 2;
        }
        if (!error.empty()) {
            std::fprintf(stderr, "vtr6420kd: %s\n", error.c_str());
            return 2;
        }
    }

    std::unique_ptr<vtr::device::HidBackend> backend;
    QString backendName;
    if (simulate.file) {
        std::string error;
        backend = vtr::app::OpenSimulatedMouse(simulate, error);
        if (!backend) {
            QMessageBox::critical(nullptr, "VTR6420KD Gaming Mouse", QString::fromStdString(error));
            return 2;
        }
        backendName = QObject::tr("simulated mouse (%1)")
                          .arg(QString::fromStdString(simulate.file->string()));
    } else {
        backend = std::make_unique<vtr::device::HidapiBackend>();
        backendName = QObject::tr("USB");
    }

    vtr::shell::MainWindow window(std::move(backend), backendName);
    window.show();
    return QApplication::exec();
}

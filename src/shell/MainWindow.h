#pragma once

#include <QWidget>
#include <memory>

#include "device/Clock.h"
#include "device/HidBackend.h"
#include "device/Transport.h"
#include "image/ConfigImage.h"

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTimer;

namespace vtr::shell {

// The editor's window: finds the mouse, reads its whole configuration memory
// and shows it. Transfers keep the window alive between chunks and show their
// progress.
class MainWindow final : public QWidget {
    Q_OBJECT
  public:
    static constexpr const char* kTitle = "VTR6420KD Gaming Mouse v1.0";

    MainWindow(std::unique_ptr<device::HidBackend> backend, QString backendName);
    ~MainWindow() override;

  private:
    void poll();
    void readMouse();
    void showImage(int deviceType);
    void setBusy(bool busy);

    std::unique_ptr<device::HidBackend> backend_;
    device::SystemClock clock_;
    device::Transport transport_;
    image::ConfigImage dataBuf_;
    int previousCount_ = -1;
    bool busy_ = false;

    QLabel* status_ = nullptr;
    QPushButton* readButton_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPlainTextEdit* view_ = nullptr;
    QTimer* poll_ = nullptr;
};

}  // namespace vtr::shell

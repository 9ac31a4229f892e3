#include "shell/MainWindow.h"

#include <QApplication>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "device/DeviceOperations.h"
#include "device/Protocol.h"
#include "image/DefaultImage.h"

namespace vtr::shell {

namespace {

constexpr int kPollIntervalMs = 3500;

QString hexRows(std::span<const std::uint8_t> bytes, int address) {
    QString text;
    for (std::size_t i = 0; i < bytes.size(); i += 16) {
        text += QStringLiteral("%1 ").arg(address + static_cast<int>(i), 4, 10, QChar(' '));
        for (std::size_t j = i; j < std::min(bytes.size(), i + 16); ++j) {
            text += QStringLiteral(" %1").arg(bytes[j], 2, 16, QChar('0')).toUpper();
        }
        text += '\n';
    }
    return text;
}

}  // namespace

MainWindow::MainWindow(std::unique_ptr<device::HidBackend> backend, QString backendName)
    : backend_(std::move(backend)), transport_(*backend_, clock_) {
    setWindowTitle(kTitle);
    resize(800, 600);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    status_ = new QLabel(this);
    readButton_ = new QPushButton(tr("Read"), this);
    top->addWidget(new QLabel(tr("Source: %1").arg(backendName), this));
    top->addStretch();
    top->addWidget(status_);
    top->addWidget(readButton_);
    layout->addLayout(top);
    progress_ = new QProgressBar(this);
    progress_->setVisible(false);
    layout->addWidget(progress_);
    view_ = new QPlainTextEdit(this);
    view_->setReadOnly(true);
    view_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(view_);

    connect(readButton_, &QPushButton::clicked, this, &MainWindow::readMouse);

    // Until a mouse is read the window shows the built-in defaults.
    image::LoadDefaultImage(dataBuf_);
    showImage(image::ReadDefaultHeader().imageType());
    status_->setText(tr("Looking for the mouse..."));
    readButton_->setEnabled(false);

    poll_ = new QTimer(this);
    poll_->setInterval(kPollIntervalMs);
    connect(poll_, &QTimer::timeout, this, &MainWindow::poll);
    poll_->start();
    QTimer::singleShot(0, this, &MainWindow::poll);
}

MainWindow::~MainWindow() {
    transport_.CloseDevice();
}

void MainWindow::setBusy(bool busy) {
    busy_ = busy;
    readButton_->setEnabled(!busy && transport_.devicePresent());
    progress_->setVisible(busy);
    if (busy) {
        poll_->stop();
    } else {
        poll_->start();
    }
}

void MainWindow::poll() {
    if (busy_) {
        return;
    }
    const int count = transport_.CountHidDevices();
    if (count == previousCount_) {
        return;
    }
    const bool rose = count > previousCount_;
    previousCount_ = count;
    if (!rose) {
        transport_.CloseDevice();
        status_->setText(tr("No Device Found"));
        readButton_->setEnabled(false);
        return;
    }
    if (transport_.OpenDevice(device::protocol::kVendorId, device::protocol::kProductId)) {
        readButton_->setEnabled(true);
        readMouse();
    } else {
        status_->setText(tr("No Device Found"));
    }
}

void MainWindow::readMouse() {
    if (busy_ || !transport_.devicePresent()) {
        return;
    }
    setBusy(true);
    status_->setText(tr("Reading..."));
    int type = 0;
    int done = 0;
    device::TransferTotals totals;
    const auto result = device::ConfigTransaction(transport_, [&](device::Transport& t) {
        type = device::ReadDeviceType(t);
        if (type == 0) {
            return false;
        }
        progress_->setRange(0, device::ReadAllChunkCount(type));
        t.setBetweenChunks([&](int, int) {
            progress_->setValue(++done);
            QApplication::processEvents();
        });
        image::ConfigImage read;
        totals = device::ReadAllAreas(t, type, read);
        t.setBetweenChunks(nullptr);
        if (totals.ok()) {
            dataBuf_ = read;
        }
        return totals.ok();
    });
    setBusy(false);
    if (result.bodyOk) {
        status_->setText(tr("Mouse read: device type %1").arg(type));
        showImage(type);
    } else if (!result.ranBody()) {
        status_->setText(tr("The mouse did not answer"));
    } else {
        status_->setText(tr("The read failed (%1 of %2 chunks unanswered)")
                             .arg(totals.failedChunks)
                             .arg(totals.chunks));
    }
}

void MainWindow::showImage(int deviceType) {
    QString text;
    text += tr("Parameter area\n") + hexRows(dataBuf_.parameterArea, 0);
    text += tr("\nButton function table\n") + hexRows(dataBuf_.profileArea, 64);
    text += tr("\nMacro area (type %1)\n").arg(deviceType) +
            hexRows(dataBuf_.macroArea(deviceType), image::macroAreaAddress(deviceType));
    view_->setPlainText(text);
}

}  // namespace vtr::shell

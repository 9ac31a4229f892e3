#include "shell/BusyWindow.h"

#include <QPainter>

#include "resources/Resources.h"
#include "shell/PaintTrace.h"
#include "shell/ReportOnce.h"
#include "shell/Skin.h"
#include "shell/WindowShape.h"

namespace vtr::shell {

namespace {

constexpr QRgb kBusyColourKey = 0xFF000000;  // black
constexpr int kBarHeight = 3;

}  // namespace

BusyWindow::BusyWindow(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                         Qt::WindowDoesNotAcceptFocus) {
    setObjectName("FormLoadingUI");
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(kWidth, kHeight);

    frameTimer_.setSingleShot(true);
    connect(&frameTimer_, &QTimer::timeout, this, &BusyWindow::nextFrame);
}

void BusyWindow::loadAnimation() {
    if (!animation_.frames.empty()) {
        return;
    }
    if (auto decoded = DecodeGif(resources::find("WaitGif"))) {
        animation_ = std::move(*decoded);
    } else {
        ReportOnce("picture:waitgif", resources::exists("WaitGif")
                                          ? "busy animation WaitGif is not a readable GIF"
                                          : "busy animation WaitGif is missing");
        animation_.frames.push_back(Skin::image("WaitGif"));
        animation_.delaysMs.push_back(100);
    }
    const QSize size(kAnimationWidth, kAnimationHeight);
    for (QImage& frame : animation_.frames) {
        if (frame.size() != size) {
            frame = frame.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
        MakeColourTransparent(frame, kBusyColourKey);
        shapes_.push_back(OpaqueRegion(frame) + barRect());
    }
}

QRect BusyWindow::barRect() const {
    return {(kWidth - kAnimationWidth) / 2, kAnimationHeight, kAnimationWidth, kBarHeight};
}

void BusyWindow::placeOver(const QRect& main) {
    move(main.left() + (main.width() - kWidth) / 2,
         main.top() + (main.height() - kHeight) / 2 + kBelowCentre);
}

void BusyWindow::setProgress(int done, int total) {
    if (done == done_ && total == total_) {
        return;
    }
    done_ = done;
    total_ = total;
    update(barRect());
}

void BusyWindow::showEvent(QShowEvent*) {
    loadAnimation();
    // A window mask set before the window first appears is lost on X11.
    clearMask();
    setMask(shapes_[static_cast<std::size_t>(frame_)]);
    if (animation_.frames.size() > 1) {
        frameTimer_.start(animation_.delaysMs[static_cast<std::size_t>(frame_)]);
    }
}

void BusyWindow::hideEvent(QHideEvent*) {
    frameTimer_.stop();
}

void BusyWindow::nextFrame() {
    frame_ = (frame_ + 1) % static_cast<int>(animation_.frames.size());
    setMask(shapes_[static_cast<std::size_t>(frame_)]);
    update(QRect(0, 0, kAnimationWidth, kAnimationHeight));
    frameTimer_.start(animation_.delaysMs[static_cast<std::size_t>(frame_)]);
}

void BusyWindow::paintEvent(QPaintEvent*) {
    loadAnimation();
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(0, 0, animation_.frames[static_cast<std::size_t>(frame_)]);
    if (total_ > 0) {
        const QRect bar = barRect();
        painter.fillRect(bar, QColor(48, 48, 48));
        const int filled = static_cast<int>(static_cast<long long>(bar.width()) *
                                            std::min(done_, total_) / total_);
        painter.fillRect(QRect(bar.left(), bar.top(), filled, bar.height()), QColor(0, 200, 255));
    }
    TracePaint("busy");
}

}  // namespace vtr::shell

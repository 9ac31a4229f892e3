#pragma once

#include <QTimer>
#include <QWidget>

#include "shell/GifAnimation.h"

namespace vtr::shell {

// The small window shown on top of everything while the mouse is read or
// written: the busy animation (resource WaitGif) with black as its colour key,
// so only the animation shows, and under it a thin bar with the transfer's
// progress.
class BusyWindow final : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kWidth = 206;
    static constexpr int kHeight = 196;
    static constexpr int kAnimationWidth = 200;
    static constexpr int kAnimationHeight = 192;
    static constexpr int kBelowCentre = 40;

    explicit BusyWindow(QWidget* owner);

    // Horizontally centred on the main window and 40 pixels below its
    // vertical centre.
    void placeOver(const QRect& mainGeometry);

    // Chunks done of all chunks of the running transfer; total 0 hides the bar.
    void setProgress(int done, int total);
    int progressDone() const { return done_; }
    int progressTotal() const { return total_; }
    int frameIndex() const { return frame_; }
    int frameCount() {
        loadAnimation();
        return static_cast<int>(animation_.frames.size());
    }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    QRect barRect() const;
    // The animation is decoded when the window is first shown.
    void loadAnimation();
    void nextFrame();

    Animation animation_;
    // Each frame's own shape with the bar: only the pixels drawn in the frame
    // on show are part of the window.
    std::vector<QRegion> shapes_;
    QTimer frameTimer_;
    int frame_ = 0;
    int done_ = 0;
    int total_ = 0;
};

}  // namespace vtr::shell

// The yardstick: an 800 x 600 border-less window with a see-through
// background that paints one picture and one line of text (as any window with
// a caption loads the font machinery), and writes "first-paint <ns>" (real-time
// clock) once its first frame is complete, like the editor does with
// VTR6420KD_PAINT_TRACE=1.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>

namespace {

class Window final : public QWidget {
  public:
    Window()
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
          picture_(800, 568, QImage::Format_ARGB32_Premultiplied) {
        setAttribute(Qt::WA_TranslucentBackground);
        setFixedSize(800, 600);
        setWindowTitle("minimal window");
        picture_.fill(QColor(40, 40, 48));
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(0, 0, picture_);
        painter.setPen(Qt::white);
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("Minimal window"));
        if (first_) {
            first_ = false;
            // Once this frame is complete, as the editor does.
            QTimer::singleShot(0, this, [] {
                const auto now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                     std::chrono::system_clock::now().time_since_epoch())
                                     .count();
                std::printf("first-paint %lld\n", static_cast<long long>(now));
                std::fflush(stdout);
            });
        }
    }

  private:
    QImage picture_;
    bool first_ = true;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Window window;
    window.show();
    return QApplication::exec();
}

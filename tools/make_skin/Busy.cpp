// The busy animation: a glowing comet running round a ring, a dashed inner
// ring turning the other way, on pure black (the busy window's see-through
// colour). Every pixel is computed here, so the frames loop seamlessly.
#include <algorithm>
#include <cmath>

#include "Pictures.h"

namespace skin {

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 192;
constexpr int kFrames = 20;
constexpr double kPi = 3.14159265358979323846;
constexpr double kRing = 54;
constexpr double kInner = 39;
constexpr double kTail = 4.4;  // radians of fading tail behind the head
constexpr int kDashes = 16;
// Below this light a pixel is pure black, so the glow does not leave a dark
// fringe around the ring on the desktop.
constexpr double kCutOff = 0.07;

double gauss(double d, double w) {
    return std::exp(-(d * d) / (w * w));
}

// Light at (x, y) in frame f, 0 (black) and up.
double light(double x, double y, int frame) {
    const double dx = x - kWidth / 2.0;
    const double dy = y - kHeight / 2.0;
    const double r = std::sqrt(dx * dx + dy * dy);
    const double angle = std::atan2(dy, dx);
    const double head = 2 * kPi * frame / kFrames - kPi / 2;

    double value = 0.14 * gauss(r - kRing, 1.6);  // the track
    double behind = std::fmod(head - angle, 2 * kPi);
    if (behind < 0) {
        behind += 2 * kPi;
    }
    if (behind < kTail) {
        const double fade = std::pow(1.0 - behind / kTail, 1.7);
        value += fade * (gauss(r - kRing, 3.0) + 0.35 * gauss(r - kRing, 11.0));
    }
    const double hx = kWidth / 2.0 + kRing * std::cos(head);
    const double hy = kHeight / 2.0 + kRing * std::sin(head);
    const double toHead = std::hypot(x - hx, y - hy);
    value += 0.9 * gauss(toHead, 5.0) + 0.3 * gauss(toHead, 14.0);

    // Inner dashes turn backwards by one dash per cycle.
    const double turn = -2 * kPi / kDashes * frame / kFrames;
    double phase = std::fmod((angle - turn) * kDashes / (2 * kPi), 1.0);
    if (phase < 0) {
        phase += 1.0;
    }
    if (phase < 0.45) {
        value += 0.42 * gauss(r - kInner, 1.4);
    }
    return value;
}

}  // namespace

GifAnimation BusyAnimation() {
    GifAnimation animation;
    animation.width = kWidth;
    animation.height = kHeight;
    animation.delayCentiseconds = 5;
    // Index 0 is black; up to 180 the accent colour brightens, then it goes to white.
    for (int i = 0; i < 256; ++i) {
        const double t = i / 255.0;
        double r, g, b;
        if (t < 0.7) {
            const double k = t / 0.7;
            r = 0;
            g = 229 * k;
            b = 255 * k;
        } else {
            const double k = (t - 0.7) / 0.3;
            r = 255 * k;
            g = 229 + (255 - 229) * k;
            b = 255;
        }
        animation.palette[static_cast<std::size_t>(i)] = {
            static_cast<std::uint8_t>(std::lround(r)), static_cast<std::uint8_t>(std::lround(g)),
            static_cast<std::uint8_t>(std::lround(b))};
    }
    for (int frame = 0; frame < kFrames; ++frame) {
        std::vector<std::uint8_t> pixels(static_cast<std::size_t>(kWidth * kHeight));
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                // Four samples a pixel smooth the edges.
                double sum = 0;
                for (const double sy : {0.25, 0.75}) {
                    for (const double sx : {0.25, 0.75}) {
                        sum += light(x + sx, y + sy, frame);
                    }
                }
                const double value = sum / 4;
                int index = 0;
                if (value >= kCutOff) {
                    index = std::clamp(static_cast<int>(std::lround(value * 200)), 1, 255);
                }
                pixels[static_cast<std::size_t>(y * kWidth + x)] = static_cast<std::uint8_t>(index);
            }
        }
        animation.frames.push_back(std::move(pixels));
    }
    return animation;
}

}  // namespace skin

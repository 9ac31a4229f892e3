#include "shell/WindowClock.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace vtr::shell {

void WindowClock::sleepMs(int ms) {
    if (ms <= kStepMs) {
        system_.sleepMs(ms);
        return;
    }
    const std::uint64_t end = system_.nowMs() + static_cast<std::uint64_t>(ms);
    for (;;) {
        const std::uint64_t now = system_.nowMs();
        if (now >= end) {
            return;
        }
        system_.sleepMs(static_cast<int>(std::min<std::uint64_t>(kStepMs, end - now)));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

std::uint64_t WindowClock::nowMs() {
    return system_.nowMs();
}

}  // namespace vtr::shell

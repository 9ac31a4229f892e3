#include "shell/Marquee.h"

namespace vtr::shell {

namespace {

constexpr int kLargestTickCount = 65535;
constexpr int kTickCountAfterWrap = 2;
const QString kGap = QStringLiteral("    ");

// The length of the first character: two code units for a surrogate pair.
qsizetype firstCharacterLength(const QString& text) {
    if (text.isEmpty()) {
        return 0;
    }
    if (text.size() >= 2 && text[0].isHighSurrogate() && text[1].isLowSurrogate()) {
        return 2;
    }
    return 1;
}

}  // namespace

void Marquee::enter(const QString& labelName, const QString& caption) {
    labelName_ = labelName;
    saved_ = caption;
    working_ = caption;
    ticks_ = 0;
}

const QString& Marquee::tick() {
    ++ticks_;
    if (ticks_ > kLargestTickCount) {
        ticks_ = kTickCountAfterWrap;
    }
    const qsizetype n = firstCharacterLength(working_);
    const QString first = working_.left(n);
    const QString rest = working_.mid(n);
    working_ = ticks_ == 1 ? rest + kGap + first : rest + first;
    return working_;
}

void Marquee::reset(const QString& caption) {
    ticks_ = 0;
    saved_ = caption;
    working_ = caption;
}

}  // namespace vtr::shell

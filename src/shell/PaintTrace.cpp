#include "shell/PaintTrace.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vtr::shell {

namespace {

long long nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

}  // namespace

bool PaintTraceOn() {
    static const bool on = [] {
        const char* value = std::getenv("VTR6420KD_PAINT_TRACE");
        return value != nullptr && std::strcmp(value, "1") == 0;
    }();
    return on;
}

void TracePaint(const char* window) {
    if (!PaintTraceOn()) {
        return;
    }
    std::printf("paint %s %lld\n", window, nowNs());
    std::fflush(stdout);
}

void TraceFirstFrame() {
    if (!PaintTraceOn()) {
        return;
    }
    std::printf("first-paint %lld\n", nowNs());
    std::fflush(stdout);
}

void TraceBusy(bool busy) {
    if (!PaintTraceOn()) {
        return;
    }
    std::printf("busy %d %lld\n", busy ? 1 : 0, nowNs());
    std::fflush(stdout);
}

void TraceMark(const char* step) {
    if (!PaintTraceOn()) {
        return;
    }
    std::printf("mark %s %lld\n", step, nowNs());
    std::fflush(stdout);
}

}  // namespace vtr::shell

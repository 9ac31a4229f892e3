#include "shell/ReportOnce.h"

#include <cstdio>
#include <mutex>
#include <set>

namespace vtr::shell {

namespace {

std::mutex& lock() {
    static std::mutex m;
    return m;
}

std::set<std::string>& reported() {
    static std::set<std::string> seen;
    return seen;
}

std::function<void(const std::string&)>& sink() {
    static std::function<void(const std::string&)> s;
    return s;
}

}  // namespace

void ReportOnce(const std::string& what, const std::string& message) {
    std::function<void(const std::string&)> to;
    {
        std::lock_guard guard(lock());
        if (!reported().insert(what).second) {
            return;
        }
        to = sink();
    }
    if (to) {
        to(message);
    } else {
        std::fprintf(stderr, "vtr6420kd: %s\n", message.c_str());
    }
}

void SetReportSink(std::function<void(const std::string&)> s) {
    std::lock_guard guard(lock());
    sink() = std::move(s);
}

}  // namespace vtr::shell

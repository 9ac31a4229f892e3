#include "text/KeyFile.h"

namespace vtr::text {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && IsBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

std::string LowerCase(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

void KeyFileSection::read(std::string_view raw) {
    const std::string_view line = Trim(raw);
    if (line.empty() || line.front() == ';') {
        return;
    }
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
        inSection_ = LowerCase(Trim(line.substr(1, line.size() - 2))) == wanted_;
        return;
    }
    const std::size_t equals = line.find('=');
    if (!inSection_ || equals == std::string_view::npos) {
        return;
    }
    const std::string_view key = Trim(line.substr(0, equals));
    if (key.empty()) {
        return;
    }
    // emplace keeps an earlier entry of the same key.
    values_.emplace(LowerCase(key), std::string(Trim(line.substr(equals + 1))));
}

}  // namespace vtr::text

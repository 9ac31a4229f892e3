#include "text/LayoutDescriptor.h"

#include <charconv>
#include <limits>
#include <system_error>

namespace vtr::text {

namespace {

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && isBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

std::string lowerCase(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

std::optional<int> parseInteger(std::string_view s) {
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty() || s.front() < '0' || s.front() > '9') {
        return std::nullopt;
    }
    // Read the magnitude wide enough for INT_MIN, then check the range.
    long long magnitude = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), magnitude);
    if (error != std::errc() || end != s.data() + s.size()) {
        return std::nullopt;
    }
    const long long value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

}  // namespace

LayoutDescriptor LayoutDescriptor::Parse(std::span<const std::uint8_t> bytes,
                                         std::string_view section) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const std::string wanted = lowerCase(trim(section));

    LayoutDescriptor descriptor;
    bool inSection = false;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        const std::string_view line = trim(text.substr(start, end - start));
        start = end + 1;

        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            inSection = lowerCase(trim(line.substr(1, line.size() - 2))) == wanted;
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inSection || equals == std::string_view::npos) {
            continue;
        }
        const std::string_view key = trim(line.substr(0, equals));
        if (key.empty()) {
            continue;
        }
        // emplace keeps an earlier entry of the same key.
        descriptor.values_.emplace(lowerCase(key), std::string(trim(line.substr(equals + 1))));
    }
    return descriptor;
}

bool LayoutDescriptor::contains(std::string_view key) const {
    return values_.contains(lowerCase(key));
}

std::optional<std::string> LayoutDescriptor::text(std::string_view key) const {
    const auto found = values_.find(lowerCase(key));
    if (found == values_.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::optional<int> LayoutDescriptor::integer(std::string_view key) const {
    const auto found = values_.find(lowerCase(key));
    if (found == values_.end()) {
        return std::nullopt;
    }
    return parseInteger(found->second);
}

std::optional<Colour> LayoutDescriptor::colour(std::string_view prefix) const {
    const std::string base(prefix);
    const std::optional<int> parts[3] = {integer(base + "_R"), integer(base + "_G"),
                                         integer(base + "_B")};
    for (const std::optional<int>& part : parts) {
        if (!part || *part < 0 || *part > 255) {
            return std::nullopt;
        }
    }
    return Colour{*parts[0], *parts[1], *parts[2]};
}

std::vector<std::string> LayoutDescriptor::keys() const {
    std::vector<std::string> keys;
    keys.reserve(values_.size());
    for (const auto& [key, value] : values_) {
        keys.push_back(key);
    }
    return keys;
}

}  // namespace vtr::text

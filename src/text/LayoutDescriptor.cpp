#include "text/LayoutDescriptor.h"

#include "text/KeyFile.h"

#include <charconv>
#include <limits>
#include <system_error>

namespace vtr::text {

namespace {

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
    LayoutDescriptor descriptor;
    KeyFileSection reader(section);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        reader.read(text.substr(start, end - start));
        start = end + 1;
    }
    descriptor.values_ = reader.take();
    return descriptor;
}

bool LayoutDescriptor::contains(std::string_view key) const {
    return values_.contains(LowerCase(key));
}

std::optional<std::string> LayoutDescriptor::text(std::string_view key) const {
    const auto found = values_.find(LowerCase(key));
    if (found == values_.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::optional<int> LayoutDescriptor::integer(std::string_view key) const {
    const auto found = values_.find(LowerCase(key));
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

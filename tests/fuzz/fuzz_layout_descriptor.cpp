// Feeds arbitrary bytes to the layout descriptor reader. Out-of-bounds reads
// are left to the sanitizers; the checks here are on what was read.

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "text/LayoutDescriptor.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

bool isTrimmed(std::string_view s) {
    return s.empty() || (!isBlank(s.front()) && !isBlank(s.back()));
}

std::string upperCase(std::string s) {
    for (char& c : s) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return s;
}

// An independent reading of a decimal integer: sign, digits, in range.
std::optional<int> decimal(std::string_view s) {
    std::string_view digits = s;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        digits.remove_prefix(1);
    }
    if (digits.empty()) {
        return std::nullopt;
    }
    for (char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
    }
    const std::string text = s.front() == '+' ? std::string(s.substr(1)) : std::string(s);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using vtr::text::LayoutDescriptor;
    const std::span<const std::uint8_t> bytes(data, size);
    const LayoutDescriptor descriptor = LayoutDescriptor::Parse(bytes, "org1");

    for (const std::string& key : descriptor.keys()) {
        Check(!key.empty() && isTrimmed(key) && key.front() != ';');
        Check(key.find('=') == std::string::npos);
        Check(key.find_first_of("\r\n") == std::string::npos);
        Check(key.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") == std::string::npos);
        Check(descriptor.contains(key) && descriptor.contains(upperCase(key)));
        const std::optional<std::string> value = descriptor.text(key);
        Check(value.has_value() && isTrimmed(*value));
        Check(value->find_first_of("\r\n") == std::string::npos);
        Check(descriptor.text(upperCase(key)) == value);
        Check(descriptor.integer(key) == decimal(*value));
    }
    for (std::string_view probe : {"Size_A", "Btn_B5_X", "Web", "", "org1"}) {
        Check(descriptor.contains(probe) == descriptor.text(probe).has_value());
        Check(descriptor.contains(probe) || !descriptor.integer(probe).has_value());
    }
    // A colour is there exactly when its three parts are integers in 0..255.
    for (const std::string& key : descriptor.keys()) {
        if (key.size() < 2 || key.substr(key.size() - 2) != "_r") {
            continue;
        }
        const std::string prefix = key.substr(0, key.size() - 2);
        bool valid = true;
        for (const char* part : {"_r", "_g", "_b"}) {
            const std::optional<int> v = descriptor.integer(prefix + part);
            valid = valid && v && *v >= 0 && *v <= 255;
        }
        const auto colour = descriptor.colour(prefix);
        Check(colour.has_value() == valid);
        if (colour) {
            Check(colour->value() == *descriptor.integer(prefix + "_r") +
                                         256 * *descriptor.integer(prefix + "_g") +
                                         65536 * *descriptor.integer(prefix + "_b"));
        }
    }
    // The section name ignores case; reading has no state.
    Check(LayoutDescriptor::Parse(bytes, "ORG1").keys() == descriptor.keys());
    return 0;
}

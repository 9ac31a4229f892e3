#include "text/Utf.h"

namespace vtr::text {

namespace {

bool isHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

void appendUtf16(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out.push_back(static_cast<char16_t>(c));
    } else {
        c -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 | (c >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 | (c & 0x3FF)));
    }
}

// Decodes UTF-16 code units handed out one by one by `unitAt(i)` for i < count.
template <typename UnitAt>
void decodeUtf16(std::size_t count, UnitAt unitAt, std::string& out) {
    for (std::size_t i = 0; i < count; ++i) {
        const char32_t unit = unitAt(i);
        if (isHighSurrogate(unit) && i + 1 < count && isLowSurrogate(unitAt(i + 1))) {
            const char32_t low = unitAt(i + 1);
            appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
            ++i;
        } else if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
            appendUtf8(out, kReplacementCharacter);
        } else {
            appendUtf8(out, unit);
        }
    }
}

}  // namespace

std::string ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 3);
    decodeUtf16(
        text.size(), [text](std::size_t i) { return static_cast<char32_t>(text[i]); }, out);
    return out;
}

std::string Utf16LeToUtf8(std::span<const std::uint8_t> bytes) {
    std::string out;
    const std::size_t units = bytes.size() / 2;
    out.reserve(units * 3 + 3);
    decodeUtf16(
        units,
        [bytes](std::size_t i) {
            return static_cast<char32_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        },
        out);
    if (bytes.size() % 2 != 0) {
        appendUtf8(out, kReplacementCharacter);
    }
    return out;
}

std::u16string ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        const auto lead = static_cast<unsigned char>(text[i]);
        ++i;
        if (lead < 0x80) {
            out.push_back(lead);
            continue;
        }
        // The number of continuation bytes and the range the first of them must
        // lie in; the ranges shut out overlong forms, surrogates and values
        // beyond U+10FFFF.
        int continuation = 0;
        char32_t c = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            continuation = 1;
            c = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            continuation = 2;
            c = lead & 0x0F;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            continuation = 3;
            c = lead & 0x07;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            out.push_back(static_cast<char16_t>(kReplacementCharacter));
            continue;
        }
        bool complete = true;
        for (int k = 0; k < continuation; ++k) {
            const auto byte = i < n ? static_cast<unsigned char>(text[i]) : 0;
            if (i >= n || byte < low || byte > high) {
                // The offending byte is not consumed: it may start the next character.
                complete = false;
                break;
            }
            c = (c << 6) | (byte & 0x3F);
            ++i;
            low = 0x80;
            high = 0xBF;
        }
        appendUtf16(out, complete ? c : kReplacementCharacter);
    }
    return out;
}

}  // namespace vtr::text

// Feeds arbitrary bytes to the language table reader. Out-of-bounds reads are
// left to the sanitizers; the checks here are on what was read.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "text/Language.h"
#include "text/Utf.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

std::string upperCase(std::string s) {
    for (char& c : s) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return s;
}

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

bool isTrimmed(std::string_view s) {
    return s.empty() || (!isBlank(s.front()) && !isBlank(s.back()));
}

bool isWellFormedUtf8(const std::string& s) {
    return vtr::text::ToUtf8(vtr::text::ToUtf16(s)) == s;
}

std::optional<std::string> askEveryKey(const vtr::text::Languages& languages,
                                       const std::string& text) {
    std::optional<std::string> result;
    for (int language = 1; language <= vtr::text::kLanguageCount; ++language) {
        for (int number = 0; number <= 600; ++number) {
            const std::string key = "Str" + std::to_string(number);
            if (languages.table(language).contains(key) && languages.text(language, key) == text &&
                !text.empty()) {
                result = key;
            }
        }
    }
    return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using vtr::text::LanguageTable;
    const std::span<const std::uint8_t> bytes(data, size);
    const LanguageTable table = LanguageTable::Parse(bytes, "lang1");

    // Every key read back, in any case, is there with the same text.
    for (const std::string& key : table.keys()) {
        Check(!key.empty() && isTrimmed(key) && key.front() != ';');
        Check(key.find('=') == std::string::npos);
        Check(key.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") == std::string::npos);
        Check(table.contains(key) && table.contains(upperCase(key)));
        const std::string text = table.text(key);
        Check(text == table.text(upperCase(key)));
        Check(isTrimmed(text) && isWellFormedUtf8(text));
    }
    for (std::string_view probe : {"Title", "Str001", "Str210", "str210", ""}) {
        Check(table.contains(probe) || table.text(probe).empty());
        Check(table.contains(probe) == table.contains(upperCase(std::string(probe))));
    }
    // The section name ignores case; reading has no state.
    Check(LanguageTable::Parse(bytes, "LANG1").keys() == table.keys());

    // The reverse lookup answers as asking every table for "Str0" ... "Str600"
    // in turn and keeping the last match would.
    const vtr::text::Languages languages(std::array<LanguageTable, vtr::text::kLanguageCount>{
        table, LanguageTable::Parse(bytes, "lang2"), LanguageTable::Parse(bytes, "lang3")});
    int probes = 0;
    for (const std::string& key : table.keys()) {
        if (++probes > 2) {
            break;
        }
        const std::string text = table.text(key);
        Check(languages.FindLanguageKey(text) == askEveryKey(languages, text));
    }

    // Both conversions give well-formed text, which then converts without loss.
    const std::string asUtf8(reinterpret_cast<const char*>(data), size);
    const std::u16string utf16 = vtr::text::ToUtf16(asUtf8);
    Check(vtr::text::ToUtf16(vtr::text::ToUtf8(utf16)) == utf16);
    const std::string decoded = vtr::text::Utf16LeToUtf8(bytes);
    Check(isWellFormedUtf8(decoded));
    return 0;
}

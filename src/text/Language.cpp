#include "text/Language.h"

#include <utility>

#include "resources/Resources.h"
#include "text/KeyFile.h"
#include "text/Utf.h"

namespace vtr::text {

namespace {

// The items of the text: runs between separators, or a stretch from a double
// quote to the next one (to the end when it is not closed), quotes removed.
template <typename OnItem>
void forEachItem(std::string_view text, OnItem onItem) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (true) {
        while (i < n && IsBlank(text[i])) {
            ++i;
        }
        if (i >= n) {
            return;
        }
        if (text[i] == '"') {
            const std::size_t close = text.find('"', i + 1);
            if (close == std::string_view::npos) {
                onItem(text.substr(i + 1));
                return;
            }
            onItem(text.substr(i + 1, close - i - 1));
            i = close + 1;
        } else {
            const std::size_t start = i;
            while (i < n && !IsBlank(text[i])) {
                ++i;
            }
            onItem(text.substr(start, i - start));
        }
    }
}

// The number n of a lower-case key written "str" + n, n in 0..600 in decimal
// without leading zeros: the only keys the reverse lookup asks for.
std::optional<int> reverseLookupNumber(std::string_view key) {
    if (!key.starts_with("str")) {
        return std::nullopt;
    }
    const std::string_view digits = key.substr(3);
    if (digits.empty() || digits.size() > 3 || (digits.size() > 1 && digits.front() == '0')) {
        return std::nullopt;
    }
    int number = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        number = number * 10 + (c - '0');
    }
    return number <= 600 ? std::optional<int>(number) : std::nullopt;
}

}  // namespace

LanguageTable LanguageTable::Parse(std::span<const std::uint8_t> bytes, std::string_view section) {
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        bytes = bytes.subspan(2);
    }
    const std::string text = Utf16LeToUtf8(bytes);

    LanguageTable table;
    KeyFileSection reader(section);
    forEachItem(text, [&](std::string_view item) { reader.read(item); });
    table.texts_ = reader.take();
    return table;
}

std::string LanguageTable::text(std::string_view key) const {
    const auto found = texts_.find(LowerCase(key));
    return found == texts_.end() ? std::string() : found->second;
}

bool LanguageTable::contains(std::string_view key) const {
    return texts_.contains(LowerCase(key));
}

std::vector<std::string> LanguageTable::keys() const {
    std::vector<std::string> keys;
    keys.reserve(texts_.size());
    for (const auto& [key, text] : texts_) {
        keys.push_back(key);
    }
    return keys;
}

Languages::Languages() {
    for (int language = 1; language <= kLanguageCount; ++language) {
        const std::string name = "lang" + std::to_string(language);
        tables_[language - 1] = LanguageTable::Parse(resources::find(name), name);
    }
}

Languages::Languages(std::array<LanguageTable, kLanguageCount> tables) {
    for (int i = 0; i < kLanguageCount; ++i) {
        tables_[i] = std::move(tables[i]);
    }
}

void Languages::setCurrent(int language) {
    if (language >= 1 && language <= kLanguageCount) {
        current_ = language;
    }
}

std::string Languages::text(std::string_view key) const {
    return text(current_, key);
}

std::string Languages::text(int language, std::string_view key) const {
    return table(language).text(key);
}

const LanguageTable& Languages::table(int language) const {
    static const LanguageTable kNoTexts;
    if (language < 1 || language > kLanguageCount) {
        return kNoTexts;
    }
    return tables_[language - 1];
}

std::optional<std::string> Languages::FindLanguageKey(std::string_view text) const {
    if (text.empty()) {
        return std::nullopt;
    }
    // Asking each table for "Str0" ... "Str600" in turn and keeping the last
    // match is the same as taking, from the last table with a match, the
    // highest number whose key is written that way; walking the keys a table
    // has is much cheaper than 601 lookups in each.
    std::optional<int> result;
    for (const LanguageTable& table : tables_) {
        std::optional<int> highest;
        for (const auto& [key, keyText] : table.texts_) {
            const std::optional<int> number = reverseLookupNumber(key);
            if (number && keyText == text && (!highest || *number > *highest)) {
                highest = number;
            }
        }
        if (highest) {
            result = highest;
        }
    }
    if (!result) {
        return std::nullopt;
    }
    return "Str" + std::to_string(*result);
}

}  // namespace vtr::text

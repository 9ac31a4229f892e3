// The shipped language tables: every key's three texts, and the bytes of the
// files themselves.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "LanguageTexts.h"
#include "resources/Resources.h"
#include "text/Language.h"
#include "text/Utf.h"

namespace vtr::text {
namespace {

using language_texts::kEntries;

// The entries with a key (the others are blank lines between groups).
std::vector<language_texts::Entry> keyedEntries() {
    std::vector<language_texts::Entry> entries;
    for (const language_texts::Entry& e : kEntries) {
        if (e.key != nullptr) {
            entries.push_back(e);
        }
    }
    return entries;
}

std::string lowerCase(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    return s;
}

TEST(LanguageTablesTest, EveryKeyHasItsTextInEveryLanguage) {
    const auto expected = keyedEntries();
    ASSERT_EQ(expected.size(), 101u);
    const Languages languages;
    for (int language = 1; language <= kLanguageCount; ++language) {
        for (const language_texts::Entry& e : expected) {
            EXPECT_EQ(languages.text(language, e.key), e.texts[language - 1])
                << "language " << language << ", " << e.key;
        }
    }
}

TEST(LanguageTablesTest, EachTableHoldsExactlyTheKnownKeys) {
    std::vector<std::string> keys;
    for (const language_texts::Entry& e : keyedEntries()) {
        keys.push_back(lowerCase(e.key));
    }
    std::sort(keys.begin(), keys.end());
    const Languages languages;
    for (int language = 1; language <= kLanguageCount; ++language) {
        EXPECT_EQ(languages.table(language).keys(), keys) << "language " << language;
    }
}

TEST(LanguageTablesTest, OnlyTheTablesOwnSectionCounts) {
    // The table of language 2 read as if it were language 1 has none of its keys.
    const auto lang2 = resources::find("lang2");
    EXPECT_EQ(LanguageTable::Parse(lang2, "lang1").size(), 0u);
    EXPECT_EQ(LanguageTable::Parse(lang2, "LANG2").size(), 101u);
}

// The lines of a table file, each as UTF-8 without its line end; fails the
// test where a CR and an LF do not come as a pair.
std::vector<std::string> lines(std::span<const std::uint8_t> bytes, int language) {
    std::u16string text;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        text.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
    }
    std::vector<std::string> result;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n') {
            ADD_FAILURE() << "language " << language << ": LF without CR at unit " << i;
        }
        if (text[i] != u'\r') {
            continue;
        }
        if (i + 1 >= text.size() || text[i + 1] != u'\n') {
            ADD_FAILURE() << "language " << language << ": CR without LF at unit " << i;
            continue;
        }
        result.push_back(ToUtf8(text.substr(start, i - start)));
        start = i + 2;
        ++i;
    }
    EXPECT_EQ(start, text.size()) << "language " << language << ": last line has no CR LF";
    return result;
}

TEST(LanguageTablesTest, FilesAreQuotedItemsInUtf16WithCrLf) {
    for (int language = 1; language <= kLanguageCount; ++language) {
        const std::string name = "lang" + std::to_string(language);
        const auto bytes = resources::find(name);
        ASSERT_GE(bytes.size(), 2u) << name;
        EXPECT_EQ(bytes[0], 0xFF) << name;
        EXPECT_EQ(bytes[1], 0xFE) << name;
        EXPECT_EQ(bytes.size() % 2, 0u) << name;

        const std::vector<std::string> read = lines(bytes, language);
        ASSERT_FALSE(read.empty()) << name;
        EXPECT_EQ(read.front(), "[" + name + "]");

        std::vector<std::string> entries;
        bool previousBlank = false;
        for (std::size_t i = 1; i < read.size(); ++i) {
            const std::string& line = read[i];
            if (line.empty()) {
                EXPECT_FALSE(previousBlank) << name << ": two blank lines at line " << i + 1;
                previousBlank = true;
                continue;
            }
            previousBlank = false;
            EXPECT_EQ(std::count(line.begin(), line.end(), '"'), 2) << name << ": " << line;
            EXPECT_EQ(line.front(), '"') << name << ": " << line;
            EXPECT_EQ(line.back(), '"') << name << ": " << line;
            entries.push_back(line);
        }
        EXPECT_FALSE(previousBlank) << name << ": ends with a blank line";

        std::vector<std::string> expected;
        for (const language_texts::Entry& e : keyedEntries()) {
            expected.push_back(std::string("\"") + e.key + "=" + e.texts[language - 1] + "\"");
        }
        std::sort(entries.begin(), entries.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(entries, expected) << name;
    }
}

}  // namespace
}  // namespace vtr::text

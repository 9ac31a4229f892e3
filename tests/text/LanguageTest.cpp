#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "text/Caption.h"
#include "text/Language.h"

namespace vtr::text {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A table's bytes: the byte-order mark (unless left out), then the text as
// UTF-16LE, then any extra raw bytes.
Bytes tableBytes(std::u16string_view text, bool mark = true, Bytes extra = {}) {
    Bytes bytes;
    if (mark) {
        bytes = {0xFF, 0xFE};
    }
    for (char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    bytes.insert(bytes.end(), extra.begin(), extra.end());
    return bytes;
}

const std::string kReplacement = "\xEF\xBF\xBD";

TEST(LanguageTableTest, ReadingTable) {
    struct Lookup {
        const char* key;
        std::optional<std::string> text;  // none: the key is missing
    };
    struct Case {
        const char* why;
        Bytes bytes;
        std::size_t keys;  // how many keys the table has
        std::vector<Lookup> lookups;
    };
    const Case cases[] = {
        {"quoted item keeps its spaces",
         tableBytes(u"[lang1]\r\n\"Str210=Left Key\"\r\n"),
         1,
         {{"Str210", "Left Key"}}},
        {"unquoted item ends at the first space",
         tableBytes(u"[lang1]\r\nStr210=Left Key\r\n\"Str211=Right Key\"\r\n"),
         2,
         {{"Str210", "Left"}, {"Key", std::nullopt}, {"Str211", "Right Key"}}},
        {"other sections and items before any section do not count",
         tableBytes(u"\"Str000=Orphan\"\r\n[lang2]\r\n\"Str001=Other\"\r\n[lang1]\r\n"
                    u"\"Str002=Mine\"\r\n[lang3]\r\n\"Str003=Later\"\r\n[lang1]\r\n"
                    u"\"Str004=Mine again\""),
         2,
         {{"Str000", std::nullopt},
          {"Str001", std::nullopt},
          {"Str002", "Mine"},
          {"Str003", std::nullopt},
          {"Str004", "Mine again"}}},
        {"keys and section ignore case",
         tableBytes(u"[LANG1]\r\n\"sTR001=Apply\""),
         1,
         {{"Str001", "Apply"}, {"STR001", "Apply"}, {"str001", "Apply"}}},
        {"empty items, comments and items without a key are skipped",
         tableBytes(u"[lang1]\r\n\"\"\r\n\"   \"\r\n\";Str001=Hidden\"\r\n;Str002=Hidden\r\n"
                    u"\"Str003\"\r\n\"=Nameless\"\r\n\"Str004=Shown\""),
         1,
         {{"Str001", std::nullopt},
          {"Str002", std::nullopt},
          {"Str003", std::nullopt},
          {"", std::nullopt},
          {"Str004", "Shown"}}},
        {"text runs from the first equals sign",
         tableBytes(u"[lang1]\r\n\"Str005=a=b\"\r\n\"Str006=\""),
         2,
         {{"Str005", "a=b"}, {"Str006", ""}}},
        {"key and text are trimmed",
         tableBytes(u"[lang1]\r\n\"  Str007 =  Padded text \t\"\r\n\"[ lang1 ]\""),
         1,
         {{"Str007", "Padded text"}}},
        {"tabs separate items", tableBytes(u"[lang1]\tStr008=Tab\tX"), 1, {{"Str008", "Tab"}}},
        {"the first of two equal keys counts",
         tableBytes(u"[lang1]\r\n\"Str009=First\"\r\n\"STR009=Second\""),
         1,
         {{"Str009", "First"}}},
        {"a quote inside an unquoted item is an ordinary character",
         tableBytes(u"[lang1]\r\nStr010=a\"b c\""),
         1,
         {{"Str010", "a\"b"}}},
        {"text right after a closing quote is the next item",
         tableBytes(u"[lang1]\r\n\"Str011=One\"Str012=Two"),
         2,
         {{"Str011", "One"}, {"Str012", "Two"}}},
        {"an unclosed quote runs to the end",
         tableBytes(u"[lang1]\r\n\"Str013=Open to the end"),
         1,
         {{"Str013", "Open to the end"}}},
        {"without byte-order mark the text is still UTF-16LE",
         tableBytes(u"[lang1]\r\n\"Str014=No mark\"", false),
         1,
         {{"Str014", "No mark"}}},
        {"odd last byte",
         tableBytes(u"[lang1]\r\nStr015=Odd", true, {0x41}),
         1,
         {{"Str015", "Odd" + kReplacement}}},
        {"cut surrogate pair",
         tableBytes(u"[lang1]\r\nStr016=Cut", true, {0x3D, 0xD8}),
         1,
         {{"Str016", "Cut" + kReplacement}}},
        {"unpaired surrogate inside, pair intact",
         tableBytes(u"[lang1]\r\n\"Str017=a\xD83D b\"\r\n\"Str018=\xD83D\xDE00\""),
         2,
         {{"Str017", "a" + kReplacement + " b"}, {"Str018", "\xF0\x9F\x98\x80"}}},
        {"Chinese text",
         tableBytes(u"[lang1]\r\n\"Str210=\u5DE6\u952E\""),
         1,
         {{"Str210", "左键"}}},
        {"only a byte-order mark", tableBytes(u""), 0, {{"Title", std::nullopt}}},
        {"a single byte", Bytes{0xFF}, 0, {{"Title", std::nullopt}}},
    };
    for (const Case& c : cases) {
        const LanguageTable table = LanguageTable::Parse(c.bytes, "lang1");
        for (const Lookup& lookup : c.lookups) {
            EXPECT_EQ(table.contains(lookup.key), lookup.text.has_value())
                << c.why << ": " << lookup.key;
            EXPECT_EQ(table.text(lookup.key), lookup.text.value_or(""))
                << c.why << ": " << lookup.key;
        }
        EXPECT_EQ(table.size(), c.keys) << c.why;
    }
}

TEST(LanguageTableTest, KeysAreListedInLowerCase) {
    const LanguageTable table =
        LanguageTable::Parse(tableBytes(u"[lang1] \"Title=T\" \"STR100=A\" \"str001=B\""), "lang1");
    EXPECT_EQ(table.keys(), (std::vector<std::string>{"str001", "str100", "title"}));
}

// Reverse lookup in the shipped tables.
TEST(LanguagesTest, FindLanguageKeyInShippedTables) {
    const Languages languages;
    struct Case {
        const char* text;
        std::optional<std::string> key;
    };
    const Case cases[] = {
        {"Left Key", "Str210"},
        {"左键", "Str210"},
        {"Backward", "Str262"},  // Str213 has it too; the last one wins
        {"后退", "Str262"},
        {"Confirm", "Str501"},  // also Str000, which cannot be found
        {"确认", "Str511"},     // Str000, Str501, Str511
        {"Stop", "Str401"},     // the media Stop Str251 loses
        {"停止", "Str264"},     // Str251 and Str264
        {"OK", "Str511"},
        {"500", "Str300"},
        {"Apply", std::nullopt},  // Str001: below 100
        {"English", std::nullopt},
        {"USB Gaming Mouse", std::nullopt},  // Title is never looked at
        {"Win+D", std::nullopt},
        {"left key", std::nullopt},  // texts compare exactly
        {"Left Key ", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(languages.FindLanguageKey(c.text), c.key) << c.text;
    }
}

TEST(LanguagesTest, FindLanguageKeyTakesTheLastMatchOverTablesAndNumbers) {
    auto table = [](std::u16string_view text, const char* section) {
        return LanguageTable::Parse(tableBytes(text), section);
    };
    const Languages languages({
        table(u"[lang1] \"Str150=Same\" \"Str400=Twice\" \"Str099=Low\" \"Str601=High\" "
              u"\"Str7=Short\" \"STR300=Upper\" \"Str0=Zero\" \"Str00=Zeros\" "
              u"\"Str1x=Mixed\" \"Str=Bare\"",
              "lang1"),
        table(u"[lang2] \"Str120=Same\" \"Str401=Twice\"", "lang2"),
        table(u"[lang3] \"Str100=Other\"", "lang3"),
    });
    // A later table wins even with a lower number; in one table the higher number.
    EXPECT_EQ(languages.FindLanguageKey("Same"), "Str120");
    EXPECT_EQ(languages.FindLanguageKey("Twice"), "Str401");
    // Keys are formed as "Str" + 0..600 without leading zeros.
    EXPECT_EQ(languages.FindLanguageKey("Low"), std::nullopt);
    EXPECT_EQ(languages.FindLanguageKey("High"), std::nullopt);
    EXPECT_EQ(languages.FindLanguageKey("Short"), "Str7");
    EXPECT_EQ(languages.FindLanguageKey("Upper"), "Str300");
    EXPECT_EQ(languages.FindLanguageKey("Zero"), "Str0");
    for (const char* unreachable : {"Zeros", "Mixed", "Bare"}) {
        EXPECT_EQ(languages.FindLanguageKey(unreachable), std::nullopt) << unreachable;
    }
    // A key missing from a table is not an empty text.
    EXPECT_EQ(languages.FindLanguageKey(""), std::nullopt);
}

TEST(LanguagesTest, CurrentLanguage) {
    Languages languages;
    EXPECT_EQ(languages.current(), 1);
    EXPECT_EQ(languages.text("Str001"), "Apply");
    languages.setCurrent(3);
    EXPECT_EQ(languages.text("Title"), "USB游戏鼠标驱动");
    for (int ignored : {0, 4, -1}) {
        languages.setCurrent(ignored);
        EXPECT_EQ(languages.current(), 3) << ignored;
        EXPECT_EQ(languages.text(ignored, "Str001"), "") << ignored;
        EXPECT_EQ(languages.table(ignored).size(), 0u) << ignored;
    }
    EXPECT_EQ(languages.text("NoSuchKey"), "");
}

TEST(CaptionTest, RetranslateToAnotherLanguage) {
    const Languages languages;
    const std::string leftKey3 = "左键";
    const std::string stop3 = "停止";
    const std::string recordStop3 = stop3 + "记录";
    const std::string delete3 = "删除";
    struct Case {
        const char* why;
        Caption caption;
        int language;
        Caption expected;
    };
    const Case cases[] = {
        {"by its key", Caption::FromKey(languages, 1, "Str210"), 3, {leftKey3, "Str210"}},
        {"by the text's key, which it keeps", {"Left Key"}, 3, {leftKey3, "Str210"}},
        {"a key name no table has", {"Win+D"}, 3, {"Win+D"}},
        {"the media Stop by its key",
         Caption::FromKey(languages, 1, "Str251"),
         3,
         {stop3, "Str251"}},
        {"a Stop of unknown origin is taken for the record button's",
         {"Stop"},
         3,
         {recordStop3, "Str401"}},
        {"a key name that equals a table text", Caption::Verbatim("Delete"), 3,
         Caption::Verbatim("Delete")},
        {"the same text of unknown origin", {"Delete"}, 3, {delete3, "Str408"}},
        {"a key below 100 by its key",
         Caption::FromKey(languages, 3, "Str001"),
         1,
         {"Apply", "Str001"}},
        {"a text below 100 without key stays", {"Apply"}, 3, {"Apply"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Retranslate(languages, c.caption, c.language), c.expected) << c.why;
    }
}

TEST(CaptionTest, MediaStopSurvivesARoundTrip) {
    const Languages languages;
    Caption caption = Caption::FromKey(languages, 1, "Str251");
    EXPECT_EQ(caption.text, "Stop");
    caption = Retranslate(languages, caption, 3);
    caption = Retranslate(languages, caption, 1);
    EXPECT_EQ(caption, (Caption{"Stop", "Str251"}));
    // Without its key the same caption comes back as the record button's Stop.
    Caption guessed = Retranslate(languages, Caption{"Stop"}, 3);
    guessed = Retranslate(languages, Caption{guessed.text}, 1);
    EXPECT_EQ(guessed.key, "Str401");
    EXPECT_EQ(guessed.text, "Stop");
    EXPECT_EQ(Retranslate(languages, Caption{guessed.text}, 2).text, languages.text(2, "Str401"));
}

}  // namespace
}  // namespace vtr::text

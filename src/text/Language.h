#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The editor's texts in three languages: 1 English, 2 Traditional Chinese,
// 3 Simplified Chinese. Each language is a table resource ("lang1" ... "lang3"):
// FF FE, UTF-16LE text, a "[langN]" section of quoted key=text items. Texts are
// handed out as UTF-8.
//
// Reading a table: the text after FF FE is split into items at spaces, line
// breaks and other control characters; an item that begins with a double quote
// runs to the next double quote, spaces included, and loses its quotes (so an
// unquoted "Str001=Left Key" is read as "Str001=Left" and a stray "Key"). Items
// are trimmed; empty items and items beginning with ";" are skipped; "[name]"
// opens a section; any other item is key=text, split at the first "=", both
// trimmed. Only the keys of the table's own section count; keys and section
// names ignore case. An item without "=" or with an empty key is skipped, and
// when a key occurs twice the first one counts.
//
// A table that does not begin with FF FE is read as UTF-16LE from its first
// byte. Ill-formed UTF-16 (an odd last byte, an unpaired surrogate) reads as
// U+FFFD.
namespace vtr::text {

inline constexpr int kLanguageCount = 3;

// One table as read from its bytes.
class LanguageTable {
  public:
    LanguageTable() = default;
    // Reads a table; `section` is the section whose keys count ("lang1").
    // Never reads outside `bytes`; anything malformed just yields fewer keys.
    static LanguageTable Parse(std::span<const std::uint8_t> bytes, std::string_view section);

    // The text of a key (case-insensitive), or the empty text when it is missing.
    std::string text(std::string_view key) const;
    bool contains(std::string_view key) const;
    std::size_t size() const { return texts_.size(); }
    // Every key of the table, in lower case, sorted.
    std::vector<std::string> keys() const;

  private:
    friend class Languages;
    std::map<std::string, std::string, std::less<>> texts_;  // lower-case key -> UTF-8 text
};

// The three shipped tables and the current language.
class Languages {
  public:
    // Reads the embedded tables; starts in language 1.
    Languages();
    // Uses the given tables as languages 1..3.
    explicit Languages(std::array<LanguageTable, kLanguageCount> tables);

    int current() const { return current_; }
    // 1..3; other numbers are ignored.
    void setCurrent(int language);

    // A key's text in the current language, or in language 1..3.
    std::string text(std::string_view key) const;
    // A language outside 1..3 has no texts.
    std::string text(int language, std::string_view key) const;
    const LanguageTable& table(int language) const;

    // The key carrying exactly this text: tables lang1, lang2, lang3 in turn,
    // keys "Str" + 0..600 without leading zeros; the last match wins. As keys
    // below 100 are written with leading zeros ("Str001"), only Str100 ...
    // Str600 can be found. The empty text has no key (a missing key is not a
    // key whose text is empty).
    std::optional<std::string> FindLanguageKey(std::string_view text) const;

  private:
    LanguageTable tables_[kLanguageCount];
    int current_ = 1;
};

}  // namespace vtr::text

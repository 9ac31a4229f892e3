#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The editor's texts in three languages: 1 English, 2 Traditional Chinese,
// 3 Simplified Chinese. Each language is a table resource ("lang1" ... "lang3"):
// FF FE, UTF-16LE text, a "[langN]" section of quoted key=text items. Texts are
// handed out as UTF-8.
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

  private:
    std::map<std::string, std::string> texts_;  // lower-case key -> UTF-8 text
};

// The three shipped tables and the current language.
class Languages {
  public:
    // Reads the embedded tables; starts in language 1.
    Languages();

    int current() const { return current_; }
    // 1..3; other numbers are ignored.
    void setCurrent(int language);

    // A key's text in the current language, or in language 1..3.
    std::string text(std::string_view key) const;
    std::string text(int language, std::string_view key) const;
    const LanguageTable& table(int language) const;

    // The key carrying exactly this text: tables lang1, lang2, lang3 in turn,
    // keys "Str" + 0..600 without leading zeros; the last match wins.
    std::optional<std::string> FindLanguageKey(std::string_view text) const;

  private:
    LanguageTable tables_[kLanguageCount];
    int current_ = 1;
};

}  // namespace vtr::text

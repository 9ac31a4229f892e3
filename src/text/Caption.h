#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "text/Language.h"

// A caption that remembers where its text came from, so that a language switch
// translates it by its key rather than by guessing the key from the text. The
// guess (FindLanguageKey) is ambiguous where keys share a text: the media "Stop"
// (Str251) would come back as the record button's "Stop" (Str401).
namespace vtr::text {

struct Caption {
    std::string text = {};
    // The table key the text was taken from ("Str251"), when known.
    std::optional<std::string> key = std::nullopt;
    // A text that is not from the tables (a keyboard key name, a macro name, a
    // combination): it stays as it is in every language, even where it equals
    // a table text ("Delete", "Insert", "Clear").
    bool verbatim = false;

    // The text of `key` in `language`, remembering the key.
    static Caption FromKey(const Languages& languages, int language, std::string_view key);
    // A text that never changes with the language.
    static Caption Verbatim(std::string text);

    bool operator==(const Caption&) const = default;
};

// `caption` in `language`: a verbatim caption stays; a caption with a key
// becomes that key's text; any other caption is looked up with FindLanguageKey
// and, when its text is found, becomes the found key's text and keeps that key;
// otherwise it stays.
Caption Retranslate(const Languages& languages, const Caption& caption, int language);

}  // namespace vtr::text

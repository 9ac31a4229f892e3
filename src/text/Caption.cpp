#include "text/Caption.h"

#include <utility>

namespace vtr::text {

Caption Caption::FromKey(const Languages& languages, int language, std::string_view key) {
    return Caption{.text = languages.text(language, key), .key = std::string(key)};
}

Caption Caption::Verbatim(std::string text) {
    return Caption{.text = std::move(text), .verbatim = true};
}

Caption Retranslate(const Languages& languages, const Caption& caption, int language) {
    if (caption.verbatim) {
        return caption;
    }
    if (caption.key) {
        return Caption::FromKey(languages, language, *caption.key);
    }
    if (std::optional<std::string> key = languages.FindLanguageKey(caption.text)) {
        return Caption::FromKey(languages, language, *key);
    }
    return caption;
}

}  // namespace vtr::text

// Writes the three language tables resources/LANG1.bin ... LANG3.bin from the
// texts of LanguageTexts.h: FF FE, then UTF-16LE text with CR LF line ends, the section
// header "[langN]" and one quoted "Key=Text" item a line, a blank line between
// groups.
//
//   make-language-tables OUTPUT_FOLDER
#include <array>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "LanguageTexts.h"
#include "text/Utf.h"

namespace {

using vtr::language_texts::Entry;
using vtr::language_texts::kEntries;

std::vector<unsigned char> tableBytes(int language) {
    std::string text = "[lang" + std::to_string(language) + "]\r\n";
    for (const Entry& entry : kEntries) {
        if (entry.key != nullptr) {
            text += '"';
            text += entry.key;
            text += '=';
            text += entry.texts[language - 1];
            text += '"';
        }
        text += "\r\n";
    }
    std::vector<unsigned char> bytes = {0xFF, 0xFE};
    for (char16_t unit : vtr::text::ToUtf16(text)) {
        bytes.push_back(static_cast<unsigned char>(unit & 0xFF));
        bytes.push_back(static_cast<unsigned char>(unit >> 8));
    }
    return bytes;
}

bool writeFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-language-tables OUTPUT_FOLDER\n");
        return 2;
    }
    for (int language = 1; language <= 3; ++language) {
        const std::string path = std::string(argv[1]) + "/LANG" + std::to_string(language) + ".bin";
        if (!writeFile(path, tableBytes(language))) {
            std::fprintf(stderr, "make-language-tables: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}

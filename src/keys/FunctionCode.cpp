#include "keys/FunctionCode.h"

#include <algorithm>

#include "image/MemoryMap.h"
#include "keys/KeyCatalogue.h"

namespace vtr::keys {
namespace {

// clang-format off
constexpr FunctionEntry kCatalogue[] = {
    {900, "Key_Left", "010100", "Str210"},
    {901, "Key_Right", "010200", "Str211"},
    {902, "Key_Middle", "010400", "Str212"},
    {903, "Key_B4", "010800", "Str213"},
    {904, "Key_B5", "011000", "Str214"},
    {1000, "Key_Fire", "", "Str230"},
    {1001, "Key_CPI", "050000", "Str231"},
    {1002, "Key_CPII", "070000", "Str232"},
    {1003, "Key_CPID", "080000", "Str233"},
    {1004, "Key_LEDSwitch", "090000", "Str234"},
    {1100, "Key_Computer", "030194", "Str240", 0x0194},
    {1101, "Key_Calculator", "030192", "Str241", 0x0192},
    {1102, "Key_EMail", "03018A", "Str242", 0x018A},
    {1300, "Key_PlayPause", "0300CD", "Str250", 0x00CD},
    {1301, "Key_Stop", "0300B7", "Str251", 0x00B7},
    {1302, "Key_PreviousTrack", "0300B6", "Str252", 0x00B6},
    {1303, "Key_NextTrack", "0300B5", "Str253", 0x00B5},
    {1304, "Key_VolumePlus", "0300E9", "Str254", 0x00E9},
    {1305, "Key_VolumeMinus", "0300EA", "Str255", 0x00EA},
    {1306, "Key_Mute", "0300E2", "Str256", 0x00E2},
    {1400, "Key_WWWHome", "030223", "Str260", 0x0223},
    {1401, "Key_WWWSearch", "030221", "Str261", 0x0221},
    {1402, "Key_WWWBack", "030224", "Str262", 0x0224},
    {1403, "Key_WWWForward", "030225", "Str263", 0x0225},
    {1404, "Key_WWWStop", "030226", "Str264", 0x0226},
    {1405, "Key_WWWRefresh", "030227", "Str265", 0x0227},
    {1406, "Key_WWWFavorites", "03022A", "Str266", 0x022A},
};

constexpr FallbackFunction kFallbacks[kButtonCount] = {
    {900, {}, {}},             // Key1: left
    {902, {}, {}},             // Key2: middle
    {901, {}, {}},             // Key3: right
    {903, {}, {}},             // Key4: backward
    {904, {}, {}},             // Key5: forward
    {1001, {}, {}},            // Key6: CPI
    {kFireKeyTag, {}, {}},     // Key7: fire key with the current values
    {0, "020807", "Win+D"},    // Key8
    {1004, {}, {}},            // Key9: LED switch
};
// clang-format on

// Rules 1 and 3: fixed codes with a table name.
struct FixedName {
    std::string_view codeText;
    std::string_view textKey;
};
constexpr FixedName kMouseButtonNames[] = {
    {"010100", "Str210"}, {"010200", "Str211"}, {"010400", "Str212"},
    {"010800", "Str213"}, {"011000", "Str214"},
};
constexpr FixedName kSpecialNames[] = {
    {"050000", "Str231"},
    {"070000", "Str232"},
    {"080000", "Str233"},
    {"090000", "Str234"},
};

constexpr char kHexDigits[] = "0123456789ABCDEF";

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// The byte written by the two digits at `pos`, or nothing.
std::optional<std::uint8_t> HexByte(std::string_view text, std::size_t pos) {
    if (text.size() < pos + 2) {
        return std::nullopt;
    }
    const int high = HexDigit(text[pos]);
    const int low = HexDigit(text[pos + 1]);
    if (high < 0 || low < 0) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(high * 16 + low);
}

void AppendHex(std::string& text, std::uint8_t byte) {
    text += kHexDigits[byte >> 4];
    text += kHexDigits[byte & 0x0F];
}

std::string KeyboardName(std::uint8_t mask, std::uint8_t key) {
    std::string name;
    if (mask & kModifierCtrl) {
        name += "Ctrl+";
    }
    if (mask & kModifierShift) {
        name += "Shift+";
    }
    if (mask & kModifierAlt) {
        name += "Alt+";
    }
    if (mask & kModifierWin) {
        name += "Win+";
    }
    if (key != 0) {
        name += DeviceKeyToName(key);
    }
    return name;
}

std::string MacroName(std::uint16_t address, const MacroDirectory& macros) {
    if (!image::isDeviceType(macros.deviceType())) {
        return {};
    }
    std::string name;
    const std::span<const std::uint16_t> addresses = macros.startAddresses();
    for (std::size_t i = 0; i < addresses.size(); ++i) {
        if (addresses[i] == address) {
            name = macros.name(i);  // the last equal slot wins
        }
    }
    return name;
}

text::Caption FromKey(const text::Languages& languages, std::string_view key) {
    return text::Caption::FromKey(languages, languages.current(), key);
}

}  // namespace

std::optional<CodeBytes> CodeTextToBytes(std::string_view code) {
    CodeBytes bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const std::optional<std::uint8_t> byte = HexByte(code, 2 * i);
        if (!byte) {
            return std::nullopt;
        }
        bytes[i] = *byte;
    }
    return bytes;
}

std::string BytesToCodeText(const CodeBytes& bytes) {
    std::string text;
    for (std::uint8_t byte : bytes) {
        AppendHex(text, byte);
    }
    return text;
}

std::string CombinationCodeText(std::uint8_t mask, std::uint8_t firstKey, std::uint8_t secondKey) {
    std::string text =
        BytesToCodeText({static_cast<std::uint8_t>(Category::KeyboardKey), mask, firstKey});
    AppendHex(text, secondKey);
    return text;
}

std::string MacroCodeText(std::uint16_t startAddress) {
    std::string text = "06";
    AppendHex(text, static_cast<std::uint8_t>(startAddress >> 8));
    AppendHex(text, static_cast<std::uint8_t>(startAddress & 0xFF));
    return text;
}

std::span<const FunctionEntry> FunctionCatalogue() {
    return kCatalogue;
}

const FunctionEntry* FindFunction(int tag) {
    const auto* it = std::find_if(std::begin(kCatalogue), std::end(kCatalogue),
                                  [tag](const FunctionEntry& e) { return e.tag == tag; });
    return it == std::end(kCatalogue) ? nullptr : it;
}

std::string CodeForMenuTag(int tag, const FireKey& fireKey) {
    if (tag == kFireKeyTag) {
        return fireKey.codeText();
    }
    const FunctionEntry* entry = FindFunction(tag);
    return entry ? std::string(entry->codeText) : std::string();
}

text::Caption DescribeFunction(std::string_view code, const text::Languages& languages,
                               const MacroDirectory& macros) {
    for (const FixedName& fixed : kMouseButtonNames) {
        if (code == fixed.codeText) {
            return FromKey(languages, fixed.textKey);
        }
    }
    if (code.starts_with("04")) {
        return FromKey(languages, "Str230");
    }
    for (const FixedName& fixed : kSpecialNames) {
        if (code == fixed.codeText) {
            return FromKey(languages, fixed.textKey);
        }
    }
    for (const FunctionEntry& entry : kCatalogue) {
        if (entry.consumerUsage != 0 && code == entry.codeText) {
            return FromKey(languages, entry.textKey);
        }
    }

    const std::optional<std::uint8_t> category = HexByte(code, 0);
    const std::optional<std::uint8_t> p1 = HexByte(code, 2);
    const std::optional<std::uint8_t> p2 = HexByte(code, 4);
    if (category && p1 && p2) {
        if (*category == static_cast<std::uint8_t>(Category::KeyboardKey)) {
            return text::Caption::Verbatim(KeyboardName(*p1, *p2));
        }
        if (*category == static_cast<std::uint8_t>(Category::Macro)) {
            const auto address = static_cast<std::uint16_t>(*p1 << 8 | *p2);
            return text::Caption::Verbatim(MacroName(address, macros));
        }
    }
    return text::Caption::Verbatim({});
}

std::string FunctionDisplayName(std::string_view code, const text::Languages& languages,
                                const MacroDirectory& macros) {
    return DescribeFunction(code, languages, macros).text;
}

const FallbackFunction* FallbackFor(int button) {
    return button >= 1 && button <= kButtonCount ? &kFallbacks[button - 1] : nullptr;
}

}  // namespace vtr::keys

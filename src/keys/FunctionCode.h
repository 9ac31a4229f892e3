#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "keys/FireKey.h"
#include "keys/MacroDirectory.h"
#include "text/Caption.h"
#include "text/Language.h"

// Function codes: the three bytes a mouse button carries (category, parameter 1,
// parameter 2), their text form, the functions the button menus offer and the
// names shown on the buttons.
//
// The editor keeps each button's code as a code text: every byte as two
// upper-case hexadecimal digits, six digits in all ("010100", "03022A"). A
// combination from the combination-key dialog is eight digits ("02", modifier
// mask, first key, second key); only its first six digits become table bytes.
namespace vtr::keys {

inline constexpr int kButtonCount = 9;

// The nine buttons' code texts, Key1 ... Key9.
using CodeTexts = std::array<std::string, kButtonCount>;
using CodeBytes = std::array<std::uint8_t, 3>;

enum class Category : std::uint8_t {
    MouseButton = 0x01,      // parameter 1: button mask
    KeyboardKey = 0x02,      // parameter 1: modifier mask, parameter 2: device key code
    ConsumerControl = 0x03,  // parameters: a HID Consumer usage, high byte first
    FireKey = 0x04,          // parameter 1: repeat count x 2, parameter 2: delay
    CpiKey = 0x05,
    Macro = 0x06,  // parameters: the macro's start address, high byte first
    CpiUp = 0x07,
    CpiDown = 0x08,
    LedSwitch = 0x09,
};

// Modifier mask bits of a keyboard code.
inline constexpr std::uint8_t kModifierCtrl = 0x01;
inline constexpr std::uint8_t kModifierShift = 0x02;
inline constexpr std::uint8_t kModifierAlt = 0x04;
inline constexpr std::uint8_t kModifierWin = 0x08;

// Digits 1-2, 3-4 and 5-6 as hexadecimal bytes (either case); digits beyond the
// sixth are ignored. Nothing when the text is shorter than six characters or
// one of the first six is not a hexadecimal digit: such a text has no bytes and
// must not be stored.
std::optional<CodeBytes> CodeTextToBytes(std::string_view code);
// Each byte as two upper-case hexadecimal digits.
std::string BytesToCodeText(const CodeBytes& bytes);
// The combination-key dialog's eight-digit code: "02", the modifier mask, the
// first key and the second key.
std::string CombinationCodeText(std::uint8_t mask, std::uint8_t firstKey, std::uint8_t secondKey);
// "06" and the start address as four upper-case hexadecimal digits.
std::string MacroCodeText(std::uint16_t startAddress);

// One predefined function of the button menus.
struct FunctionEntry {
    int tag;
    std::string_view item;            // the menu item's name
    std::string_view codeText;        // empty for the fire key, whose code is composed
    std::string_view textKey;         // language key of its name
    std::uint16_t consumerUsage = 0;  // for consumer controls: the HID Consumer usage
};

inline constexpr int kFireKeyTag = 1000;

// The 27 predefined functions, in menu-tag order.
std::span<const FunctionEntry> FunctionCatalogue();
// The catalogue row with this tag, or nullptr.
const FunctionEntry* FindFunction(int tag);

// The code text of the function with this menu tag. Tag 1000 composes the fire
// key from the current fire-key values. Empty for a tag outside the catalogue;
// the caller must not store that.
std::string CodeForMenuTag(int tag, const FireKey& fireKey);

// The name shown on a button carrying `code`, in the current language, as a
// caption: names from the language tables carry their key, so a language switch
// translates them by key; keyboard combinations, macro names and the empty name
// are verbatim. The rules, in order, compare whole texts exactly (so "03018a" is
// not E-Mail):
//   1. the five single mouse buttons; 2. any text beginning "04" is the fire key;
//   3. the CPI keys and the LED switch; 4. the seventeen consumer codes;
//   5. by category: keyboard codes are named from their modifiers and key
//      ("Ctrl+" ... "Win+", then the key's name; "020100" is "Ctrl+"), macro
//      codes by the name of the macro whose start address equals theirs (the
//      last equal slot wins), anything else has no name.
// A text that rule 5 cannot read as hexadecimal has no name.
text::Caption DescribeFunction(std::string_view code, const text::Languages& languages,
                               const MacroDirectory& macros);
// The text of DescribeFunction.
std::string FunctionDisplayName(std::string_view code, const text::Languages& languages,
                                const MacroDirectory& macros);

// The function a button gets back when the macro it carried has gone: a menu
// tag, or for Key8 (tag 0) the fixed code "020807" with the caption "Win+D".
struct FallbackFunction {
    int tag;
    std::string_view codeText;
    std::string_view caption;
};

// The fallback of button 1..9; nullptr for any other number.
const FallbackFunction* FallbackFor(int button);

}  // namespace vtr::keys

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "keys/KeyCatalogue.h"
#include "platform/KeysymVirtualKeys.h"

namespace vtr::platform {
namespace {

// One row of keysym-to-vk.tsv: the virtual key a Windows keyboard state query
// gives for a key of a US keyboard, by its X keysym, or by its keycode for keys
// a common keymap lacks.
struct Row {
    std::string name;
    std::optional<std::uint32_t> keysym;
    std::optional<unsigned> keycode;
    std::uint16_t virtualKey = 0;
};

std::vector<Row> ReadTable() {
    std::ifstream file(VTR_PLATFORM_FIXTURES "/keysym-to-vk.tsv");
    std::vector<Row> rows;
    std::string line;
    std::getline(file, line);  // the column names
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream fields(line);
        std::string name;
        std::string keysym;
        std::string vk;
        std::getline(fields, name, '\t');
        std::getline(fields, keysym, '\t');
        std::getline(fields, vk, '\t');
        Row row;
        row.name = name;
        if (name.rfind("keycode:", 0) == 0) {
            row.keycode = static_cast<unsigned>(std::stoul(name.substr(8)));
        } else {
            row.keysym = static_cast<std::uint32_t>(std::stoul(keysym, nullptr, 16));
        }
        row.virtualKey = static_cast<std::uint16_t>(std::stoul(vk, nullptr, 16));
        rows.push_back(row);
    }
    return rows;
}

bool IsKeypadDigit(std::uint32_t keysym) {
    return (keysym >= 0xFFB0 && keysym <= 0xFFB9) || keysym == 0xFFAE;  // KP_0..KP_9, KP_Decimal
}

TEST(KeysymVirtualKeysTest, GivesTheVirtualKeysOfAUsKeyboard) {
    const std::vector<Row> rows = ReadTable();
    ASSERT_GT(rows.size(), 190u);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::uint16_t expected = keys::GenericModifier(row.virtualKey);
        if (row.keycode) {
            EXPECT_EQ(VirtualKeyFromKeycode(*row.keycode), expected);
            continue;
        }
        // The table lists the keypad's digits as Num Lock on gives them and
        // its other keysyms as Num Lock off gives them; everything else does
        // not depend on Num Lock.
        const bool numLock = IsKeypadDigit(*row.keysym);
        const bool isPad = *row.keysym >= 0xFF95 && *row.keysym <= 0xFF9F;
        EXPECT_EQ(VirtualKeyFromKeysym(*row.keysym, numLock), expected);
        if (!numLock && !isPad) {
            EXPECT_EQ(VirtualKeyFromKeysym(*row.keysym, true), expected);
        }
    }
}

TEST(KeysymVirtualKeysTest, KeypadFollowsNumLockWhicheverKeysymTheKeyGave) {
    struct Case {
        const char* what;
        std::uint32_t keysym;
        std::uint16_t withNumLock;
        std::uint16_t withoutNumLock;
    };
    const Case cases[] = {
        {"KP_1", 0xFFB1, 0x61, 0x23},       {"KP_End", 0xFF9C, 0x61, 0x23},
        {"KP_0", 0xFFB0, 0x60, 0x2D},       {"KP_Insert", 0xFF9E, 0x60, 0x2D},
        {"KP_5", 0xFFB5, 0x65, 0x0C},       {"KP_Begin", 0xFF9D, 0x65, 0x0C},
        {"KP_9", 0xFFB9, 0x69, 0x21},       {"KP_Prior", 0xFF9A, 0x69, 0x21},
        {"KP_Decimal", 0xFFAE, 0x6E, 0x2E}, {"KP_Delete", 0xFF9F, 0x6E, 0x2E},
        {"KP_Add", 0xFFAB, 0x6B, 0x6B},     {"KP_Enter", 0xFF8D, 0x0D, 0x0D},
        {"KP_Divide", 0xFFAF, 0x6F, 0x6F},  {"KP_Separator", 0xFFAC, 0x6C, 0x6C},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(VirtualKeyFromKeysym(c.keysym, true), c.withNumLock);
        EXPECT_EQ(VirtualKeyFromKeysym(c.keysym, false), c.withoutNumLock);
    }
}

TEST(KeysymVirtualKeysTest, ModifiersAreReportedAsRawInputReportsThem) {
    struct Case {
        const char* what;
        std::uint32_t keysym;
        std::uint16_t vk;
    };
    const Case cases[] = {
        {"Shift_R", 0xFFE2, 0x10}, {"Control_R", 0xFFE4, 0x11},
        {"Alt_R", 0xFFEA, 0x12},   {"ISO_Level3_Shift (AltGr)", 0xFE03, 0x12},
        {"Meta_L", 0xFFE7, 0x12},  {"Super_L", 0xFFEB, 0x5B},
        {"Super_R", 0xFFEC, 0x5C}, {"Caps_Lock", 0xFFE5, 0x14},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(VirtualKeyFromKeysym(c.keysym, false), c.vk);
    }
}

TEST(KeysymVirtualKeysTest, KeysItDoesNotKnowGiveNothing) {
    // NoSymbol, shifted symbols (the capture looks keys up unshifted, and on
    // other layouts they sit on other keys), F25, Cancel, Cyrillic a, a Unicode
    // keysym, Hyper_L, an XF86 key without a virtual key.
    for (const std::uint32_t keysym :
         {0x0u, 0x21u, 0x3Au, 0x7Eu, 0xFFD6u, 0xFF69u, 0x6C1u, 0x10000E9u, 0xFFEDu, 0x1008FF2Eu}) {
        SCOPED_TRACE(keysym);
        EXPECT_EQ(VirtualKeyFromKeysym(keysym, false), std::nullopt);
        EXPECT_EQ(VirtualKeyFromKeysym(keysym, true), std::nullopt);
    }
    for (const unsigned keycode : {0u, 8u, 9u, 36u, 50u, 87u, 129u, 203u, 255u, 256u, 100000u}) {
        SCOPED_TRACE(keycode);
        EXPECT_EQ(VirtualKeyFromKeycode(keycode), std::nullopt);
    }
}

TEST(KeysymVirtualKeysTest, KeysOfALayoutWithoutLatinLettersAreKnownByTheirPlace) {
    // The keycodes of Q, A, Z, 1, 0, ';', '/' and the ISO key.
    struct Case {
        unsigned keycode;
        std::uint16_t vk;
    };
    for (const Case c : {Case{24, 'Q'}, Case{38, 'A'}, Case{52, 'Z'}, Case{58, 'M'}, Case{10, '1'},
                         Case{19, '0'}, Case{47, 0xBA}, Case{61, 0xBF}, Case{94, 0xE2}}) {
        SCOPED_TRACE(c.keycode);
        EXPECT_EQ(VirtualKeyFromKeycode(c.keycode), c.vk);
    }
}

// Every virtual key the catalogue lists can come from some key, except those
// a US keyboard never gives through raw input: the side-specific modifiers
// (raw input reports the generic ones), OEM_8 (a UK-layout key) and 0xFF.
// And every virtual key the translation gives has a catalogue entry, except
// two the catalogue does not list: the ISO key's VK_OEM_102 and VK_EXECUTE.
TEST(KeysymVirtualKeysTest, ReachesEveryCatalogueKeyAndNothingElse) {
    std::set<std::uint16_t> reached;
    auto add = [&](std::optional<std::uint16_t> vk) {
        if (vk) {
            reached.insert(*vk);
        }
    };
    auto addRange = [&](std::uint32_t first, std::uint32_t last) {
        for (std::uint32_t keysym = first; keysym <= last; ++keysym) {
            add(VirtualKeyFromKeysym(keysym, false));
            add(VirtualKeyFromKeysym(keysym, true));
        }
    };
    addRange(0x20, 0x7E);
    addRange(0xFE00, 0xFFFF);
    addRange(0x1008FF00, 0x1008FFFF);
    for (unsigned keycode = 0; keycode < 256; ++keycode) {
        add(VirtualKeyFromKeycode(keycode));
    }

    const std::set<std::uint16_t> unreachable = {0xFF, 0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xDF};
    for (const keys::KeyEntry& entry : keys::KeyCatalogue()) {
        if (entry.virtualKey < 0) {
            continue;
        }
        const auto vk = static_cast<std::uint16_t>(entry.virtualKey);
        SCOPED_TRACE(std::string(entry.name));
        EXPECT_EQ(reached.count(vk), unreachable.count(vk) ? 0u : 1u);
    }
    for (const std::uint16_t vk : reached) {
        SCOPED_TRACE(vk);
        if (vk == 0xE2 || vk == 0x2B) {
            continue;
        }
        EXPECT_NE(keys::VirtualKeyToKeyIndex(vk), keys::kNoKeyIndex);
    }
}

TEST(KeysymVirtualKeysTest, PointerButtonsAreTheFiveMouseButtonsWithoutTheWheel) {
    const std::optional<CaptureButton> expected[] = {
        std::nullopt,             // 0
        CaptureButton::Left,      // 1
        CaptureButton::Middle,    // 2
        CaptureButton::Right,     // 3
        std::nullopt,             // 4: wheel up
        std::nullopt,             // 5: wheel down
        std::nullopt,             // 6: wheel left
        std::nullopt,             // 7: wheel right
        CaptureButton::Backward,  // 8
        CaptureButton::Forward,   // 9
        std::nullopt,             // 10
    };
    for (unsigned button = 0; button < std::size(expected); ++button) {
        SCOPED_TRACE(button);
        EXPECT_EQ(CaptureButtonFromPointerButton(button), expected[button]);
    }
}

}  // namespace
}  // namespace vtr::platform

#include "platform/KeysymVirtualKeys.h"

namespace vtr::platform {
namespace {

struct Pair {
    std::uint32_t from;
    std::uint16_t vk;
};

constexpr std::uint16_t kVkShift = 0x10;
constexpr std::uint16_t kVkControl = 0x11;
constexpr std::uint16_t kVkMenu = 0x12;

// Keysyms of keys whose virtual key does not depend on any state.
// clang-format off
constexpr Pair kKeysyms[] = {
    // US punctuation (unshifted)
    {0x20, 0x20},        // space
    {0x27, 0xDE},        // apostrophe: VK_OEM_7
    {0x2C, 0xBC},        // comma: VK_OEM_COMMA
    {0x2D, 0xBD},        // minus: VK_OEM_MINUS
    {0x2E, 0xBE},        // period: VK_OEM_PERIOD
    {0x2F, 0xBF},        // slash: VK_OEM_2
    {0x3B, 0xBA},        // semicolon: VK_OEM_1
    {0x3C, 0xE2},        // less (the extra key of ISO keyboards): VK_OEM_102
    {0x3D, 0xBB},        // equal: VK_OEM_PLUS
    {0x5B, 0xDB},        // bracketleft: VK_OEM_4
    {0x5C, 0xDC},        // backslash: VK_OEM_5
    {0x5D, 0xDD},        // bracketright: VK_OEM_6
    {0x60, 0xC0},        // grave: VK_OEM_3
    // editing and system keys
    {0xFE20, 0x09},      // ISO_Left_Tab
    {0xFF08, 0x08},      // BackSpace
    {0xFF09, 0x09},      // Tab
    {0xFF0B, 0x0C},      // Clear
    {0xFF0D, 0x0D},      // Return
    {0xFF13, 0x13},      // Pause
    {0xFF14, 0x91},      // Scroll_Lock
    {0xFF1B, 0x1B},      // Escape
    {0xFF50, 0x24},      // Home
    {0xFF51, 0x25},      // Left
    {0xFF52, 0x26},      // Up
    {0xFF53, 0x27},      // Right
    {0xFF54, 0x28},      // Down
    {0xFF55, 0x21},      // Prior (Page Up)
    {0xFF56, 0x22},      // Next (Page Down)
    {0xFF57, 0x23},      // End
    {0xFF60, 0x29},      // Select
    {0xFF61, 0x2C},      // Print: VK_SNAPSHOT
    {0xFF62, 0x2B},      // Execute
    {0xFF63, 0x2D},      // Insert
    {0xFF67, 0x5D},      // Menu: VK_APPS
    {0xFF6A, 0x2F},      // Help
    {0xFF7F, 0x90},      // Num_Lock
    {0xFFFF, 0x2E},      // Delete
    // keypad keys that Num Lock does not change
    {0xFF8D, 0x0D},      // KP_Enter
    {0xFFAA, 0x6A},      // KP_Multiply
    {0xFFAB, 0x6B},      // KP_Add
    {0xFFAC, 0x6C},      // KP_Separator
    {0xFFAD, 0x6D},      // KP_Subtract
    {0xFFAF, 0x6F},      // KP_Divide
    // modifiers: raw input does not tell the sides of Shift, Ctrl and Alt apart
    {0xFE03, kVkMenu},   // ISO_Level3_Shift (AltGr)
    {0xFF7E, kVkMenu},   // Mode_switch
    {0xFFE1, kVkShift},  // Shift_L
    {0xFFE2, kVkShift},  // Shift_R
    {0xFFE3, kVkControl},  // Control_L
    {0xFFE4, kVkControl},  // Control_R
    {0xFFE5, 0x14},      // Caps_Lock
    {0xFFE6, 0x14},      // Shift_Lock
    {0xFFE7, kVkMenu},   // Meta_L
    {0xFFE8, kVkMenu},   // Meta_R
    {0xFFE9, kVkMenu},   // Alt_L
    {0xFFEA, kVkMenu},   // Alt_R
    {0xFFEB, 0x5B},      // Super_L: VK_LWIN
    {0xFFEC, 0x5C},      // Super_R: VK_RWIN
    // browser, volume, media, mail and launch keys
    {0x1008FF11, 0xAE},  // XF86AudioLowerVolume: VK_VOLUME_DOWN
    {0x1008FF12, 0xAD},  // XF86AudioMute: VK_VOLUME_MUTE
    {0x1008FF13, 0xAF},  // XF86AudioRaiseVolume: VK_VOLUME_UP
    {0x1008FF14, 0xB3},  // XF86AudioPlay: VK_MEDIA_PLAY_PAUSE
    {0x1008FF15, 0xB2},  // XF86AudioStop: VK_MEDIA_STOP
    {0x1008FF16, 0xB1},  // XF86AudioPrev: VK_MEDIA_PREV_TRACK
    {0x1008FF17, 0xB0},  // XF86AudioNext: VK_MEDIA_NEXT_TRACK
    {0x1008FF18, 0xAC},  // XF86HomePage: VK_BROWSER_HOME
    {0x1008FF19, 0xB4},  // XF86Mail: VK_LAUNCH_MAIL
    {0x1008FF1B, 0xAA},  // XF86Search: VK_BROWSER_SEARCH
    {0x1008FF1D, 0xB7},  // XF86Calculator: VK_LAUNCH_APP2
    {0x1008FF26, 0xA6},  // XF86Back: VK_BROWSER_BACK
    {0x1008FF27, 0xA7},  // XF86Forward: VK_BROWSER_FORWARD
    {0x1008FF28, 0xA9},  // XF86Stop: VK_BROWSER_STOP
    {0x1008FF29, 0xA8},  // XF86Refresh: VK_BROWSER_REFRESH
    {0x1008FF30, 0xAB},  // XF86Favorites: VK_BROWSER_FAVORITES
    {0x1008FF31, 0xB3},  // XF86AudioPause: VK_MEDIA_PLAY_PAUSE
    {0x1008FF32, 0xB5},  // XF86AudioMedia: VK_LAUNCH_MEDIA_SELECT
    {0x1008FF33, 0xB6},  // XF86MyComputer: VK_LAUNCH_APP1
    {0x1008FF40, 0xB6},  // XF86Launch0: VK_LAUNCH_APP1
    {0x1008FF41, 0xB7},  // XF86Launch1: VK_LAUNCH_APP2
    {0x1008FF5D, 0xB6},  // XF86Explorer: VK_LAUNCH_APP1
    {0x1008FF73, 0xA8},  // XF86Reload: VK_BROWSER_REFRESH
};

// The keys of the pad that Num Lock switches: the keysym with Num Lock off,
// the one with it on, and their virtual keys.
struct PadKey {
    std::uint32_t navigation;
    std::uint32_t digit;
    std::uint16_t navigationVk;
    std::uint16_t digitVk;
};
constexpr PadKey kPadKeys[] = {
    {0xFF9E, 0xFFB0, 0x2D, 0x60},  // KP_Insert / KP_0
    {0xFF9C, 0xFFB1, 0x23, 0x61},  // KP_End / KP_1
    {0xFF99, 0xFFB2, 0x28, 0x62},  // KP_Down / KP_2
    {0xFF9B, 0xFFB3, 0x22, 0x63},  // KP_Next / KP_3
    {0xFF96, 0xFFB4, 0x25, 0x64},  // KP_Left / KP_4
    {0xFF9D, 0xFFB5, 0x0C, 0x65},  // KP_Begin / KP_5
    {0xFF98, 0xFFB6, 0x27, 0x66},  // KP_Right / KP_6
    {0xFF95, 0xFFB7, 0x24, 0x67},  // KP_Home / KP_7
    {0xFF97, 0xFFB8, 0x26, 0x68},  // KP_Up / KP_8
    {0xFF9A, 0xFFB9, 0x21, 0x69},  // KP_Prior / KP_9
    {0xFF9F, 0xFFAE, 0x2E, 0x6E},  // KP_Delete / KP_Decimal
};

// Keycodes (Linux input code + 8) of keys known by their place.
constexpr Pair kKeycodes[] = {
    {10, '1'}, {11, '2'}, {12, '3'}, {13, '4'}, {14, '5'},
    {15, '6'}, {16, '7'}, {17, '8'}, {18, '9'}, {19, '0'},
    {20, 0xBD}, {21, 0xBB},  // minus, equal
    {24, 'Q'}, {25, 'W'}, {26, 'E'}, {27, 'R'}, {28, 'T'},
    {29, 'Y'}, {30, 'U'}, {31, 'I'}, {32, 'O'}, {33, 'P'},
    {34, 0xDB}, {35, 0xDD},  // brackets
    {38, 'A'}, {39, 'S'}, {40, 'D'}, {41, 'F'}, {42, 'G'},
    {43, 'H'}, {44, 'J'}, {45, 'K'}, {46, 'L'},
    {47, 0xBA}, {48, 0xDE}, {49, 0xC0}, {51, 0xDC},  // ; ' ` backslash
    {52, 'Z'}, {53, 'X'}, {54, 'C'}, {55, 'V'}, {56, 'B'}, {57, 'N'}, {58, 'M'},
    {59, 0xBC}, {60, 0xBE}, {61, 0xBF},  // , . /
    {94, 0xE2},  // the extra key of ISO keyboards
    {136, 0xA9},  // Stop: VK_BROWSER_STOP
    {181, 0xA8},  // Refresh: VK_BROWSER_REFRESH
    {191, 0x7C}, {192, 0x7D}, {193, 0x7E}, {194, 0x7F}, {195, 0x80}, {196, 0x81},  // F13..F18
    {197, 0x82}, {198, 0x83}, {199, 0x84}, {200, 0x85}, {201, 0x86}, {202, 0x87},  // F19..F24
};
// clang-format on

template <std::size_t N>
std::optional<std::uint16_t> Find(const Pair (&table)[N], std::uint32_t from) {
    for (const Pair& pair : table) {
        if (pair.from == from) {
            return pair.vk;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::uint16_t> VirtualKeyFromKeysym(std::uint32_t keysym, bool numLock) {
    if (keysym >= 'a' && keysym <= 'z') {
        return static_cast<std::uint16_t>(keysym - 'a' + 'A');
    }
    if ((keysym >= 'A' && keysym <= 'Z') || (keysym >= '0' && keysym <= '9')) {
        return static_cast<std::uint16_t>(keysym);
    }
    constexpr std::uint32_t kF1 = 0xFFBE;
    constexpr std::uint32_t kF24 = 0xFFD5;
    if (keysym >= kF1 && keysym <= kF24) {
        return static_cast<std::uint16_t>(0x70 + (keysym - kF1));
    }
    for (const PadKey& key : kPadKeys) {
        if (keysym == key.navigation || keysym == key.digit) {
            return numLock ? key.digitVk : key.navigationVk;
        }
    }
    return Find(kKeysyms, keysym);
}

std::optional<std::uint16_t> VirtualKeyFromKeycode(unsigned keycode) {
    return Find(kKeycodes, keycode);
}

std::optional<CaptureButton> CaptureButtonFromPointerButton(unsigned button) {
    switch (button) {
        case 1:
            return CaptureButton::Left;
        case 2:
            return CaptureButton::Middle;
        case 3:
            return CaptureButton::Right;
        case 8:
            return CaptureButton::Backward;
        case 9:
            return CaptureButton::Forward;
        default:
            return std::nullopt;
    }
}

}  // namespace vtr::platform

#include "keys/KeyCatalogue.h"

#include <array>

namespace vtr::keys {
namespace {

// clang-format off
constexpr KeyEntry kEntries[kKeyCount] = {
    {"None", -1, 0x00},  // 0
    {"", -1, 0x00},  // 1
    {"255", 0xFF, 0x00},  // 2
    {"Backspace", 0x08, 0x2A},  // 3
    {"Tab", 0x09, 0x2B},  // 4
    {"Clear", 0x0C, 0x9C},  // 5
    {"Enter", 0x0D, 0x28},  // 6
    {"Shift", 0x10, 0xE1},  // 7
    {"Ctrl", 0x11, 0xE0},  // 8
    {"Alt", 0x12, 0xE2},  // 9
    {"Pause", 0x13, 0x48},  // 10
    {"Caps Lock", 0x14, 0x39},  // 11
    {"Esc", 0x1B, 0x29},  // 12
    {"Space bar", 0x20, 0x2C},  // 13
    {"Page Up", 0x21, 0x4B},  // 14
    {"Page Down", 0x22, 0x4E},  // 15
    {"End", 0x23, 0x4D},  // 16
    {"Home", 0x24, 0x4A},  // 17
    {"Left Arrow", 0x25, 0x50},  // 18
    {"Up Arrow", 0x26, 0x52},  // 19
    {"Right Arrow", 0x27, 0x4F},  // 20
    {"Down Arrow", 0x28, 0x51},  // 21
    {"Select", 0x29, 0x77},  // 22
    {"Print Screen", 0x2C, 0x46},  // 23
    {"Insert", 0x2D, 0x49},  // 24
    {"Delete", 0x2E, 0x4C},  // 25
    {"Help", 0x2F, 0x75},  // 26
    {"Left Windows", 0x5B, 0xE3},  // 27
    {"Right Windows", 0x5C, 0xE7},  // 28
    {"Applications", 0x5D, 0x65},  // 29
    {"0 (numeric pad)", 0x60, 0x62},  // 30
    {"1 (numeric pad)", 0x61, 0x59},  // 31
    {"2 (numeric pad)", 0x62, 0x5A},  // 32
    {"3 (numeric pad)", 0x63, 0x5B},  // 33
    {"4 (numeric pad)", 0x64, 0x5C},  // 34
    {"5 (numeric pad)", 0x65, 0x5D},  // 35
    {"6 (numeric pad)", 0x66, 0x5E},  // 36
    {"7 (numeric pad)", 0x67, 0x5F},  // 37
    {"8 (numeric pad)", 0x68, 0x60},  // 38
    {"9 (numeric pad)", 0x69, 0x61},  // 39
    {"Multiply (numeric pad)", 0x6A, 0x55},  // 40
    {"Add (numeric pad)", 0x6B, 0x57},  // 41
    {"Separator (numeric pad)", 0x6C, 0x58},  // 42
    {"Subtract (numeric pad)", 0x6D, 0x56},  // 43
    {"Decimal (numeric pad)", 0x6E, 0x63},  // 44
    {"Divide (numeric pad)", 0x6F, 0x54},  // 45
    {"F1", 0x70, 0x3A},  // 46
    {"F2", 0x71, 0x3B},  // 47
    {"F3", 0x72, 0x3C},  // 48
    {"F4", 0x73, 0x3D},  // 49
    {"F5", 0x74, 0x3E},  // 50
    {"F6", 0x75, 0x3F},  // 51
    {"F7", 0x76, 0x40},  // 52
    {"F8", 0x77, 0x41},  // 53
    {"F9", 0x78, 0x42},  // 54
    {"F10", 0x79, 0x43},  // 55
    {"F11", 0x7A, 0x44},  // 56
    {"F12", 0x7B, 0x45},  // 57
    {"F13", 0x7C, 0x68},  // 58
    {"F14", 0x7D, 0x69},  // 59
    {"F15", 0x7E, 0x6A},  // 60
    {"F16", 0x7F, 0x6B},  // 61
    {"F17", 0x80, 0x6C},  // 62
    {"F18", 0x81, 0x6D},  // 63
    {"F19", 0x82, 0x6E},  // 64
    {"F20", 0x83, 0x6F},  // 65
    {"F21", 0x84, 0x70},  // 66
    {"F22", 0x85, 0x71},  // 67
    {"F23", 0x86, 0x72},  // 68
    {"F24", 0x87, 0x73},  // 69
    {"Num Lock", 0x90, 0x53},  // 70
    {"Scroll Lock", 0x91, 0x47},  // 71
    {"Left Shift", 0xA0, 0xE1},  // 72
    {"Right Shift", 0xA1, 0xE5},  // 73
    {"Left Ctrl", 0xA2, 0xE0},  // 74
    {"Right Ctrl", 0xA3, 0xE4},  // 75
    {"Left Alt", 0xA4, 0xE2},  // 76
    {"Right Alt", 0xA5, 0xE6},  // 77
    {"A", 0x41, 0x04},  // 78
    {"B", 0x42, 0x05},  // 79
    {"C", 0x43, 0x06},  // 80
    {"D", 0x44, 0x07},  // 81
    {"E", 0x45, 0x08},  // 82
    {"F", 0x46, 0x09},  // 83
    {"G", 0x47, 0x0A},  // 84
    {"H", 0x48, 0x0B},  // 85
    {"I", 0x49, 0x0C},  // 86
    {"J", 0x4A, 0x0D},  // 87
    {"K", 0x4B, 0x0E},  // 88
    {"L", 0x4C, 0x0F},  // 89
    {"M", 0x4D, 0x10},  // 90
    {"N", 0x4E, 0x11},  // 91
    {"O", 0x4F, 0x12},  // 92
    {"P", 0x50, 0x13},  // 93
    {"Q", 0x51, 0x14},  // 94
    {"R", 0x52, 0x15},  // 95
    {"S", 0x53, 0x16},  // 96
    {"T", 0x54, 0x17},  // 97
    {"U", 0x55, 0x18},  // 98
    {"V", 0x56, 0x19},  // 99
    {"W", 0x57, 0x1A},  // 100
    {"X", 0x58, 0x1B},  // 101
    {"Y", 0x59, 0x1C},  // 102
    {"Z", 0x5A, 0x1D},  // 103
    {"0", 0x30, 0x27},  // 104
    {"1", 0x31, 0x1E},  // 105
    {"2", 0x32, 0x1F},  // 106
    {"3", 0x33, 0x20},  // 107
    {"4", 0x34, 0x21},  // 108
    {"5", 0x35, 0x22},  // 109
    {"6", 0x36, 0x23},  // 110
    {"7", 0x37, 0x24},  // 111
    {"8", 0x38, 0x25},  // 112
    {"9", 0x39, 0x26},  // 113
    {"OEM_1", 0xBA, 0x33},  // 114
    {"OEM_2", 0xBF, 0x38},  // 115
    {"OEM_3", 0xC0, 0x35},  // 116
    {"OEM_4", 0xDB, 0x2F},  // 117
    {"OEM_5", 0xDC, 0x31},  // 118
    {"OEM_6", 0xDD, 0x30},  // 119
    {"OEM_7", 0xDE, 0x34},  // 120
    {"OEM_8", 0xDF, 0x00},  // 121
    {"OEM_Plus", 0xBB, 0x2E},  // 122
    {"OEM_Comma", 0xBC, 0x36},  // 123
    {"OEM_Minus", 0xBD, 0x2D},  // 124
    {"OEM_Period", 0xBE, 0x37},  // 125
    {"Browser_Back", 0xA6, 0xCA},  // 126
    {"Browser_Forward", 0xA7, 0xCB},  // 127
    {"Browser_Refresh", 0xA8, 0xCD},  // 128
    {"Browser_Stop", 0xA9, 0xCC},  // 129
    {"Browser_Search", 0xAA, 0xC8},  // 130
    {"Browser_Favorites", 0xAB, 0xCE},  // 131
    {"Browser_Home", 0xAC, 0xC9},  // 132
    {"Volume_Mute", 0xAD, 0xC4},  // 133
    {"Volume_Down", 0xAE, 0xC6},  // 134
    {"Volume_Up", 0xAF, 0xC5},  // 135
    {"Media_Next_Track", 0xB0, 0xC0},  // 136
    {"Media_Prev_Track", 0xB1, 0xC1},  // 137
    {"Media_Stop", 0xB2, 0xC2},  // 138
    {"Media_Play_Pause", 0xB3, 0xC3},  // 139
    {"Launch_Mail", 0xB4, 0xC7},  // 140
    {"Launch_Media_Select", 0xB5, 0xD1},  // 141
    {"Launch_App1", 0xB6, 0x00},  // 142
    {"Launch_App2", 0xB7, 0x00},  // 143
};
// clang-format on

// Virtual keys 0x00..0xFF to entries; all listed virtual keys lie in that range.
constexpr std::array<std::uint8_t, 256> MakeVirtualKeyIndex() {
    std::array<std::uint8_t, 256> index{};
    for (int i = 0; i < kKeyCount; ++i) {
        if (kEntries[i].virtualKey >= 0) {
            index[static_cast<std::size_t>(kEntries[i].virtualKey)] = static_cast<std::uint8_t>(i);
        }
    }
    return index;
}

constexpr std::array<std::uint8_t, 256> kVirtualKeyIndex = MakeVirtualKeyIndex();

}  // namespace

std::span<const KeyEntry> KeyCatalogue() {
    return kEntries;
}

int VirtualKeyToKeyIndex(std::uint16_t virtualKey) {
    return virtualKey < kVirtualKeyIndex.size() ? kVirtualKeyIndex[virtualKey] : kNoKeyIndex;
}

std::string_view KeyIndexToName(int index) {
    return index >= 0 && index < kKeyCount ? kEntries[index].name : std::string_view();
}

std::uint8_t KeyIndexToDeviceKey(int index) {
    return index >= 0 && index < kKeyCount ? kEntries[index].deviceKey : 0;
}

std::string_view DeviceKeyToName(std::uint8_t deviceKey) {
    switch (deviceKey) {
        case 0x00:
            return {};
        // Shared with the generic Ctrl, Shift and Alt: named as the left-hand keys.
        case 0xE0:
            return "Left Ctrl";
        case 0xE1:
            return "Left Shift";
        case 0xE2:
            return "Left Alt";
        case 0xE3:
        case 0xE7:
            return "Win";
        default:
            break;
    }
    for (const KeyEntry& entry : kEntries) {
        if (entry.deviceKey == deviceKey) {
            return entry.name;
        }
    }
    return {};
}

std::uint16_t GenericModifier(std::uint16_t virtualKey) {
    switch (virtualKey) {
        case 0xA0:
        case 0xA1:
            return 0x10;
        case 0xA2:
        case 0xA3:
            return 0x11;
        case 0xA4:
        case 0xA5:
            return 0x12;
        default:
            return virtualKey;
    }
}

}  // namespace vtr::keys

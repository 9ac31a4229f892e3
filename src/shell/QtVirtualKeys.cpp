#include "shell/QtVirtualKeys.h"

#include <vector>

namespace vtr::shell {

namespace {

std::vector<QtKeyMapping> BuildMappings() {
    std::vector<QtKeyMapping> m;
    // Letters and digits share their codes with the virtual keys.
    for (int k = Qt::Key_A; k <= Qt::Key_Z; ++k) {
        m.push_back({k, false, static_cast<std::uint16_t>(k)});
    }
    for (int k = Qt::Key_0; k <= Qt::Key_9; ++k) {
        m.push_back({k, false, static_cast<std::uint16_t>(k)});
        m.push_back({k, true, static_cast<std::uint16_t>(0x60 + k - Qt::Key_0)});
    }
    for (int k = Qt::Key_F1; k <= Qt::Key_F24; ++k) {
        m.push_back({k, false, static_cast<std::uint16_t>(0x70 + k - Qt::Key_F1)});
    }
    const QtKeyMapping fixed[] = {
        {Qt::Key_Backspace, false, 0x08},
        {Qt::Key_Tab, false, 0x09},
        {Qt::Key_Backtab, false, 0x09},
        {Qt::Key_Clear, false, 0x0C},
        {Qt::Key_Clear, true, 0x0C},
        {Qt::Key_Return, false, 0x0D},
        {Qt::Key_Enter, false, 0x0D},
        {Qt::Key_Enter, true, 0x0D},
        {Qt::Key_Shift, false, 0x10},
        {Qt::Key_Control, false, 0x11},
        {Qt::Key_Alt, false, 0x12},
        {Qt::Key_AltGr, false, 0x12},
        {Qt::Key_Pause, false, 0x13},
        {Qt::Key_CapsLock, false, 0x14},
        {Qt::Key_Escape, false, 0x1B},
        {Qt::Key_Space, false, 0x20},
        {Qt::Key_PageUp, false, 0x21},
        {Qt::Key_PageDown, false, 0x22},
        {Qt::Key_End, false, 0x23},
        {Qt::Key_Home, false, 0x24},
        {Qt::Key_Left, false, 0x25},
        {Qt::Key_Up, false, 0x26},
        {Qt::Key_Right, false, 0x27},
        {Qt::Key_Down, false, 0x28},
        {Qt::Key_Print, false, 0x2C},
        {Qt::Key_SysReq, false, 0x2C},
        {Qt::Key_Insert, false, 0x2D},
        {Qt::Key_Delete, false, 0x2E},
        {Qt::Key_Help, false, 0x2F},
        {Qt::Key_Select, false, 0x29},
        {Qt::Key_Meta, false, 0x5B},
        {Qt::Key_Super_L, false, 0x5B},
        {Qt::Key_Super_R, false, 0x5C},
        {Qt::Key_Menu, false, 0x5D},
        {Qt::Key_Asterisk, true, 0x6A},
        {Qt::Key_Plus, true, 0x6B},
        {Qt::Key_Minus, true, 0x6D},
        {Qt::Key_Period, true, 0x6E},
        {Qt::Key_Comma, true, 0x6C},
        {Qt::Key_Slash, true, 0x6F},
        {Qt::Key_NumLock, false, 0x90},
        {Qt::Key_ScrollLock, false, 0x91},
        {Qt::Key_Back, false, 0xA6},
        {Qt::Key_Forward, false, 0xA7},
        {Qt::Key_Refresh, false, 0xA8},
        {Qt::Key_Stop, false, 0xA9},
        {Qt::Key_Search, false, 0xAA},
        {Qt::Key_Favorites, false, 0xAB},
        {Qt::Key_HomePage, false, 0xAC},
        {Qt::Key_VolumeMute, false, 0xAD},
        {Qt::Key_VolumeDown, false, 0xAE},
        {Qt::Key_VolumeUp, false, 0xAF},
        {Qt::Key_MediaNext, false, 0xB0},
        {Qt::Key_MediaPrevious, false, 0xB1},
        {Qt::Key_MediaStop, false, 0xB2},
        {Qt::Key_MediaPlay, false, 0xB3},
        {Qt::Key_MediaPause, false, 0xB3},
        {Qt::Key_MediaTogglePlayPause, false, 0xB3},
        {Qt::Key_LaunchMail, false, 0xB4},
        {Qt::Key_LaunchMedia, false, 0xB5},
        {Qt::Key_Launch0, false, 0xB6},
        {Qt::Key_Explorer, false, 0xB6},
        {Qt::Key_Launch1, false, 0xB7},
        {Qt::Key_Calculator, false, 0xB7},
        // The punctuation keys of a US layout, unshifted.
        {Qt::Key_Semicolon, false, 0xBA},
        {Qt::Key_Equal, false, 0xBB},
        {Qt::Key_Comma, false, 0xBC},
        {Qt::Key_Minus, false, 0xBD},
        {Qt::Key_Period, false, 0xBE},
        {Qt::Key_Slash, false, 0xBF},
        {Qt::Key_QuoteLeft, false, 0xC0},
        {Qt::Key_BracketLeft, false, 0xDB},
        {Qt::Key_Backslash, false, 0xDC},
        {Qt::Key_BracketRight, false, 0xDD},
        {Qt::Key_Apostrophe, false, 0xDE},
    };
    m.insert(m.end(), std::begin(fixed), std::end(fixed));
    return m;
}

const std::vector<QtKeyMapping>& Mappings() {
    static const std::vector<QtKeyMapping> mappings = BuildMappings();
    return mappings;
}

std::uint16_t Find(int qtKey, bool keypad) {
    for (const QtKeyMapping& entry : Mappings()) {
        if (entry.qtKey == qtKey && entry.keypad == keypad) {
            return entry.virtualKey;
        }
    }
    return 0;
}

}  // namespace

std::span<const QtKeyMapping> QtKeyMappings() {
    return Mappings();
}

std::uint16_t VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        if (const std::uint16_t vk = Find(qtKey, true); vk != 0) {
            return vk;
        }
    }
    return Find(qtKey, false);
}

keys::ShiftState ShiftStateOf(int qtKey, Qt::KeyboardModifiers modifiers) {
    keys::ShiftState state;
    state.shift = modifiers.testFlag(Qt::ShiftModifier) || qtKey == Qt::Key_Shift;
    state.ctrl = modifiers.testFlag(Qt::ControlModifier) || qtKey == Qt::Key_Control;
    state.alt =
        modifiers.testFlag(Qt::AltModifier) || qtKey == Qt::Key_Alt || qtKey == Qt::Key_AltGr;
    return state;
}

}  // namespace vtr::shell

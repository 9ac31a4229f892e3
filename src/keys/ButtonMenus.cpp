#include "keys/ButtonMenus.h"

#include <algorithm>

namespace vtr::keys {
namespace {

// clang-format off
constexpr CategoryItem kCategoryMenu[] = {
    {"Key_Standard", 1, "Str201", Submenu::MseKey, false, true},
    {"Key_Special", 2, "Str202", Submenu::Special, false, true},
    {"Key_Media", 3, "Str203", Submenu::Media, false, true},
    {"Key_WWW", 4, "Str204", Submenu::WWW, false, true},
    {"Key_MyPC", 5, "Str207", Submenu::MyPC, false, true},
    {"Key_Assembly", 0, "Str205", Submenu::None, true, false},
    {"Key_Macro", 7, "Str206", Submenu::MacroList, true, true},
};
// clang-format on

constexpr int kMseKeyTags[] = {900, 901, 902, 903, 904};
constexpr int kSpecialTags[] = {1000, 1001, 1002, 1003, 1004};
constexpr int kMediaTags[] = {1300, 1301, 1302, 1303, 1304, 1305, 1306};
constexpr int kWWWTags[] = {1400, 1401, 1402, 1403, 1404, 1405, 1406};
constexpr int kMyPCTags[] = {1100, 1101, 1102};

const FunctionMenu kFunctionMenus[] = {
    {Submenu::MseKey, "Pnl_MseKey", kMseKeyTags}, {Submenu::Special, "Pnl_Special", kSpecialTags},
    {Submenu::Media, "Pnl_Media", kMediaTags},    {Submenu::WWW, "Pnl_WWW", kWWWTags},
    {Submenu::MyPC, "Pnl_MyPC", kMyPCTags},
};

// The length of the UTF-8 sequence that starts with `lead` (1 for a stray byte).
std::size_t SequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF7) {
        return 4;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xC0 && lead <= 0xDF) {
        return 2;
    }
    return 1;
}

}  // namespace

std::span<const CategoryItem> CategoryMenu() {
    return kCategoryMenu;
}

std::span<const FunctionMenu> FunctionMenus() {
    return kFunctionMenus;
}

const FunctionMenu* FindFunctionMenu(Submenu id) {
    const auto* it = std::find_if(std::begin(kFunctionMenus), std::end(kFunctionMenus),
                                  [id](const FunctionMenu& m) { return m.id == id; });
    return it == std::end(kFunctionMenus) ? nullptr : it;
}

std::string MenuItemCaption(const text::Languages& languages, std::string_view textKey) {
    return " " + languages.text("Str200") + " " + languages.text(textKey);
}

std::string WithoutMenuMarker(std::string_view caption) {
    std::size_t pos = 0;
    for (int skipped = 0; skipped < 3 && pos < caption.size(); ++skipped) {
        pos += SequenceLength(static_cast<unsigned char>(caption[pos]));
    }
    return std::string(caption.substr(std::min(pos, caption.size())));
}

Submenu SubmenuForTag(int tag, std::size_t macroNames) {
    switch (tag) {
        case 1:
            return Submenu::MseKey;
        case 2:
            return Submenu::Special;
        case 3:
            return Submenu::Media;
        case 4:
            return Submenu::WWW;
        case 5:
            return Submenu::MyPC;
        case 7:
            return macroNames > 0 ? Submenu::MacroList : Submenu::None;
        default:
            return Submenu::None;
    }
}

Size SubmenuSize(Submenu id) {
    if (id == Submenu::MacroList) {
        return kMacroListSize;
    }
    const FunctionMenu* menu = FindFunctionMenu(id);
    if (!menu) {
        return {};
    }
    return {kFunctionMenuWidth, static_cast<int>(menu->tags.size()) * kMenuItemHeight};
}

Point PnlMainPlacement(const Rect& label) {
    const int cx = label.left + label.width / 2;
    const int cy = label.top + label.height / 2;
    return {
        cx + kPnlMainSize.width >= kWindowSize.width ? cx - kPnlMainSize.width : cx,
        cy + kPnlMainSize.height >= kWindowSize.height ? cy - kPnlMainSize.height : cy,
    };
}

Point SubmenuPlacement(Point pnlMain, const Rect& item, Size submenu) {
    // The test uses the function menus' width whichever submenu opens.
    const int x = pnlMain.x + kPnlMainSize.width + kFunctionMenuWidth >= kWindowSize.width
                      ? pnlMain.x - submenu.width
                      : pnlMain.x + item.left + item.width;
    const int t = pnlMain.y + item.top;
    const int y = t + item.height + submenu.height >= kWindowSize.height
                      ? t + item.height - submenu.height
                      : t;
    return {x, y};
}

}  // namespace vtr::keys

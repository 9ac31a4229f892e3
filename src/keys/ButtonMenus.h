#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "text/Language.h"

// The two-level button menu as data: the category menu `Pnl_Main`, the five
// function menus and the macro list `LB_Name`, with the rules that place them in
// the 800 x 600 main window. Drawing them is the window's business.
namespace vtr::keys {

enum class Submenu { None, MseKey, Special, Media, WWW, MyPC, MacroList };

struct CategoryItem {
    std::string_view name;
    int tag;  // 0 for Key_Assembly, which has none
    std::string_view textKey;
    // What hovering shows; None for Key_Assembly, whose hover closes every submenu.
    Submenu opens;
    // Key_Assembly and Key_Macro: a click opens the combination-key dialog.
    bool clickOpensCombination;
    // Items that open a submenu carry a ">>" marker at their right end.
    bool hasMarker;
};

struct FunctionMenu {
    Submenu id;
    std::string_view name;
    std::span<const int> tags;  // top to bottom; the tags of the function catalogue
};

// Pnl_Main, top to bottom.
std::span<const CategoryItem> CategoryMenu();
// Pnl_MseKey, Pnl_Special, Pnl_Media, Pnl_WWW, Pnl_MyPC.
std::span<const FunctionMenu> FunctionMenus();
const FunctionMenu* FindFunctionMenu(Submenu id);

// An item's caption: a space, the marker text Str200, a space, the item's text
// (' * Left Key').
std::string MenuItemCaption(const text::Languages& languages, std::string_view textKey);
// A caption without its first three characters (characters, not bytes): the
// function name of a menu item's caption.
std::string WithoutMenuMarker(std::string_view caption);

// The submenu hovering a category item shows: tags 1..5 their function menu,
// tag 7 the macro list but only while it holds at least one name; anything else
// none. Whatever it returns, every other submenu closes.
Submenu SubmenuForTag(int tag, std::size_t macroNames);

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};
struct Size {
    int width = 0;
    int height = 0;
};
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

inline constexpr Size kWindowSize{800, 600};
inline constexpr Size kPnlMainSize{190, 170};
inline constexpr int kFunctionMenuWidth = 164;
inline constexpr int kMenuItemHeight = 24;
inline constexpr Size kMacroListSize{164, 100};
inline constexpr int kMacroListRowHeight = 20;

// The size of a submenu: function menus are 164 wide and one item height per
// item; the macro list is 164 x 100.
Size SubmenuSize(Submenu id);

// Pnl_Main's top-left corner for a click on a button label (window
// coordinates): from the label's centre, to the right and down unless that would
// reach the window's right or bottom edge.
Point PnlMainPlacement(const Rect& label);

// A submenu's top-left corner, given Pnl_Main's top-left corner, the hovered
// item's rectangle inside Pnl_Main and the submenu's size: beside the item, or
// to the left of Pnl_Main when Pnl_Main and a submenu would reach the window's
// right edge; level with the item, or ending level with its bottom edge when it
// would reach the window's bottom edge.
Point SubmenuPlacement(Point pnlMain, const Rect& item, Size submenu);

}  // namespace vtr::keys

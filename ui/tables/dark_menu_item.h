#pragma once

// A menu item the program draws itself (the dark scheme's menu). Its item data points at this
// record. A screen reader reads the name of an owner-drawn item only from an MSAAMENUINFO that the
// item data points at, so the record starts with one, holding the item's text; the program
// measures and draws the item from the same text.

#include <windows.h>

#include <type_traits>

namespace trinumero {

inline constexpr int kLongestMenuText = 64;

// oleacc.h's MSAAMENUINFO, member for member, so that this lowest floor of the window layer does
// without the accessibility headers (ui/look/dark_menu.cpp, which fills it, holds the two against
// each other).
struct AccessibleMenuName {
    DWORD signature;  // MSAA_MENU_SIG
    DWORD length;     // of the text, in characters
    wchar_t* text;
};

struct DarkMenuItem {
    AccessibleMenuName accessible;  // first: the item data is its address too
    wchar_t text[kLongestMenuText];
    bool on_bar;  // a title on the menu bar; otherwise an item of a drop-down
};
static_assert(std::is_standard_layout_v<DarkMenuItem>);

}  // namespace trinumero

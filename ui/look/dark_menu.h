#pragma once

// The menu in the dark scheme: the bar and its drop-downs get the window's dark background through
// their menu information, and every item with a text is drawn by the program (owner-drawn): white
// text on the background, a lighter grey under the pointer, while a drop-down is open or for the
// item chosen with the keyboard, and the check mark in the text's colour, at the size of the
// window's DPI. The system still draws the drop-down's thin border, separators and items that show
// a bitmap (owner-drawn, they would be empty rows).

#include <windows.h>

namespace trinumero {

struct WindowEntry;

// Gives the window's menu the dark scheme, measured again for the window's DPI (dark), or the
// system's drawing again (not dark).
void SetMenuDark(WindowEntry& window, bool dark);

// After the system drew the window's frame (WM_NCPAINT, WM_NCACTIVATE): the part of the bar
// right of its titles, which not every system fills with the bar's background, and a line
// between the bar and the client area, in the background.
void PaintDarkMenuBarRest(HWND window, HBRUSH background);

// WM_MEASUREITEM and WM_DRAWITEM of an item drawn by the program; false for anything else. The
// drawing leaves the system's device context as it found it.
bool MeasureDarkMenuItem(const WindowEntry& window, MEASUREITEMSTRUCT& item);
bool DrawDarkMenuItem(const WindowEntry& window, const DRAWITEMSTRUCT& item);

}  // namespace trinumero

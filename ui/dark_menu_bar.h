#pragma once

// The menu bar in the dark scheme: the bar's background through its menu information, and its
// titles drawn by the program (owner-drawn) in white on it, a lighter grey under the pointer or
// while a drop-down is open. The drop-downs stay light.

#include <windows.h>

namespace trinumero {

// Gives the window's menu bar the background brush and owner-drawn titles (a brush), or the
// system's drawing again (nullptr).
void SetMenuBarDark(HWND window, HBRUSH background);

// After the system drew the window's frame (WM_NCPAINT, WM_NCACTIVATE): the part of the bar
// right of its titles, which not every system fills with the bar's background, and a line
// between the bar and the client area, in the background.
void PaintDarkMenuBarRest(HWND window, HBRUSH background);

// WM_MEASUREITEM and WM_DRAWITEM of an owner-drawn title; false for anything else.
bool MeasureDarkMenuTitle(HWND window, MEASUREITEMSTRUCT& item);
bool DrawDarkMenuTitle(const DRAWITEMSTRUCT& item);

}  // namespace trinumero

#pragma once

// A window and its controls laid out for the DPI of the monitor the window is on: each control
// at its 96-dpi box scaled, all with one font made for that DPI. Done when the window is
// created, once more when its controls exist, and again whenever the system moves the window to
// a monitor of another DPI or the user changes the scale (WM_DPICHANGED). At 96 dpi the
// controls stand at their boxes as laid out and keep the stock font.

#include <windows.h>

#include "ui/tables/window_tables.h"

namespace trinumero {

// Lays the window's controls out for the DPI and gives them the window's font for it.
void SetWindowDpi(WindowEntry& window, UINT dpi);

// Once the window's controls are all made: at a DPI other than 96 their font is chosen again,
// now that their texts can be measured.
void FitControlsToWindowDpi(int window);

// Where a new control of the parent window goes at the parent's DPI, and the font it gets.
RECT ControlRectIn(HWND parent, const LayoutBox& box);
HFONT ControlFontIn(HWND parent);

}  // namespace trinumero

#pragma once

// Display scale. Positions and sizes of the windows and controls are laid out in pixels of a
// 96-dpi display; a window shown at another DPI gets them scaled, and its controls a font made
// for that DPI, so that nothing is cut at 125, 150 or 200 %. At 96 dpi every value stays as laid
// out and the controls keep the stock font.
//
// The DPI of a window comes from the newest call the system has: GetDpiForWindow (Windows 10
// 1607), else the DPI of its monitor (GetDpiForMonitor, Windows 8.1), else the system's DPI,
// which is every window's on Windows 7 and 8.

#include <windows.h>

#include "ui/tables/window_types.h"

namespace trinumero {

// The DPI the layout tables are written for.
inline constexpr UINT kLayoutDpi = 96;

// A layout value at the DPI, rounded to the nearest pixel.
int ScaleToDpi(int value, UINT dpi);

// A laid-out box at the DPI. Its edges are scaled, not its size, so that controls that meet at
// 96 dpi still meet.
RECT ScaledRect(const LayoutBox& box, UINT dpi);

// The system's DPI: the one top-level windows are created at.
UINT SystemDpi();

// The DPI of the window's monitor, as the system scales for it.
UINT WindowDpi(HWND window);

// The outer rectangle of a window of the style whose client area is the size given (in pixels
// of the DPI), with the frame of that DPI; no menu bar is counted.
RECT OuterRectForClient(int client_width, int client_height, DWORD style, UINT dpi);

}  // namespace trinumero

#pragma once

// The title bar in the dark scheme. The window manager draws it, and two attributes of the
// window manager make it dark: 20 (DWMWA_USE_IMMERSIVE_DARK_MODE), documented from Windows 11
// build 22000 and taken by Windows 10 from build 18985, and 19, which the Windows 10 builds from
// 17763 to 18985 take under that number and which is not documented. The window manager's own
// answer decides: 20 first, 19 where 20 is refused, and where both are refused (Windows 7 and 8,
// Windows 10 before 1809, Wine) the bar stays as it is. dwmapi is loaded at the first call.

#include <windows.h>

namespace trinumero {

// When the bar shows a new attribute. The window manager of Windows 10 draws the caption again
// only when the window is activated or deactivated, Windows 11 at once.
enum class TitleBarRepaint {
    kAtFirstShow,  // the window has not been shown yet: nothing to draw again
    kNow,          // the window is on the screen: its caption is drawn again at once
};

// Makes the window's title bar dark, or light again.
void SetDarkTitleBar(HWND window, bool dark, TitleBarRepaint repaint);

}  // namespace trinumero

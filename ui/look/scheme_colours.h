#pragma once

// The colours the program draws in itself, by scheme: the frame round the edited field, and the
// dark scheme's. In a high-contrast theme the program draws only in the system's colours.

#include <windows.h>

namespace trinumero {

// The colour of the frame round the edited field; in a high-contrast theme the system's
// selection colour instead.
inline constexpr COLORREF kHighlightColour = RGB(0, 109, 255);

// The dark scheme's colours. Each text has at least 4.5:1 contrast against its background
// (white on the window 16:1 and on the menu's hot grey 10:1, the captions' blue 5.9:1, the
// inactive menu's grey 7.9:1 and 4.9:1 on the hot grey); the frame round the edited field keeps
// its own blue, 3.6:1 against the window.
inline constexpr COLORREF kDarkBackground = RGB(32, 32, 32);
inline constexpr COLORREF kDarkText = RGB(255, 255, 255);
inline constexpr COLORREF kDarkCaption = RGB(120, 150, 255);
inline constexpr COLORREF kDarkFieldBackground = RGB(20, 20, 20);
inline constexpr COLORREF kDarkFrameLine = RGB(100, 100, 100);
inline constexpr COLORREF kDarkMenuHot = RGB(65, 65, 65);
inline constexpr COLORREF kDarkInactiveText = RGB(180, 180, 180);

}  // namespace trinumero

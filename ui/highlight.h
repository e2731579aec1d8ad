#pragma once

// The frame round the field being edited: a one-pixel outline in the highlight colour on
// the field's outermost ring of pixels, painted straight onto the main window. Nothing
// records it; the next highlight or any repaint of that part of the window removes it.

#include <windows.h>

namespace trinumero {

// The frame's colour; in a high-contrast theme the system's selection colour instead.
inline constexpr COLORREF kHighlightColour = RGB(0, 109, 255);

// Redraws the whole window (removing any earlier frame), then frames the control.
// Returns 0.
int HighlightField(int control, int window);

}  // namespace trinumero

#pragma once

// The frame round the field being edited: a one-pixel outline in the highlight colour on
// the field's outermost ring of pixels, painted straight onto the main window. No paint
// handler draws it again: any repaint of that part of the window removes it. The window entry
// records where it was drawn, whether it is still there, and a copy of the pixels it covered,
// so that the next highlight draws only what changes: nothing while the frame stays on its
// field, and when it moves, the old ring put back and the new frame.

#include <windows.h>

namespace trinumero {

// Something may have drawn over the frame of the window, or of the field it is on: the field's
// border may have been drawn (any message after which the system may draw it: its WM_NCPAINT, its
// focus, hover, state, style, theme or colours changing, a copy of its drawing), the window's
// background erased, or the window moved. The next highlight draws the frame again. A window or
// field without a frame is left alone.
void MarkFrameGone(HWND window_or_field);

// Frames the control. A frame round another field goes first: the pixels it covered are put
// back, or where something may have drawn over it since, or the desktop is not composed, that
// field draws its border again. A frame still there round the same field stays as it is. A window
// number the tables do not know is refused: nothing is drawn. Returns 0.
int HighlightField(int control, int window);

// How the pixels under the frame are copied to be kept: BitBlt, unless a test puts another copy
// here (one that fails, as a copy from a locked desktop does); nullptr gives BitBlt back.
using FramePixelCopy = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, DWORD);
void SetFramePixelCopy(FramePixelCopy copy);

}  // namespace trinumero

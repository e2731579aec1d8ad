#pragma once

// The frame round the field being edited: a one-pixel outline in the highlight colour on
// the field's outermost ring of pixels, painted straight onto the main window. No paint
// handler draws it again: any repaint of that part of the window removes it. The window entry
// records only where it was drawn, so that the next highlight can wipe just that ring.

#include <windows.h>

namespace trinumero {

// Something drew over the place of the frame of the window, or of the field it is on: the field's
// border (its WM_NCPAINT), or the window's background, or the window was shown, moved or restored.
// The next highlight draws the frame again. A window or field without a frame is left alone.
void MarkFrameGone(HWND window_or_field);

// Frames the control. A frame drawn round another field before is wiped first by that field
// redrawing the ring of its border the frame covered; on the same field the frame is simply
// drawn again. Returns 0.
int HighlightField(int control, int window);

}  // namespace trinumero

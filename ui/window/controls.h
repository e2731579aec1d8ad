#pragma once

// The controls of a window: edit fields, text labels and a group frame, each kept under
// its control number, with text and background colours answered to the parent's colour
// queries.

#include <windows.h>

#include <optional>
#include <string_view>

#include "ui/tables/window_types.h"

namespace trinumero {

// Attributes of SetControlColour.
inline constexpr int kTextColourAttribute = 1;
inline constexpr int kBackgroundColourAttribute = 2;

// Makes the window the parent of the controls created from now on. Returns the handle;
// nullptr means failure.
HWND SetControlParent(HWND window);

// Texts are Windows-1251 bytes; positions and sizes are for 96 dpi, and the control is made at
// them scaled to its window's DPI. Each returns the control's handle, or nullptr.
HWND CreateEditField(int control, int x, int y, int width, int height, std::string_view text,
                     DWORD field_flags);
HWND CreateTextLabel(int control, int x, int y, int width, int height, std::string_view text,
                     DWORD label_flags);
HWND CreateFrameBox(int control, int x, int y, int width, int height, std::string_view caption);

// Attribute 1 sets the text colour, 2 the background colour (CLR_INVALID clears it).
// Returns the result of redrawing the control, 0 for an unknown number.
int SetControlColour(int control, int attribute, COLORREF colour);

// The most characters the user can type into the edit control (EM_LIMITTEXT).
void LimitFieldLength(HWND field, int maximum);

// Answers a colour query (WM_CTLCOLOREDIT, WM_CTLCOLORSTATIC) of a control the way its kind
// does: the colours set for it into the device context, and the background brush. Nothing
// when the control is not known, its kind leaves the query to the defaults, or no colour
// is set.
std::optional<LRESULT> AnswerColourQuery(HWND control, UINT message, HDC dc);

}  // namespace trinumero

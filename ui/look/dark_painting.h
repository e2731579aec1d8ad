#pragma once

// What the window paints dark in the dark scheme: its background, the colours it answers for
// its labels and fields, the group frame and the inner part of the fields' borders. The menu
// (ui/look/dark_menu.h) and the title bar (ui/look/dark_title_bar.h) have their own files. The rest
// has no documented way to be drawn dark and stays as the system draws it: the system menu, message
// boxes, the drop-down's thin border and the outer line of the fields' borders, which the visual
// style draws.

#include <windows.h>

#include <optional>

namespace trinumero {

struct WindowEntry;

// Erases the window's client area with the dark background; the answer to WM_ERASEBKGND.
LRESULT EraseDarkBackground(HWND window, const WindowEntry& entry, HDC dc);

// Answers a control's colour query (WM_CTLCOLOREDIT, WM_CTLCOLORSTATIC): a field's text on the
// fields' background, a label with a colour of its own (a caption) in the light blue, every
// other text in white, on the window's background.
LRESULT AnswerDarkColourQuery(const WindowEntry& entry, HWND control, UINT message, HDC dc);

// The group frame's messages the program answers itself in the dark scheme: the themed control
// draws its line and caption in the theme's colours, which no documented call changes, so the
// program paints them. Nothing for any other message, and in the other schemes.
std::optional<LRESULT> AnswerDarkFrameBoxMessage(HWND frame, UINT message, WPARAM wparam,
                                                 LPARAM lparam);

// After a field drew its border (WM_NCPAINT): the border's inner part, which the visual style
// fills with a field's light background, in the fields' dark one. The outer line stays the
// style's.
void PaintDarkFieldBorder(HWND field, HBRUSH background);

}  // namespace trinumero

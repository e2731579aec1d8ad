#pragma once

// Names for screen readers. An accessibility client names an edit control after the nearest
// static text before it in creation order; the captions of the main window are created after
// the fields, so that rule would name them wrongly. A field with a name source answers the
// client itself instead: with the system's own accessible object for the edit control (role,
// value, state, position all as the system gives them) whose name is the text of its source
// control, read when asked.
//
// Nothing of this is loaded or run until a client asks: the accessibility libraries come from
// the system folder on the first request.

#include <windows.h>

#include <optional>

namespace trinumero {

// Makes the text of control `source` the accessible name of control `named`.
void SetAccessibleNameSource(int named, int source);

// The answer to WM_GETOBJECT for a control: the named accessible object when the request is for
// the control's client object and the control has a name source; nothing otherwise (the
// control's own procedure answers then).
std::optional<LRESULT> AnswerAccessibleObject(HWND control, WPARAM wparam, LPARAM lparam);

}  // namespace trinumero

#pragma once

// Names for screen readers. An accessibility client names an edit control after the nearest
// static text before it in creation order; the captions of the main window are created after
// the fields, so that rule would name them wrongly. A field with a name source is named after
// its source's text instead:
// - by annotation (IAccPropServices::SetHwndPropStr), which MSAA and UI Automation clients both
//   see while the system keeps serving the field as its own edit control, with its text, caret
//   and word navigation;
// - where the system refuses annotations (Wine implements none), by answering the client's
//   request for the field's object itself: with the system's own accessible object for the edit
//   control, whose name is the text of the source control, read when asked
//   (ui/access/named_accessible.h).
//
// Nothing of this is loaded or run until a client asks: the accessibility libraries come from
// the system folder on the first request.

#include <windows.h>

#include <optional>

namespace trinumero {

// Makes the text of control `source` the accessible name of control `named`.
void SetAccessibleNameSource(int named, int source);

// The answer to WM_GETOBJECT for a control. The first request of a client for a named field's
// contents annotates the names; then the named accessible object when the request is for the
// client object of a control whose annotation was refused; nothing otherwise (the control's own
// procedure answers then).
std::optional<LRESULT> AnswerAccessibleObject(HWND control, WPARAM wparam, LPARAM lparam);

// The main window's part of WM_GETOBJECT: a request for its window, client or UI Automation object
// annotates the fields' names, so that a client that reads the window before its fields finds
// them named too.
void AnnotateAccessibleNamesFor(LONG object);

// Removes the control's annotation as it is destroyed.
void ForgetAccessibleName(HWND control);

}  // namespace trinumero

#pragma once

// The named object serves systems that refuse annotations, such as Wine, which implements none:
// there a named field answers a client's request for its client object itself, with the system's
// own accessible object for the edit control under the name of another control, its caption.
// Where annotations are taken, the system serves the field and this object is never made.

#include <windows.h>

#include <optional>

namespace trinumero {

// The answer to the request (WM_GETOBJECT with wparam, for OBJID_CLIENT) for the control's client
// object: the system's object for it, named after the text of source whenever a client asks.
// Nothing when the object cannot be made; the control's own procedure answers then.
std::optional<LRESULT> AnswerWithNamedObject(HWND control, HWND source, WPARAM wparam);

}  // namespace trinumero

#pragma once

// The subclass procedure of every edit field: it reports the field's focus changes to its
// top-level window, answers an accessibility client with the field's name, and in the dark scheme
// paints the inner part of the field's border dark. The field's own procedure is kept in its
// GWLP_USERDATA slot.

#include <windows.h>

namespace trinumero {

LRESULT CALLBACK FieldSubclassProcedure(HWND field, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace trinumero

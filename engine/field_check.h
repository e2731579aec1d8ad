#pragma once

// Checks the character just before the caret of a number field against the field's
// alphabet. A rejected character is selected, so that the next keystroke replaces it,
// and the error beep sounds. Only that one character is tested per change.

#include <string_view>

#include "engine/field_access.h"

namespace trinumero {

inline constexpr int kCharAccepted = 0;
inline constexpr int kCharRejected = 1;

// 1-based column of the end of the selection within its line: in a one-line field the
// caret's character index plus 1.
int CaretColumn(FieldAccess& fields, int control);

// Tests the character before the caret of the control against the alphabet of the field
// kind ("hex", "dec" or "bin", any letter case; any other tag tests nothing). The control
// number reads the text and the caret, the handle receives the selection.
// Returns kCharRejected (selected and beeped) or kCharAccepted.
int CheckTypedChar(FieldAccess& fields, int control, FieldHandle field, std::string_view kind);

}  // namespace trinumero

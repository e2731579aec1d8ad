#include "engine/field_check.h"

#include <string>

#include "engine/text_ops.h"

namespace trinumero {
namespace {

bool IsInRange(int ch, char low, char high) {
    return ch >= low && ch <= high;
}

// Alphabets as seen on the text folded to small letters. Bytes from 128 up (Cyrillic
// typed with another layout) are outside all of them.
bool IsRejected(int ch, std::string_view kind) {
    const std::string tag = ToLowerText(kind);
    if (tag == "bin") {
        return !IsInRange(ch, '0', '1');
    }
    if (tag == "dec") {
        return !IsInRange(ch, '0', '9');
    }
    if (tag == "hex") {
        return !IsInRange(ch, '0', '9') && !IsInRange(ch, 'a', 'f');
    }
    return false;
}

}  // namespace

int CaretColumn(FieldAccess& fields, int control) {
    const SelectionBounds selection = fields.GetSelection(control);
    const int line = fields.LineFromChar(control, selection.start);
    const int line_start = fields.LineIndex(control, line);
    // Measured from the end of the selection: after a paste or a typed character the
    // caret, and so the newest character, is there.
    return selection.end - line_start + 1;
}

int CheckTypedChar(FieldAccess& fields, int control, FieldHandle field, std::string_view kind) {
    const std::string text = ToLowerText(fields.GetFieldText(control));
    if (TextLength(text) == 0) {
        // An emptied field has nothing to test; it converts as 0.
        return kCharAccepted;
    }
    const int column = CaretColumn(fields, control);
    // With the caret at column 1 this reads position 0, which is the first character.
    const int ch = FirstCharCode(MidText(text, column - 1, 1));
    if (!IsRejected(ch, kind)) {
        return kCharAccepted;
    }
    fields.SetSelection(field, column - 2, column - 1);
    fields.ErrorBeep();
    return kCharRejected;
}

}  // namespace trinumero

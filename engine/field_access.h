#pragma once

// What the conversion engine needs from the three number fields: their texts, the
// caret and selection, and the error beep. The program binds it to the real edit
// controls; tests bind it to an in-memory store of three field texts.

#include <cstdint>
#include <string>
#include <string_view>

namespace trinumero {

// The platform window of an edit field, as an opaque number (an HWND on Windows).
using FieldHandle = std::uintptr_t;

struct SelectionBounds {
    int start = 0;
    int end = 0;
};

class FieldAccess {
  public:
    virtual ~FieldAccess() = default;

    // The control's whole current text.
    virtual std::string GetFieldText(int control) = 0;

    // Replaces the control's whole text.
    virtual void SetFieldText(int control, std::string_view text) = 0;

    // Start and end character index of the control's selection (EM_GETSEL).
    virtual SelectionBounds GetSelection(int control) = 0;

    // Zero-based line that holds the character index (EM_LINEFROMCHAR).
    virtual int LineFromChar(int control, int char_index) = 0;

    // Character index of the first character of the line (EM_LINEINDEX).
    virtual int LineIndex(int control, int line) = 0;

    // Selects [start, end) in the edit window given by its handle (EM_SETSEL).
    virtual void SetSelection(FieldHandle field, int start, int end) = 0;

    // The system's error sound (MessageBeep with MB_ICONHAND).
    virtual void ErrorBeep() = 0;

    // The edit window of the number field, as kept since the field was created.
    virtual FieldHandle EditHandle(int control) = 0;
};

}  // namespace trinumero

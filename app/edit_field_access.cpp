#include "app/edit_field_access.h"

#include "engine/field_numbers.h"
#include "ui/tables/window_tables.h"
#include "ui/window/controls.h"
#include "ui/window/field_text.h"
#include "ui/window/main_window_layout.h"

namespace trinumero {

// The engine and the window address the three number fields by the same numbers; the
// binding passes them through unchanged.
static_assert(kHexField == kHexFieldControl);
static_assert(kDecField == kDecFieldControl);
static_assert(kBinField == kBinFieldControl);

std::string EditFieldAccess::GetFieldText(int control) {
    return GetControlText1251(ControlHandle(control));
}

void EditFieldAccess::SetFieldText(int control, std::string_view text) {
    SetControlText1251(ControlHandle(control), text);
}

SelectionBounds EditFieldAccess::GetSelection(int control) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(ControlHandle(control), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
}

int EditFieldAccess::LineFromChar(int control, int char_index) {
    return static_cast<int>(
        SendMessageW(ControlHandle(control), EM_LINEFROMCHAR, static_cast<WPARAM>(char_index), 0));
}

int EditFieldAccess::LineIndex(int control, int line) {
    return static_cast<int>(
        SendMessageW(ControlHandle(control), EM_LINEINDEX, static_cast<WPARAM>(line), 0));
}

void EditFieldAccess::SetSelection(FieldHandle field, int start, int end) {
    // A start of -1 reaches the control as -1: it then only removes the selection.
    SendMessageW(reinterpret_cast<HWND>(field), EM_SETSEL, static_cast<WPARAM>(start),
                 static_cast<LPARAM>(end));
}

void EditFieldAccess::ErrorBeep() {
    MessageBeep(MB_ICONHAND);
}

FieldHandle EditFieldAccess::EditHandle(int control) {
    return reinterpret_cast<FieldHandle>(ControlHandle(control));
}

}  // namespace trinumero

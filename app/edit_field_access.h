#pragma once

// The engine's view of the three number fields, bound to the real edit controls of the
// main window: the program's wiring between the engine and the window layer.

#include <windows.h>

#include "engine/field_access.h"

namespace trinumero {

// The fields are found by their control numbers in the window layer's control table, the one
// record of which window is which field.
class EditFieldAccess final : public FieldAccess {
  public:
    std::string GetFieldText(int control) override;
    void SetFieldText(int control, std::string_view text) override;
    SelectionBounds GetSelection(int control) override;
    int LineFromChar(int control, int char_index) override;
    int LineIndex(int control, int line) override;
    void SetSelection(FieldHandle field, int start, int end) override;
    void ErrorBeep() override;
    FieldHandle EditHandle(int control) override;
};

}  // namespace trinumero

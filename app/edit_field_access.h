#pragma once

// The engine's view of the three number fields, bound to the real edit controls of the
// main window: the program's wiring between the engine and the window layer.

#include <windows.h>

#include <array>

#include "engine/field_access.h"

namespace trinumero {

class EditFieldAccess final : public FieldAccess {
  public:
    // The edit windows of the hexadecimal, decimal and binary field, as created.
    explicit EditFieldAccess(const std::array<HWND, 3>& edit_windows) : edits_(edit_windows) {}

    std::string GetFieldText(int control) override;
    void SetFieldText(int control, std::string_view text) override;
    SelectionBounds GetSelection(int control) override;
    int LineFromChar(int control, int char_index) override;
    int LineIndex(int control, int line) override;
    void SetSelection(FieldHandle field, int start, int end) override;
    void ErrorBeep() override;
    FieldHandle EditHandle(int control) override;

  private:
    std::array<HWND, 3> edits_;
};

}  // namespace trinumero

#pragma once

// A stand-alone store of the three number fields that behaves like single-line edit
// controls as far as the engine can tell: a text, a selection, a typing limit. The
// user's actions report whether the text changed, which is when an edit control sends
// EN_CHANGE and the program converts. Every call the engine makes is logged, so tests can
// check what it asked and in which order.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "engine/field_access.h"

namespace trinumero::testing {

class FieldStore final : public FieldAccess {
  public:
    static constexpr int kFieldCount = 3;

    FieldStore();

    // The user's actions. Each returns true when the field's text changed.
    bool Type(int field, char ch);                 // at the caret, replacing the selection
    bool Paste(int field, std::string_view text);  // cut to the typing limit, as an edit does
    bool Backspace(int field);
    bool Delete(int field);
    void Select(int field, int start, int end);
    void PlaceCaret(int field, int index) { Select(field, index, index); }

    const std::string& Text(int field) const;
    SelectionBounds Selection(int field) const;
    int Beeps() const { return beeps_; }

    std::vector<std::string>& Log() { return log_; }

    // FieldAccess
    std::string GetFieldText(int control) override;
    void SetFieldText(int control, std::string_view text) override;
    SelectionBounds GetSelection(int control) override;
    int LineFromChar(int control, int char_index) override;
    int LineIndex(int control, int line) override;
    void SetSelection(FieldHandle field, int start, int end) override;
    void ErrorBeep() override;
    FieldHandle EditHandle(int control) override;

    static FieldHandle HandleOf(int field) { return 0x1000 + static_cast<FieldHandle>(field); }

  private:
    struct Field {
        std::string text;
        int sel_start = 0;
        int sel_end = 0;
        int limit = 0;
        bool upper_case = false;
    };

    Field& At(int field);
    const Field& At(int field) const;
    bool ReplaceSelection(Field& f, std::string_view inserted);

    std::array<Field, kFieldCount> fields_;
    int beeps_ = 0;
    std::vector<std::string> log_;
};

}  // namespace trinumero::testing

#include "field_store.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace trinumero::testing {

FieldStore::FieldStore() {
    fields_[0].limit = 14;
    fields_[0].upper_case = true;  // the hexadecimal field shows typed letters as capitals
    fields_[1].limit = 17;
    fields_[2].limit = 56;
}

FieldStore::Field& FieldStore::At(int field) {
    if (field < 0 || field >= kFieldCount) {
        throw std::out_of_range("no such field");
    }
    return fields_[static_cast<std::size_t>(field)];
}

const FieldStore::Field& FieldStore::At(int field) const {
    return const_cast<FieldStore*>(this)->At(field);
}

bool FieldStore::ReplaceSelection(Field& f, std::string_view inserted) {
    const int low = std::min(f.sel_start, f.sel_end);
    const int high = std::max(f.sel_start, f.sel_end);
    const auto kept = static_cast<int>(f.text.size()) - (high - low);
    // An edit control takes only as much as fits under its limit.
    const auto room = static_cast<std::size_t>(std::max(0, f.limit - kept));
    std::string piece(inserted.substr(0, std::min(room, inserted.size())));
    if (piece.empty() && low == high) {
        return false;
    }
    if (f.upper_case) {
        for (char& c : piece) {
            if (c >= 'a' && c <= 'z') {
                c = static_cast<char>(c - 'a' + 'A');
            }
        }
    }
    const std::string before = f.text;
    f.text.replace(static_cast<std::size_t>(low), static_cast<std::size_t>(high - low), piece);
    f.sel_start = f.sel_end = low + static_cast<int>(piece.size());
    return f.text != before;
}

bool FieldStore::Type(int field, char ch) {
    Field& f = At(field);
    const int selected = std::abs(f.sel_end - f.sel_start);
    if (static_cast<int>(f.text.size()) - selected + 1 > f.limit) {
        return false;  // the character is refused at the limit
    }
    return ReplaceSelection(f, std::string_view(&ch, 1));
}

bool FieldStore::Paste(int field, std::string_view text) {
    return ReplaceSelection(At(field), text);
}

bool FieldStore::Backspace(int field) {
    Field& f = At(field);
    if (f.sel_start == f.sel_end) {
        if (f.sel_start == 0) {
            return false;
        }
        f.sel_start -= 1;
    }
    return ReplaceSelection(f, {});
}

bool FieldStore::Delete(int field) {
    Field& f = At(field);
    if (f.sel_start == f.sel_end) {
        if (f.sel_end >= static_cast<int>(f.text.size())) {
            return false;
        }
        f.sel_end += 1;
    }
    return ReplaceSelection(f, {});
}

void FieldStore::Select(int field, int start, int end) {
    Field& f = At(field);
    const int size = static_cast<int>(f.text.size());
    f.sel_start = std::clamp(start, 0, size);
    f.sel_end = std::clamp(end, 0, size);
}

const std::string& FieldStore::Text(int field) const {
    return At(field).text;
}

SelectionBounds FieldStore::Selection(int field) const {
    const Field& f = At(field);
    return {f.sel_start, f.sel_end};
}

std::string FieldStore::GetFieldText(int control) {
    log_.push_back("GetFieldText " + std::to_string(control));
    return At(control).text;
}

void FieldStore::SetFieldText(int control, std::string_view text) {
    log_.push_back("SetFieldText " + std::to_string(control) + " " + std::string(text));
    Field& f = At(control);
    f.text = text;  // a program's write is not bound by the typing limit
    f.sel_start = f.sel_end = 0;
}

SelectionBounds FieldStore::GetSelection(int control) {
    log_.push_back("GetSelection " + std::to_string(control));
    return Selection(control);
}

int FieldStore::LineFromChar(int control, int char_index) {
    log_.push_back("LineFromChar " + std::to_string(control) + " " + std::to_string(char_index));
    return 0;  // one-line fields
}

int FieldStore::LineIndex(int control, int line) {
    log_.push_back("LineIndex " + std::to_string(control) + " " + std::to_string(line));
    return 0;
}

void FieldStore::SetSelection(FieldHandle field, int start, int end) {
    log_.push_back("SetSelection " + std::to_string(field - HandleOf(0)) + " " +
                   std::to_string(start) + " " + std::to_string(end));
    Field& f = At(static_cast<int>(field - HandleOf(0)));
    if (start == -1) {
        f.sel_start = f.sel_end;  // a start of -1 only removes the selection
        return;
    }
    Select(static_cast<int>(field - HandleOf(0)), start, end);
}

void FieldStore::ErrorBeep() {
    log_.push_back("ErrorBeep");
    ++beeps_;
}

FieldHandle FieldStore::EditHandle(int control) {
    return HandleOf(control);
}

}  // namespace trinumero::testing

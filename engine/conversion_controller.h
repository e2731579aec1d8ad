#pragma once

// What happens when the user edits a number field: the typed character is checked and,
// when it belongs to the field's alphabet, the field's value is written into the other
// two fields. Nothing is kept between calls; everything is read from the fields.

#include "engine/field_access.h"
#include "engine/field_numbers.h"

namespace trinumero {

// Converts from field 0 (hexadecimal), 1 (decimal) or 2 (binary); other numbers do
// nothing. The edited field itself is never written back.
void ConvertFromField(FieldAccess& fields, int control);

}  // namespace trinumero

#pragma once

// Turns the texts of the three number fields into a 64-bit value and back.
// Parsers never fail: they read as far as the field's alphabet goes, and all
// arithmetic wraps modulo 2^64.

#include <cstdint>
#include <string_view>

#include "engine/number_text.h"

namespace trinumero {

using Value = std::uint64_t;

// Hexadecimal: spaces at both ends and one leading '$' are ignored, letters in either case.
Value ParseHexText(std::string_view text);

// Decimal: spaces and tabs at the start, then one '-' or '+'; a minus negates modulo 2^64.
Value ParseDecText(std::string_view text);

// Binary: spaces at both ends and one leading '%' are ignored.
Value ParseBinText(std::string_view text);

// Capital hexadecimal digits without leading zeros, 1 to 16 characters.
NumberText FormatHex(Value value);

// The value read as a signed 64-bit number, 1 to 20 characters.
NumberText FormatDec(Value value);

// Binary digits without leading zeros, 1 to 64 characters.
NumberText FormatBin(Value value);

}  // namespace trinumero

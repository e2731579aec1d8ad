#pragma once

// The one line the program writes into its settings file, built from the bytes themselves
// (not from a literal the compiler translates), so that it checks the program's own text.

#include <string>

namespace trinumero::testing {

// "Поверх остальных окон" in Windows-1251: 21 bytes.
inline const std::string kOnTopKey =
    "\xCF\xEE\xE2\xE5\xF0\xF5\x20\xEE\xF1\xF2\xE0\xEB\xFC\xED\xFB\xF5\x20\xEE\xEA\xEE\xED";

// The key, " = ", the value and CR LF: 27 bytes for 0 and 1.
inline std::string OnTopLine(int value) {
    return kOnTopKey + " = " + std::to_string(value) + "\r\n";
}

}  // namespace trinumero::testing

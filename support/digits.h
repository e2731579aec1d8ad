#pragma once

// Whole numbers written as text by hand where the program builds names: the printf family
// (std::to_wstring included) would be the largest piece of the runtime in the program.

#include <cstdint>
#include <string>

namespace trinumero {

// Appends the digits of value in base (2 to 16, lower-case letters), without leading zeros;
// "0" for 0.
template <typename Char>
void AppendDigits(std::basic_string<Char>& text, std::uint32_t value, unsigned base) {
    Char digits[32];
    std::size_t count = 0;
    do {
        digits[count++] = static_cast<Char>("0123456789abcdef"[value % base]);
        value /= base;
    } while (value != 0);
    while (count > 0) {
        text.push_back(digits[--count]);
    }
}

}  // namespace trinumero

#pragma once

// The few text operations the field check and the parsers are built on. Texts are
// Windows-1251 bytes, one byte a character; positions count from 1, as the field check
// counts caret columns.

#include <string>
#include <string_view>

namespace trinumero {

// Length in bytes.
int TextLength(std::string_view text);

// The first byte as 0 to 255, so that every byte of the upper half (Cyrillic letters)
// compares above the ASCII digits and letters; 0 for an empty text.
int FirstCharCode(std::string_view text);

// Up to count characters from position start. Out-of-range arguments are clamped rather
// than refused: with the caret at the very start the field check asks for position 0 and
// must get the first character; a start past the end gives "", a negative count nothing.
std::string_view MidText(std::string_view text, int start, int count);

// A-Z folded to a-z, nothing else: the fields' alphabets are ASCII, and no byte of the
// upper half may fold into one of them.
std::string ToLowerText(std::string_view text);

// The text without the spaces at its ends. Tabs stay: in a hexadecimal text a tab ends
// the number (it reads as one more digit 0). Inline, as the parsers call it on every
// keystroke.
inline std::string_view TrimSpaces(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace trinumero

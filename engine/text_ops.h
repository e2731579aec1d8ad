#pragma once

// Small operations on single-byte texts. Character positions count from 1.

#include <string>
#include <string_view>

namespace trinumero {

// Number of bytes in the text; 0 for an empty text.
int TextLength(std::string_view text);

// Code of the first byte read as unsigned (0 to 255); 0 for an empty text.
int FirstCharCode(std::string_view text);

// At most count characters beginning at position start. A start of 1 or less begins at
// the first character, a start beyond the last character gives "", a negative count
// counts as 0.
std::string_view MidText(std::string_view text, int start, int count);

// The text with a-z replaced by A-Z; other bytes (the code page's upper half included)
// are left as they are.
std::string ToUpperText(std::string_view text);

// The text with A-Z replaced by a-z; other bytes are left as they are.
std::string ToLowerText(std::string_view text);

// The text without its leading and trailing spaces (code 32). Tabs stay. Inline: the
// parsers call it on every keystroke.
inline std::string_view TrimSpaces(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace trinumero

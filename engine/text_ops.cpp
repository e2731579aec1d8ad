#include "engine/text_ops.h"

namespace trinumero {

int TextLength(std::string_view text) {
    return static_cast<int>(text.size());
}

int FirstCharCode(std::string_view text) {
    return text.empty() ? 0 : static_cast<unsigned char>(text.front());
}

std::string_view MidText(std::string_view text, int start, int count) {
    if (count <= 0) {
        return {};
    }
    const std::size_t offset = start <= 1 ? 0 : static_cast<std::size_t>(start) - 1;
    if (offset >= text.size()) {
        return {};
    }
    return text.substr(offset, static_cast<std::size_t>(count));
}

std::string ToLowerText(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return result;
}

}  // namespace trinumero

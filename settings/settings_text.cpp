#include "settings/settings_text.h"

#include <charconv>
#include <climits>
#include <cstddef>
#include <cstring>

namespace trinumero {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// White space as the C locale's isspace sees it, which is what atoi skips.
bool IsCSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Where the line that holds pos ends: its first CR or LF, or the end of the text.
std::size_t LineEndFrom(std::string_view text, std::size_t pos) {
    while (pos < text.size() && !IsLineEnd(text[pos])) {
        ++pos;
    }
    return pos;
}

char FoldAsciiCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Reads one line starting at pos (which is not at a blank-only remainder's end) and appends
// its entry, if any. Returns the position of the line end or the end of the text.
std::size_t ParseLine(std::string_view text, std::size_t pos, SettingsEntryList& entries) {
    const std::size_t size = text.size();
    while (pos < size && IsBlank(text[pos])) {
        ++pos;
    }
    if (pos == size || IsLineEnd(text[pos])) {
        return pos;
    }
    if (text[pos] == ';') {
        ++pos;
        if (pos < size && text[pos] == ' ') {
            ++pos;
        }
        const std::size_t end = LineEndFrom(text, pos);
        entries.emplace_back(SettingsEntryKind::kComment, text.substr(pos, end - pos));
        return end;
    }
    if (text[pos] == '[') {
        ++pos;
        std::size_t end = pos;
        while (end < size && !IsLineEnd(text[end]) && text[end] != ']') {
            ++end;
        }
        entries.emplace_back(SettingsEntryKind::kSection, text.substr(pos, end - pos));
        // Whatever follows the closing bracket on the line is ignored.
        return LineEndFrom(text, end);
    }

    const std::size_t key_start = pos;
    std::size_t key_end = pos;
    while (key_end < size && !IsLineEnd(text[key_end]) && text[key_end] != '=') {
        ++key_end;
    }
    std::size_t line_end = key_end;
    std::string_view value;
    if (key_end < size && text[key_end] == '=') {
        std::size_t value_start = key_end + 1;
        while (value_start < size && IsBlank(text[value_start])) {
            ++value_start;
        }
        line_end = LineEndFrom(text, value_start);
        // Trailing blanks of a value are kept: they are part of it.
        value = text.substr(value_start, line_end - value_start);
    }
    while (key_end > key_start && IsBlank(text[key_end - 1])) {
        --key_end;
    }
    entries.emplace_back(SettingsEntryKind::kKey, text.substr(key_start, key_end - key_start),
                         value);
    return line_end;
}

}  // namespace

void SettingsEntry::Assign(std::string_view key, std::string_view value) {
    // Copy first: key or value may be views of this entry's own storage.
    std::string new_key(key);
    std::string new_value(value);
    kind_ = SettingsEntryKind::kKey;
    owned_text_ = std::move(new_key);
    owned_value_ = std::move(new_value);
    owned_ = true;
    text_ = {};
    value_ = {};
}

void ParseSettingsText(std::string_view text, SettingsEntryList& entries) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        pos = ParseLine(text, pos, entries);
        // Any run of CR and LF bytes ends the line: CR LF, LF and CR alike, and empty lines.
        while (pos < text.size() && IsLineEnd(text[pos])) {
            ++pos;
        }
    }
}

bool SettingsKeysEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAsciiCase(a[i]) != FoldAsciiCase(b[i])) {
            return false;
        }
    }
    return true;
}

std::string Utf8FromLatin1(std::string_view text) {
    std::string utf8;
    utf8.reserve(text.size() * 2);
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8.push_back(c);
        } else {
            utf8.push_back(static_cast<char>(0xC0 | (byte >> 6)));
            utf8.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
        }
    }
    return utf8;
}

const SettingsEntry* FindSettingValue(const SettingsEntryList& entries, int text_mode,
                                      std::string_view key) {
    std::string converted;
    if (text_mode == kUtf8TextMode) {
        converted = Utf8FromLatin1(key);
        key = converted;
    }
    for (const SettingsEntry& entry : entries) {
        switch (entry.Kind()) {
            case SettingsEntryKind::kSection:
                // Only the leading part of the file, before any section, is searched.
                return nullptr;
            case SettingsEntryKind::kComment:
                break;
            case SettingsEntryKind::kKey:
                if (SettingsKeysEqual(entry.Text(), key)) {
                    return &entry;
                }
                break;
        }
    }
    return nullptr;
}

std::int32_t SettingIntegerFromText(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && IsCSpace(text[pos])) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    // Accumulate the magnitude up to one past INT_MAX's magnitude of the negative side;
    // anything beyond only saturates further.
    constexpr std::int64_t kLimit = static_cast<std::int64_t>(INT32_MAX) + 1;
    std::int64_t magnitude = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        magnitude = magnitude * 10 + (text[pos] - '0');
        if (magnitude > kLimit) {
            magnitude = kLimit;
        }
        ++pos;
    }
    if (negative) {
        return static_cast<std::int32_t>(-magnitude);
    }
    return magnitude > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(magnitude);
}

std::string SettingTextFromInteger(std::int32_t value) {
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof(buffer), value);
    return std::string(buffer, result.ptr);
}

void PutSettingEntry(SettingsEntryList& entries, std::string_view key, std::string_view value) {
    for (SettingsEntry& entry : entries) {
        if (entry.Kind() == SettingsEntryKind::kKey && SettingsKeysEqual(entry.Text(), key)) {
            entry.Assign(key, value);
            return;
        }
    }
    entries.emplace_back(SettingsEntryKind::kKey, std::string_view{}).Assign(key, value);
}

std::size_t SettingsOutputSize(const SettingsEntryList& entries) {
    std::size_t size = 0;
    for (const SettingsEntry& entry : entries) {
        if (entry.Kind() == SettingsEntryKind::kKey) {
            size += entry.Text().size() + entry.Value().size() + 5;  // " = " and CR LF
        }
    }
    return size;
}

void WriteSettingsOutput(const SettingsEntryList& entries, char* out) {
    const auto append = [&out](std::string_view bytes) {
        if (!bytes.empty()) {
            std::memcpy(out, bytes.data(), bytes.size());
            out += bytes.size();
        }
    };
    for (const SettingsEntry& entry : entries) {
        if (entry.Kind() == SettingsEntryKind::kKey) {
            append(entry.Text());
            append(" = ");
            append(entry.Value());
            append("\r\n");
        }
    }
}

std::string BuildSettingsOutput(const SettingsEntryList& entries) {
    std::string output(SettingsOutputSize(entries), '\0');
    WriteSettingsOutput(entries, output.data());
    return output;
}

}  // namespace trinumero

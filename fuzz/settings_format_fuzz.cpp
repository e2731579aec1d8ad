// Fuzzes the settings file's text: the input is a file's content. It is parsed, looked up,
// converted, written back and parsed again, directly and through the open/read/create/write/
// close steps over in-memory files; every property that must hold is checked and a failure
// aborts.

#include <cerrno>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_file_state.h"
#include "settings/settings_text.h"
#include "tests/settings/memory_file_system.h"

namespace {

using namespace trinumero;

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The integer as strtoll reads it, clamped to 32 bits: what the conversion must give.
std::int32_t ReferenceInteger(std::string_view text) {
    const std::string terminated(text);
    errno = 0;
    const long long value = std::strtoll(terminated.c_str(), nullptr, 10);
    if (value > INT32_MAX) {
        return INT32_MAX;
    }
    if (value < INT32_MIN) {
        return INT32_MIN;
    }
    return static_cast<std::int32_t>(value);
}

void CheckEntries(const SettingsEntryList& entries, std::string_view text) {
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    for (const SettingsEntry& entry : entries) {
        for (const std::string_view piece : {entry.Text(), entry.Value()}) {
            // Parsed texts are pieces of the text, never beyond it, and never cross a line.
            if (!piece.empty()) {
                Require(piece.data() >= begin && piece.data() + piece.size() <= end);
            }
            for (const char c : piece) {
                Require(!IsLineEnd(c));
            }
        }
        if (entry.Kind() == SettingsEntryKind::kKey) {
            const std::string_view key = entry.Text();
            Require(key.find('=') == std::string_view::npos);
            if (!key.empty()) {
                Require(!IsBlank(key.front()) && !IsBlank(key.back()));
                Require(key.front() != ';' && key.front() != '[');
            }
            if (!entry.Value().empty()) {
                Require(!IsBlank(entry.Value().front()));
            }
        } else {
            Require(entry.Value().empty());
        }
        if (entry.Kind() == SettingsEntryKind::kSection) {
            Require(entry.Text().find(']') == std::string_view::npos);
        }
    }
}

void CheckLookups(const SettingsEntryList& entries) {
    // The on-top key's Windows-1251 bytes, and plain ASCII keys in either case.
    static const std::vector<std::string> fixed_keys = {
        "\xCF\xEE\xE2\xE5\xF0\xF5\x20\xEE\xF1\xF2\xE0\xEB\xFC\xED\xFB\xF5\x20\xEE\xEA\xEE\xED",
        "a",
        "A",
        "key",
        "",
        std::string(1, '\0')};
    for (const int mode : {kPlainTextMode, kUtf8TextMode}) {
        for (const std::string& key : fixed_keys) {
            const SettingsEntry* found = FindSettingValue(entries, mode, key);
            if (found != nullptr) {
                Require(found->Kind() == SettingsEntryKind::kKey);
                const std::string searched = mode == kUtf8TextMode ? Utf8FromLatin1(key) : key;
                Require(SettingsKeysEqual(found->Text(), searched));
            }
        }
    }
    // Every key before the first section is found, as its first occurrence.
    for (const SettingsEntry& entry : entries) {
        if (entry.Kind() == SettingsEntryKind::kSection) {
            break;
        }
        if (entry.Kind() != SettingsEntryKind::kKey) {
            continue;
        }
        const SettingsEntry* found = FindSettingValue(entries, kPlainTextMode, entry.Text());
        Require(found != nullptr && SettingsKeysEqual(found->Text(), entry.Text()));
        for (const SettingsEntry& earlier : entries) {
            if (&earlier == found) {
                break;
            }
            Require(earlier.Kind() != SettingsEntryKind::kKey ||
                    !SettingsKeysEqual(earlier.Text(), entry.Text()));
        }
        Require(SettingIntegerFromText(entry.Value()) == ReferenceInteger(entry.Value()));
    }
}

// Writes the parsed key entries the way the program writes its own, and reads them back.
std::string CheckWriteBack(const SettingsEntryList& entries) {
    SettingsEntryList written;
    for (const SettingsEntry& entry : entries) {
        if (entry.Kind() == SettingsEntryKind::kKey) {
            PutSettingEntry(written, entry.Text(), entry.Value());
        }
    }
    const std::string output = BuildSettingsOutput(written);
    SettingsEntryList reread;
    ParseSettingsText(output, reread);
    auto it = reread.begin();
    for (const SettingsEntry& entry : written) {
        Require(it != reread.end());
        Require(it->Kind() == SettingsEntryKind::kKey);
        Require(it->Text() == entry.Text() && it->Value() == entry.Value());
        ++it;
    }
    Require(it == reread.end());
    return output;
}

void CheckFileSteps(std::string_view content, const std::string& expected_output) {
    testing::MemoryFileSystem files;
    SettingsFileState state;
    files.files[L"settings.ini"] = std::string(content);
    Require(OpenSettingsForRead(state, files, L"settings.ini") != 0);
    const std::int32_t value = ReadSettingLong(state, "key", INT32_MIN + 7);
    SettingsEntryList parsed_keys;
    for (const SettingsEntry& entry : state.entries) {
        if (entry.Kind() == SettingsEntryKind::kKey) {
            parsed_keys.emplace_back(SettingsEntryKind::kKey, std::string_view{})
                .Assign(entry.Text(), entry.Value());
        }
    }
    Require(CloseSettings(state));
    Require(files.files[L"settings.ini"] == content);

    // Write back what was read, plus the value found, and compare with the direct output.
    Require(CreateSettingsFile(state, files, L"settings.ini") != 0);
    for (const SettingsEntry& entry : parsed_keys) {
        PutSettingEntry(state.entries, entry.Text(), entry.Value());
        state.modified = true;
    }
    Require(CloseSettings(state));
    const bool had_mark = content.substr(0, 3) == "\xEF\xBB\xBF";
    if (!had_mark) {
        Require(files.files[L"settings.ini"] == expected_output);
    }

    Require(CreateSettingsFile(state, files, L"settings.ini") != 0);
    WriteSettingLong(state, "key", value);
    Require(CloseSettings(state));
    Require(files.files[L"settings.ini"] == "key = " + SettingTextFromInteger(value) + "\r\n");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // An exact-size copy: a read one byte beyond the text is caught.
    const std::vector<char> text(data, data + size);
    const std::string_view view(text.data(), text.size());

    SettingsEntryList entries;
    ParseSettingsText(view, entries);
    CheckEntries(entries, view);
    CheckLookups(entries);
    const std::string output = CheckWriteBack(entries);
    CheckFileSteps(view, output);
    return 0;
}

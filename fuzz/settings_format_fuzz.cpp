// Fuzzes the settings file's text: the input is a file's content. It is parsed, looked up,
// converted, written back and parsed again, directly and through the open/read/create/write/
// close steps over in-memory files; every property that must hold is checked and a failure
// aborts. The input's last byte also picks one file step that fails in a second pass, which
// must then read nothing or report the save failed, and never leave a half-written file.

#include <algorithm>
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
#include "tests/kit/memory_file_system.h"
#include "tests/kit/settings_line.h"

namespace {

using namespace trinumero;
using testing::FileStep;
using testing::kOnTopKey;

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

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
const std::wstring kPath = L"settings.ini";

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

bool ReferenceKeysEqual(std::string_view a, std::string_view b) {
    const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return fold(x) == fold(y); });
}

// The key as a lookup compares it: in UTF-8 mode its bytes read as ISO-8859-1 and written
// in UTF-8.
std::string ReferenceSearchedKey(std::string_view key, bool utf8) {
    std::string searched;
    for (const char c : key) {
        const auto byte = static_cast<unsigned char>(c);
        if (!utf8 || byte < 0x80) {
            searched += c;
        } else {
            searched += static_cast<char>(0xC0 | (byte >> 6));
            searched += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return searched;
}

// What ReadSettingLong must give for a file holding content, whose text after any byte-order
// mark parses to entries: in a file with the mark the key is looked for in UTF-8 mode; only
// the part before the first section counts; the first equal key wins; no such key, or a file
// too big to be read, gives the fallback.
std::int32_t ReferenceLookup(std::string_view content, const SettingsEntryList& entries,
                             std::string_view key, std::int32_t fallback) {
    if (content.size() > kMaxSettingsFileSize) {
        return fallback;
    }
    const std::string searched = ReferenceSearchedKey(key, content.substr(0, 3) == kByteOrderMark);
    for (const SettingsEntry& entry : entries) {
        if (entry.Kind() == SettingsEntryKind::kSection) {
            return fallback;
        }
        if (entry.Kind() == SettingsEntryKind::kKey && ReferenceKeysEqual(entry.Text(), searched)) {
            return ReferenceInteger(entry.Value());
        }
    }
    return fallback;
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
    static const std::vector<std::string> fixed_keys = {kOnTopKey, "a", "A",
                                                        "key",     "",  std::string(1, '\0')};
    for (const int mode : {kPlainTextMode, kUtf8TextMode}) {
        for (const std::string& key : fixed_keys) {
            const SettingsEntry* found = FindSettingValue(entries, mode, key);
            if (found != nullptr) {
                Require(found->Kind() == SettingsEntryKind::kKey);
                Require(ReferenceKeysEqual(found->Text(),
                                           ReferenceSearchedKey(key, mode == kUtf8TextMode)));
            }
        }
    }
    // Every key before the first section converts as the reference does, and each of the
    // first 64 is found, as its first occurrence. Every lookup walks the list, so looking up
    // all keys of a long input would make the run quadratic in it.
    int looked_up = 0;
    for (const SettingsEntry& entry : entries) {
        if (entry.Kind() == SettingsEntryKind::kSection) {
            break;
        }
        if (entry.Kind() != SettingsEntryKind::kKey) {
            continue;
        }
        Require(SettingIntegerFromText(entry.Value()) == ReferenceInteger(entry.Value()));
        if (++looked_up > 64) {
            continue;
        }
        const SettingsEntry* found = FindSettingValue(entries, kPlainTextMode, entry.Text());
        Require(found != nullptr && ReferenceKeysEqual(found->Text(), entry.Text()));
        for (const SettingsEntry& earlier : entries) {
            if (&earlier == found) {
                break;
            }
            Require(earlier.Kind() != SettingsEntryKind::kKey ||
                    !ReferenceKeysEqual(earlier.Text(), entry.Text()));
        }
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

void CheckFileSteps(std::string_view content, const SettingsEntryList& file_entries,
                    const std::string& expected_output) {
    testing::MemoryFileSystem files;
    SettingsFileState state;
    files.files[kPath] = std::string(content);
    Require(OpenSettingsForRead(state, files, kPath));
    const std::int32_t value = ReadSettingLong(state, "key", INT32_MIN + 7);
    Require(value == ReferenceLookup(content, file_entries, "key", INT32_MIN + 7));
    // The Windows-1251 key: in a file with a byte-order mark it is not found unless the file
    // holds it in UTF-8.
    Require(ReadSettingLong(state, kOnTopKey, -3) ==
            ReferenceLookup(content, file_entries, kOnTopKey, -3));
    SettingsEntryList parsed_keys;
    for (const SettingsEntry& entry : state.entries) {
        if (entry.Kind() == SettingsEntryKind::kKey) {
            parsed_keys.emplace_back(SettingsEntryKind::kKey, std::string_view{})
                .Assign(entry.Text(), entry.Value());
        }
    }
    Require(CloseSettings(state));
    Require(files.files[kPath] == content);

    // Write back what was read, plus the value found, and compare with the direct output.
    Require(CreateSettingsFile(state, files, kPath));
    for (const SettingsEntry& entry : parsed_keys) {
        PutSettingEntry(state.entries, entry.Text(), entry.Value());
        state.modified = true;
    }
    Require(CloseSettings(state));
    const bool had_mark = content.substr(0, 3) == kByteOrderMark;
    if (!had_mark) {
        Require(files.files[kPath] == expected_output);
    }

    Require(CreateSettingsFile(state, files, kPath));
    WriteSettingLong(state, "key", value);
    Require(CloseSettings(state));
    Require(files.files[kPath] == "key = " + SettingTextFromInteger(value) + "\r\n");
}

// Reads and then saves a file holding content while one step fails: the read gives what the
// content holds or, when the failure kept it from being read, the fallback; the save either
// puts the complete new content in place or reports failure and leaves the old content.
void CheckFailingStep(std::string_view content, const SettingsEntryList& file_entries,
                      FileStep step) {
    testing::MemoryFileSystem files;
    SettingsFileState state;
    files.files[kPath] = std::string(content);
    files.failing = step;

    const bool opened = OpenSettingsForRead(state, files, kPath);
    Require(opened == (step != FileStep::kOpen));
    // A failed seek matters only where the position has to go back after the mark check.
    const bool seeks = content.size() >= 3 && content.substr(0, 3) != kByteOrderMark;
    const bool nothing_read = step == FileStep::kOpen || step == FileStep::kSize ||
                              step == FileStep::kRead || (step == FileStep::kSeek && seeks);
    const std::int32_t expected =
        nothing_read ? 11 : ReferenceLookup(content, file_entries, "key", 11);
    Require(ReadSettingLong(state, "key", 11) == expected);
    Require(CloseSettings(state) == (!opened || step != FileStep::kClose));
    Require(files.files[kPath] == content);

    const bool created = CreateSettingsFile(state, files, kPath);
    WriteSettingLong(state, "key", -1);
    const bool saved = CloseSettings(state) && created;
    Require(saved == !testing::SaveTakes(step));
    Require(files.files[kPath] == (saved ? std::string("key = -1\r\n") : std::string(content)));
    Require(files.open_count == 0);
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
    // What a file holding the input parses to: the same entries unless a byte-order mark
    // comes first and is not part of the text.
    SettingsEntryList after_mark;
    const bool has_mark = view.substr(0, 3) == kByteOrderMark;
    if (has_mark) {
        ParseSettingsText(view.substr(3), after_mark);
    }
    const SettingsEntryList& file_entries = has_mark ? after_mark : entries;
    CheckFileSteps(view, file_entries, output);
    if (size > 0) {
        CheckFailingStep(
            view, file_entries,
            testing::kEveryFileStep[data[size - 1] % std::size(testing::kEveryFileStep)]);
    }
    return 0;
}

#pragma once

// The settings file's text: parsing it into entries, looking a key up, converting values
// to and from integers, and building the text that is written back. No platform calls:
// the file itself is handled by settings_file_state.h.
//
// Texts are byte strings in the file's own encoding and are handled by length, never by a
// terminating NUL: a NUL byte inside the file is an ordinary byte of its line.

#include <cstdint>
#include <list>
#include <string>
#include <string_view>

namespace trinumero {

// Text modes of an open settings file, as the platform numbers its code pages.
inline constexpr int kPlainTextMode = 0;
inline constexpr int kUtf8TextMode = 65001;

enum class SettingsEntryKind { kSection, kComment, kKey };

// One line of the file that means something: a section header (its name), a comment (its
// text) or a key entry (key and value). Entries parsed from a file are views into the
// buffer that was read and live as long as it does; an entry written by the program owns
// its key and value.
class SettingsEntry {
  public:
    SettingsEntry(SettingsEntryKind kind, std::string_view text, std::string_view value = {})
        : kind_(kind), text_(text), value_(value) {}

    SettingsEntryKind Kind() const { return kind_; }
    // Section name, comment text or key.
    std::string_view Text() const { return owned_ ? std::string_view(owned_text_) : text_; }
    // Value of a key entry; empty for the other kinds.
    std::string_view Value() const { return owned_ ? std::string_view(owned_value_) : value_; }

    // Makes this a key entry owning copies of the key and the value.
    void Assign(std::string_view key, std::string_view value);

  private:
    SettingsEntryKind kind_;
    std::string_view text_;
    std::string_view value_;
    bool owned_ = false;
    std::string owned_text_;
    std::string owned_value_;
};

// Entries in file order; additions go at the end.
using SettingsEntryList = std::list<SettingsEntry>;

// Splits the text into lines (CR, LF or CR LF, or the end of the text) and appends one entry
// for every section header, comment and key line to the list; blank lines make none. The
// entries are views into text, which must outlive them.
void ParseSettingsText(std::string_view text, SettingsEntryList& entries);

// Key comparison of the file: ASCII letters match regardless of case, every other byte must
// be equal (as _stricmp in the default locale).
bool SettingsKeysEqual(std::string_view a, std::string_view b);

// A key typed in Windows-1251 bytes as a UTF-8 file would hold it when the bytes were read
// as ISO-8859-1: every byte from 0x80 up becomes two bytes.
std::string Utf8FromLatin1(std::string_view text);

// The value of the first key entry equal to key before the first section header, or
// nullptr. In UTF-8 mode the key is converted with Utf8FromLatin1 first.
const SettingsEntry* FindSettingValue(const SettingsEntryList& entries, int text_mode,
                                      std::string_view key);

// The value text as a 32-bit integer the way atoi reads it: leading white space, an optional
// sign, decimal digits up to the first other byte; no digits give 0. Values beyond the 32-bit
// range saturate to its ends, so that a huge value never wraps to 0.
std::int32_t SettingIntegerFromText(std::string_view text);

// The value in decimal as "%d" writes it.
std::string SettingTextFromInteger(std::int32_t value);

// Stores key = value: the first key entry of the list with an equal key keeps its place and
// takes the given key and value; without one a new key entry is added at the end.
void PutSettingEntry(SettingsEntryList& entries, std::string_view key, std::string_view value);

// The bytes written for the list: "key = value" and CR LF for every key entry, in order.
// Sections and comments are not written. The writer takes memory the caller got: the file
// layer asks for it without ending the program when there is none.
std::size_t SettingsOutputSize(const SettingsEntryList& entries);
// Writes the bytes into out, which has room for SettingsOutputSize(entries) of them.
void WriteSettingsOutput(const SettingsEntryList& entries, char* out);
// The same bytes as a text.
std::string BuildSettingsOutput(const SettingsEntryList& entries);

}  // namespace trinumero

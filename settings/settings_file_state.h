#pragma once

// Reading and writing the settings file over a small file interface, so that the same
// steps run against the platform's files and against an in-memory stand-in.
//
//   reading: OpenSettingsForRead -> ReadSettingLong ... -> CloseSettings
//   writing: CreateSettingsFile  -> WriteSettingLong ... -> CloseSettings
//
// Only one settings file is open at a time; opening or creating closes whatever was open.
// Paths are UTF-16, as the platform's wide calls take them; the file's bytes are never
// transcoded. The file on disk changes only when a created file is closed: its new content,
// written whole with one write, then replaces the old file in one step, so a save that fails
// half-way leaves the old file as it was.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

#include "settings/settings_text.h"

namespace trinumero {

// What the settings steps ask of a file when they open it.
enum class FileOpenMode {
    // An existing file to read, opened for writing too, so that other writers are kept out
    // while it is open.
    kReadWrite,
    // An existing file to read when it cannot be had for writing (a read-only file).
    kReadOnly,
    // New content for the path, written whole, which takes the place of whatever the path
    // names when the file is closed; until then the old file stays as it was.
    kReplace,
};

// One open file. A file opened with FileOpenMode::kReplace is new content for its path: a
// successful Close puts it in place of whatever the path named, and a failed Close, or
// destroying it without Close, throws it away. Destroying any other file closes it.
class SettingsFile {
  public:
    virtual ~SettingsFile() = default;

    // The file's size; nullopt when the platform cannot tell.
    virtual std::optional<std::uint64_t> Size() = 0;
    // Reads up to into.size() bytes from the current position; nullopt on failure.
    virtual std::optional<std::size_t> Read(std::span<char> into) = 0;
    virtual bool SeekToStart() = 0;
    // Writes at the current position; the number of bytes written, nullopt on failure.
    virtual std::optional<std::size_t> Write(std::span<const char> bytes) = 0;
    // Ends the file at the current position.
    virtual bool SetEnd() = 0;
    // Closes the file; for created content, puts it in place. False when either fails.
    virtual bool Close() = 0;
};

class SettingsFileSystem {
  public:
    virtual ~SettingsFileSystem() = default;
    // The opened file, or nullptr when the platform refuses.
    virtual std::unique_ptr<SettingsFile> Open(std::wstring_view path, FileOpenMode mode) = 0;
};

// The one open settings file of the process, or nothing ("empty").
struct SettingsFileState {
    std::unique_ptr<SettingsFile> handle;
    // Set by a write since the file was opened or created: only then does closing write it.
    bool modified = false;
    // The content as read (without a byte-order mark) followed by two NUL bytes; none when
    // nothing was read. Parsed entries are views into it.
    std::unique_ptr<char[]> text;
    std::size_t text_end = 0;
    int text_mode = kPlainTextMode;
    SettingsEntryList entries;
};

// The most a settings file may hold for its content to be read. It holds one short line;
// a bigger file is not read at all, so that it costs neither time nor memory.
inline constexpr std::uint64_t kMaxSettingsFileSize = 1024 * 1024;

// Closes whatever is open, opens the existing file at path and parses it whole. False when
// the file cannot be opened even for reading or the path is empty. A file that
// opens counts as read whatever its content; a file bigger than kMaxSettingsFileSize gives
// no entries.
bool OpenSettingsForRead(SettingsFileState& state, SettingsFileSystem& files,
                         std::wstring_view path);

// The key's value as an integer; fallback when the key is not found or nothing is open.
std::int32_t ReadSettingLong(const SettingsFileState& state, std::string_view key,
                             std::int32_t fallback);

// Closes whatever is open and starts new content for the file at path; the file itself
// keeps its old content until the close. False when the platform refuses or the path is
// empty; a refused create leaves an existing file alone.
bool CreateSettingsFile(SettingsFileState& state, SettingsFileSystem& files,
                        std::wstring_view path);

// Stores the value under the key, to be written at the close; nothing when nothing is open.
void WriteSettingLong(SettingsFileState& state, std::string_view key, std::int32_t value);

// Writes a modified file (the key entries, replacing the whole content), closes it and
// returns the state to empty; a created file takes the place of the old one only now. False
// when something the close had to do failed: the output could not be built, written or the
// file ended, the handle not closed or the new content not put in place; a created file's
// old content then stays. True with nothing open.
bool CloseSettings(SettingsFileState& state);

}  // namespace trinumero

#pragma once

// The settings file over the platform's wide file calls (CreateFileW, GetFileSize, ReadFile,
// SetFilePointer, WriteFile, SetEndOfFile, CloseHandle; for a save also GetFileAttributesW,
// SetFileInformationByHandle, FlushFileBuffers and the removal of abandoned fresh files),
// and the process's one settings file state that the program's reads and writes go through.
//
// A save never writes into the file that is there: the new content goes into a fresh file
// of the same folder, which reaches the disk and is then renamed over the name. A link in the
// file's place is replaced, not written through, and the old file stays whole until the new
// one is. The fresh file is deleted with its handle unless it took the name, so that not even
// a crash leaves it behind; a holder of the old file for a moment is waited for.

#include <cstdint>
#include <memory>
#include <string_view>

#include "settings/settings_file_state.h"

namespace trinumero {

class Win32SettingsFileSystem final : public SettingsFileSystem {
  public:
    std::unique_ptr<SettingsFile> Open(std::wstring_view path, const FileOpenMode& mode) override;
};

// The platform's files, as the program's settings operations use them.
Win32SettingsFileSystem& ProcessFileSystem();

// The process's settings file state; empty until something is opened.
SettingsFileState& ProcessSettingsFileState();

// The operations on the process's settings file with the platform's files.
SettingsHandle OpenSettingsForRead(std::wstring_view path);
std::int32_t ReadSettingLong(std::string_view key, std::int32_t fallback);
SettingsHandle CreateSettingsFile(std::wstring_view path);
void WriteSettingLong(std::string_view key, std::int32_t value);
// Also the end-of-program step: a file still open is written if modified, then closed.
bool CloseSettings();

}  // namespace trinumero

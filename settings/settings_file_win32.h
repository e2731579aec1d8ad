#pragma once

// The settings file over the platform's file calls (CreateFileA, GetFileSize, ReadFile,
// SetFilePointer, WriteFile, SetEndOfFile, CloseHandle), and the process's one settings
// file state that the program's reads and writes go through.

#include <cstdint>
#include <memory>
#include <string_view>

#include "settings/settings_file_state.h"

namespace trinumero {

class Win32SettingsFileSystem final : public SettingsFileSystem {
  public:
    std::unique_ptr<SettingsFile> Open(std::string_view path, const FileOpenMode& mode) override;
};

// The platform's files, as the program's settings operations use them.
Win32SettingsFileSystem& ProcessFileSystem();

// The process's settings file state; empty until something is opened.
SettingsFileState& ProcessSettingsFileState();

// The operations on the process's settings file with the platform's files.
SettingsHandle OpenSettingsForRead(std::string_view path);
std::int32_t ReadSettingLong(std::string_view key, std::int32_t fallback);
SettingsHandle CreateSettingsFile(std::string_view path);
void WriteSettingLong(std::string_view key, std::int32_t value);
// Also the end-of-program step: a file still open is written if modified, then closed.
bool CloseSettings();

}  // namespace trinumero

#pragma once

// The settings steps' files over the platform's wide file calls: an existing file opened with
// CreateFileW for reading (and writing, so that its share mode keeps other writers out), or
// new content that replaces the file when it is closed (settings/replacement_file_win32.h).

#include <memory>
#include <string_view>

#include "settings/settings_file_state.h"

namespace trinumero {

class Win32SettingsFileSystem final : public SettingsFileSystem {
  public:
    std::unique_ptr<SettingsFile> Open(std::wstring_view path, FileOpenMode mode) override;
};

}  // namespace trinumero

#include "settings/settings_file_system_win32.h"

#include <windows.h>

#include <string>

#include "settings/open_file_win32.h"
#include "settings/replacement_file_win32.h"

namespace trinumero {

std::unique_ptr<SettingsFile> Win32SettingsFileSystem::Open(std::wstring_view path,
                                                            FileOpenMode mode) {
    const std::wstring path_text(path);
    if (mode == FileOpenMode::kReplace) {
        return OpenReplacement(path_text);
    }
    const DWORD access =
        mode == FileOpenMode::kReadWrite ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ;
    const HANDLE handle = CreateFileW(path_text.c_str(), access, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    return std::make_unique<Win32File>(handle);
}

}  // namespace trinumero

#include "settings/settings_temp_path_win32.h"

#include "support/system_library_win32.h"

namespace trinumero {

Win32TempPathCalls::Win32TempPathCalls()
    : kernel_(LoadSystemLibrary(L"Kernel32.DLL")),
      long_path_name_(LookUpFunction<GetLongPathNameFunction>(kernel_.get(), "GetLongPathNameW")) {}

std::uint32_t Win32TempPathCalls::TempPath(std::uint32_t size, wchar_t* buffer) {
    return GetTempPathW(size, buffer);
}

std::uint32_t Win32TempPathCalls::LongPathName(const wchar_t* path, std::uint32_t size,
                                               wchar_t* buffer) {
    return long_path_name_(path, buffer, size);
}

std::wstring SettingsFilePath() {
    Win32TempPathCalls calls;
    return BuildSettingsFilePath(calls);
}

}  // namespace trinumero

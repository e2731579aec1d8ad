#include "settings/settings_temp_path_win32.h"

#include <type_traits>

#include "support/system_library_win32.h"

namespace trinumero {

// The call looked up is the one the SDK declares, calling convention and all (on i686 a wrong one
// would corrupt the stack).
static_assert(
    std::is_same_v<Win32TempPathCalls::GetLongPathNameFunction, decltype(&::GetLongPathNameW)>);

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

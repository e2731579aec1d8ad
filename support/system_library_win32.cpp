#include "support/system_library_win32.h"

#include <string>

namespace trinumero {

LibraryHandle LoadSystemLibrary(std::wstring_view file_name) {
    const std::wstring name(file_name);
    // Where the system knows the flag (Windows 8, and 7 with its update KB2533623), it looks in
    // the system folder alone; older systems refuse the flag, and get the full path instead.
    if (HMODULE module = LoadLibraryExW(name.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        return LibraryHandle(module);
    }
    if (GetLastError() != ERROR_INVALID_PARAMETER) {
        return nullptr;
    }
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return nullptr;
    }
    const std::wstring path = std::wstring(folder, length) + L"\\" + name;
    return LibraryHandle(LoadLibraryW(path.c_str()));
}

}  // namespace trinumero

#include "support/system_library_win32.h"

#include <windows.h>

#include <string>

#include "support/optional_calls_win32.h"

namespace trinumero {
namespace {

// The search flags of LoadLibraryExW came with SetDefaultDllDirectories (Windows 8, and
// KB2533623 for Windows 7); where the function is missing, LoadLibraryExW refuses the flags.
OptionalCallType<OptionalCall::kSetDefaultDllDirectories> FindSetDefaultDllDirectories() {
    return FindOptionalCall<OptionalCall::kSetDefaultDllDirectories>();
}

// The full path of the file in the system folder; empty when the folder cannot be had.
std::wstring SystemFolderPath(const std::wstring& file_name) {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return {};
    }
    return std::wstring(folder, length) + L"\\" + file_name;
}

}  // namespace

void RestrictDllSearchToSystemFolder() {
    if (const auto set_default = FindSetDefaultDllDirectories()) {
        if (set_default(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
            return;
        }
    }
    SetDllDirectoryW(L"");
}

LibraryHandle LoadSystemLibrary(std::wstring_view file_name) {
    // A folder part (or a NUL, which would end the name early) would take the load
    // somewhere else than the system folder.
    constexpr std::wstring_view kNotInName(L"\\/:\0", 4);
    if (file_name.empty() || file_name.find_first_of(kNotInName) != std::wstring_view::npos) {
        return {};
    }
    const std::wstring name(file_name);
    if (FindSetDefaultDllDirectories() != nullptr) {
        return LibraryHandle(LoadLibraryExW(name.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    }
    // Without the search flags: the full path, and the library's dependencies looked for in
    // its own folder before the program's.
    const std::wstring path = SystemFolderPath(name);
    if (path.empty()) {
        return {};
    }
    return LibraryHandle(LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}

}  // namespace trinumero

// stack_guard_reader PROGRAM GUARD_RVA FILE_VALUE (hex): once the started program's window shows,
// 0 when its guard at GUARD_RVA is not FILE_VALUE and ends in a zero byte; 1 if not; 2: unread.
#include <windows.h>

#include <psapi.h>

#include <cstdint>
#include <cwchar>
#include <string>

#include "tests/kit/processes_win32.h"
#include "tests/kit/windows_win32.h"

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        return 2;
    }
    using namespace trinumero::testing;
    const StartedProcess program(L"\"" + std::wstring(argv[1]) + L"\"", argv[1]);
    HMODULE image = nullptr;
    DWORD needed = 0;
    std::uintptr_t guard = 0;
    const bool read =
        program.Started() &&
        WaitUntil([&program] { return FindVisibleWindow(program.Id()) != nullptr; }, 30000) &&
        EnumProcessModules(program.Handle(), &image, sizeof image, &needed) &&
        ReadProcessMemory(
            program.Handle(),
            reinterpret_cast<const char*>(image) + std::wcstoull(argv[2], nullptr, 16), &guard,
            sizeof guard, nullptr);
    const auto in_file = static_cast<std::uintptr_t>(std::wcstoull(argv[3], nullptr, 16));
    return !read ? 2 : guard != in_file && (guard & 0xFF) == 0 ? 0 : 1;
}

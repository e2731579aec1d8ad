// stack_guard_reader PROGRAM GUARD_RVA FILE_VALUE (hexadecimal): starts the program and, once it
// waits for input, reads its stack guard at GUARD_RVA. Exits with 0 when the guard is not the
// file's FILE_VALUE and its lowest byte is zero, 1 when not, 2 when nothing could be read.
#include <windows.h>

#include <psapi.h>

#include <cstdint>
#include <cstdlib>

#include "support/handles_win32.h"

int main(int argc, char** argv) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (argc != 4 || !CreateProcessA(argv[1], nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                     &startup, &process)) {
        return 2;
    }
    const trinumero::KernelHandle child(process.hProcess), thread(process.hThread);
    HMODULE image = nullptr;
    DWORD needed = 0;
    std::uintptr_t guard = 0;
    const bool read =
        WaitForInputIdle(child.get(), 30000) == 0 &&
        EnumProcessModules(child.get(), &image, sizeof image, &needed) &&
        ReadProcessMemory(
            child.get(), reinterpret_cast<const char*>(image) + std::strtoull(argv[2], nullptr, 16),
            &guard, sizeof guard, nullptr);
    TerminateProcess(child.get(), 0);
    const auto in_file = static_cast<std::uintptr_t>(std::strtoull(argv[3], nullptr, 16));
    return !read ? 2 : guard != in_file && (guard & 0xFF) == 0 ? 0 : 1;
}

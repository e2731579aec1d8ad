#include "support/stack_guard_win32.h"

#include <windows.h>

#include <cstdint>

// Built without the stack protector (see support/CMakeLists.txt): the seeding changes the
// guard while its own frame is live.

extern "C" {

std::uintptr_t __stack_chk_guard = trinumero::kUnseededStackGuard;

// An overrun: ended at once, the way Windows ends a process whose stack cookie was overwritten
// (a fast fail, which no handler of the process can intercept); where the system knows no fast
// fail, the interrupt faults, which ends the process all the same.
[[noreturn]] void __stack_chk_fail() {
    __asm__ volatile("int $0x29" : : "c"(FAST_FAIL_STACK_COOKIE_CHECK_FAILURE));
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(STATUS_STACK_BUFFER_OVERRUN));
    __builtin_unreachable();
}

}  // extern "C"

namespace trinumero {

void SeedStackGuard() {
    // As Windows' own compilers seed their cookie: values that differ between runs and
    // machines, mixed, and the address of a local that address space layout randomisation
    // moves.
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    std::uintptr_t seed =
        (static_cast<std::uintptr_t>(now.dwHighDateTime) << 16) ^ now.dwLowDateTime ^
        GetCurrentProcessId() ^ (static_cast<std::uintptr_t>(GetCurrentThreadId()) << 8) ^
        static_cast<std::uintptr_t>(GetTickCount64()) ^
        static_cast<std::uintptr_t>(counter.QuadPart) ^ reinterpret_cast<std::uintptr_t>(&seed);
    // One zero byte at the bottom: a string copy that runs into the guard stops there.
    seed &= ~static_cast<std::uintptr_t>(0xFF);
    if (seed != 0) {
        __stack_chk_guard = seed;
    }
}

}  // namespace trinumero

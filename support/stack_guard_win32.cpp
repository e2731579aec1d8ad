#include "support/stack_guard_win32.h"

#include <windows.h>

#include <cstdint>

// Built without the stack protector (see support/CMakeLists.txt): the seeding changes the
// guard while its own frame is live.

extern "C" {

std::uintptr_t __stack_chk_guard = trinumero::kUnseededStackGuard;

// An overrun: the process ends at once, and nothing of it runs any more. From Windows 8 on that
// is a fast fail, which the system ends the process with before any exception handler of the
// process is asked. Older systems treat the interrupt as an ordinary fault that the process's
// handlers would receive, and an i686 process finds those handlers through records on the very
// stack that the overrun may have overwritten: there the process is terminated directly,
// with the same status. Nothing that a test could replace lies on this way: the system itself
// is asked whether it has the fast fail. Built with TRINUMERO_WITHOUT_FAST_FAIL, the guard
// takes the older systems' way everywhere, for the stack guard's probe (tests/app).
[[noreturn]] void __stack_chk_fail() {
#ifndef TRINUMERO_WITHOUT_FAST_FAIL
    if (IsProcessorFeaturePresent(PF_FASTFAIL_AVAILABLE)) {
        __asm__ volatile("int $0x29" : : "c"(FAST_FAIL_STACK_COOKIE_CHECK_FAILURE));
    }
#endif
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(STATUS_STACK_BUFFER_OVERRUN));
    __builtin_unreachable();
}

}  // extern "C"

namespace trinumero {

namespace {

// The finaliser of splitmix64: every bit of the result depends on every bit of the input, so
// the few bits of the sources that differ between runs spread over the whole guard.
std::uint64_t Mix(std::uint64_t value) {
    value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9ULL;
    value = (value ^ (value >> 27)) * 0x94D049BB133111EBULL;
    return value ^ (value >> 31);
}

}  // namespace

void SeedStackGuard() {
    // As Windows' own compilers seed their cookie: values that differ between runs and
    // machines, and the address of a local that address space layout randomisation moves;
    // then mixed, since their high bits hardly ever change.
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    std::uint64_t sources =
        (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    sources = Mix(sources ^ GetCurrentProcessId() ^
                  (static_cast<std::uint64_t>(GetCurrentThreadId()) << 32));
    sources = Mix(sources ^ GetTickCount64());
    sources = Mix(sources ^ static_cast<std::uint64_t>(counter.QuadPart));
    sources = Mix(sources ^ reinterpret_cast<std::uintptr_t>(&sources));
    // A 32-bit guard takes both halves.
    constexpr bool kNarrowGuard = sizeof(std::uintptr_t) < sizeof(std::uint64_t);
    auto seed = static_cast<std::uintptr_t>(kNarrowGuard ? sources ^ (sources >> 32) : sources);
    // One zero byte at the bottom: a string copy that runs into the guard stops there.
    seed &= ~static_cast<std::uintptr_t>(0xFF);
    if (seed != 0) {
        __stack_chk_guard = seed;
    }
}

}  // namespace trinumero

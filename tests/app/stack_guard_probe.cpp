// The program's stack guard, in a probe started like the program: "seeded" exits with 0 when
// the first instruction gave the guard a value of its own; "overrun" starts itself again to
// write past a buffer on its stack, and exits with 0 when that copy was ended at once with the
// status of an overrun stack, not allowed to return. "overrun-without-fast-fail" does the same
// as a system without fast fail (Windows 7), where the copy has exception handlers of its own
// that must never run: the stack they would be found through is not to be trusted.
#include <windows.h>

#include <cstdint>
#include <string>

#include "support/handles_win32.h"
#include "support/optional_calls_win32.h"
#include "support/stack_guard_win32.h"

extern "C" std::uintptr_t __stack_chk_guard;

namespace {

volatile std::size_t g_length = 64;

// A buffer of 16 bytes filled with g_length bytes: the write runs over the saved guard.
__attribute__((noinline)) int Overrun() {
    char buffer[16];
    volatile char* at = buffer;
    for (std::size_t i = 0; i < g_length; ++i) {
        at[i] = 'x';
    }
    return buffer[3];
}

// Any exception handler of the process that runs ends it with this code.
constexpr UINT kHandlerRan = 6;

LONG WINAPI EndFromHandler(EXCEPTION_POINTERS*) {
    TerminateProcess(GetCurrentProcess(), kHandlerRan);
    return EXCEPTION_CONTINUE_SEARCH;
}

int RunOverrunCopy(const wchar_t* mode) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" " + mode;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(self, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return 2;
    }
    const trinumero::KernelHandle thread(process.hThread);
    const trinumero::KernelHandle child(process.hProcess);
    WaitForSingleObject(child.get(), 10000);
    DWORD code = 0;
    GetExitCodeProcess(child.get(), &code);
    return code == static_cast<DWORD>(STATUS_STACK_BUFFER_OVERRUN) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc == 2 ? argv[1] : "";
    if (mode == "seeded") {
        return __stack_chk_guard != trinumero::kUnseededStackGuard ? 0 : 1;
    }
    if (mode == "overrun") {
        return RunOverrunCopy(L"overrun-copy");
    }
    if (mode == "overrun-without-fast-fail") {
        return RunOverrunCopy(L"overrun-copy-without-fast-fail");
    }
    if (mode == "overrun-copy-without-fast-fail") {
        trinumero::ReplaceOptionalCall(trinumero::OptionalCall::kFastFail, nullptr);
        AddVectoredExceptionHandler(1, EndFromHandler);
        SetUnhandledExceptionFilter(EndFromHandler);
    }
    if (mode == "overrun-copy" || mode == "overrun-copy-without-fast-fail") {
        return Overrun() == 'x' ? 4 : 5;  // reached only when the overrun went unnoticed
    }
    return 3;
}

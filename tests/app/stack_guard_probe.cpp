// The program's stack guard, in a probe started like the program: "seeded" exits with 0 when
// the first instruction gave the guard a value of its own. "overrun fast-fail" starts itself
// again under a debugger to write past a buffer on its stack, and exits with 0 when the debugger
// saw that copy end with the status of an overrun stack after the one exception of a fast fail,
// which only a debugger is offered, as the last chance: no handler of the process runs.
// "overrun terminated", in the probe built with TRINUMERO_WITHOUT_FAST_FAIL (as on Windows 7),
// wants no exception at all: an int 0x29 in its place shows one (Windows 7: an access violation).
// In the emulated machine (README), whose CPU gives an int 0x29 the wrong error code so that Wine
// raises an access violation, the one exception must come from an int 0x29 with the stack cookie
// check's code (FastFailAskedInEmulator).
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "support/handles_win32.h"
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

enum class Ending { kOther, kFastFail, kTerminated };

bool FastFailAskedInEmulator(HANDLE process, HANDLE thread, const DEBUG_EVENT& event) {
    if (GetEnvironmentVariableW(L"TRINUMERO_IN_MACHINE", nullptr, 0) == 0) {
        return false;
    }
    unsigned char instruction[2] = {};
    CONTEXT context{};
    context.ContextFlags = CONTEXT_INTEGER;
    if (!ReadProcessMemory(process, event.u.Exception.ExceptionRecord.ExceptionAddress, instruction,
                           sizeof instruction, nullptr) ||
        !GetThreadContext(thread, &context)) {
        return false;
    }
#if defined(__i386__)
    const DWORD_PTR code = context.Ecx;
#else
    const DWORD_PTR code = context.Rcx;
#endif
    return instruction[0] == 0xCD && instruction[1] == 0x29 &&
           code == FAST_FAIL_STACK_COOKIE_CHECK_FAILURE;
}

Ending RunOverrunCopy() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" overrun-copy";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(self, command.data(), nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS,
                        nullptr, nullptr, &startup, &process)) {
        return Ending::kOther;
    }
    const trinumero::KernelHandle thread(process.hThread);
    const trinumero::KernelHandle child(process.hProcess);
    Ending ending = Ending::kTerminated;  // until an exception shows
    DEBUG_EVENT event{};
    while (WaitForDebugEvent(&event, 10000)) {
        DWORD answer = DBG_CONTINUE;
        const auto code = event.dwDebugEventCode;
        // The debugger closes the files of the image and of each library loaded.
        HANDLE file =
            code == CREATE_PROCESS_DEBUG_EVENT ? event.u.CreateProcessInfo.hFile : nullptr;
        const trinumero::KernelHandle closed(code == LOAD_DLL_DEBUG_EVENT ? event.u.LoadDll.hFile
                                                                          : file);
        const EXCEPTION_RECORD& record = event.u.Exception.ExceptionRecord;
        // The loader's breakpoints (the second one in a 32-bit process on 64-bit Windows).
        if (code == EXCEPTION_DEBUG_EVENT && record.ExceptionCode != EXCEPTION_BREAKPOINT &&
            record.ExceptionCode != 0x4000001F) {
            answer = DBG_EXCEPTION_NOT_HANDLED;
            bool fast_fail = record.ExceptionCode == STATUS_STACK_BUFFER_OVERRUN &&
                             event.u.Exception.dwFirstChance == 0 &&
                             record.ExceptionInformation[0] == FAST_FAIL_STACK_COOKIE_CHECK_FAILURE;
            if (ending == Ending::kTerminated && !fast_fail &&
                FastFailAskedInEmulator(child.get(), thread.get(), event)) {
                TerminateProcess(child.get(), static_cast<UINT>(STATUS_STACK_BUFFER_OVERRUN));
                fast_fail = true;
            }
            ending =
                ending == Ending::kTerminated && fast_fail ? Ending::kFastFail : Ending::kOther;
        }
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, answer);
        if (code == EXIT_PROCESS_DEBUG_EVENT) {
            const auto status = static_cast<DWORD>(STATUS_STACK_BUFFER_OVERRUN);
            return event.u.ExitProcess.dwExitCode == status ? ending : Ending::kOther;
        }
    }
    TerminateProcess(child.get(), 1);
    return Ending::kOther;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string_view mode = argc >= 2 ? argv[1] : "";
    if (mode == "seeded") {
        return __stack_chk_guard != trinumero::kUnseededStackGuard ? 0 : 1;
    }
    if (mode == "overrun-copy") {
        return Overrun() == 'x' ? 4 : 5;  // reached only when the overrun went unnoticed
    }
    const std::string_view way = argc == 3 ? argv[2] : "";
    if (mode == "overrun" && (way == "fast-fail" || way == "terminated")) {
        // Otherwise 10 + how the copy ended: 10 another way, 11 a fast fail, 12 no exception.
        const Ending ending = RunOverrunCopy();
        const Ending wanted = way == "fast-fail" ? Ending::kFastFail : Ending::kTerminated;
        return ending == wanted ? 0 : 10 + static_cast<int>(ending);
    }
    return 3;
}

// The program's first instruction: a TLS callback of the exe. The loader calls it once the
// DLLs of the import table are mapped and initialised, and before the exe's entry point, the
// runtime's start-up code and the constructors. Those DLLs are all ones Windows protects (a
// test checks the import table), so none of them was looked for in the exe's folder. The
// callback sits in .CRT$XLB, before the runtime's own TLS callbacks (.CRT$XLC, .CRT$XLD), and
// uses nothing of the runtime.
//
// It gives the stack guard this run's value before any function that checks it runs, and
// restricts the DLL search to the system folder before anything is loaded by name (see
// support/system_library_win32.h).

#include <windows.h>

#include "support/stack_guard_win32.h"
#include "support/system_library_win32.h"

namespace {

// No guard check of its own: the guard changes while it runs.
__attribute__((no_stack_protector)) void NTAPI StartProcess(PVOID, DWORD reason, PVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        trinumero::SeedStackGuard();
        trinumero::RestrictDllSearchToSystemFolder();
    }
}

// The linker keeps every .CRT$XL* entry; "used" keeps the compiler from dropping it.
__attribute__((section(".CRT$XLB"), used)) const PIMAGE_TLS_CALLBACK kStartProcessCallback =
    StartProcess;

}  // namespace

// The DLL search is restricted to the system folder before any other code of the program
// runs, so that nothing the process loads by name, at any moment, comes from the folder the
// exe was started from (see support/system_library_win32.h).
//
// The earliest moment is a TLS callback of the exe. The loader calls it once the DLLs of
// the import table are mapped and initialised, and before the exe's entry point. Those DLLs
// are all ones Windows protects (a test checks the import table), so none of them was looked
// for in the exe's folder. WinMain, or even a high-priority constructor, would come too late:
// the runtime's start-up code and the constructors run before WinMain, and one of them, the
// stack protector's guard set-up, asks the crypto API for random bytes, which loads the
// crypto provider's DLL by name. The callback sits in .CRT$XLB, before the runtime's own TLS
// callbacks (.CRT$XLC, .CRT$XLD), and uses nothing of the runtime.

#include <windows.h>

#include "support/system_library_win32.h"

namespace {

void NTAPI RestrictDllSearchAtStart(PVOID, DWORD reason, PVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        trinumero::RestrictDllSearchToSystemFolder();
    }
}

// The linker keeps every .CRT$XL* entry; "used" keeps the compiler from dropping it.
__attribute__((section(".CRT$XLB"), used)) const PIMAGE_TLS_CALLBACK kRestrictDllSearchCallback =
    RestrictDllSearchAtStart;

}  // namespace

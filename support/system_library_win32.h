#pragma once

// Libraries that the program, or Windows on its behalf, loads at run time come from the
// system folder only. A portable exe is often started from a download folder where any web
// page may have dropped a file: a DLL there named like one of the system's own would
// otherwise be loaded, and its code run, in place of the real one.

#include <windows.h>

#include <string_view>

#include "support/handles_win32.h"

namespace trinumero {

// Makes the system folder the only place the process's later loads by name look in (the
// program's own folder and the current folder leave the search), on Windows 8 and later and
// on Windows 7 with KB2533623. Without that update, at least the current folder leaves the
// search. Called once, before anything else of the program runs.
void RestrictDllSearchToSystemFolder();

// A library Windows ships, loaded from the system folder only, whatever the process's search
// order is; its own dependencies are looked for there too. The file name is a bare name such
// as "user32.dll": one with a folder part is refused. Empty on failure.
LibraryHandle LoadSystemLibrary(std::wstring_view file_name);

// The function of the module under its name, as the caller's function type; nullptr when the
// module or the function is missing.
template <typename Function>
Function LookUpFunction(HMODULE module, const char* name) {
    const FARPROC found = module != nullptr ? GetProcAddress(module, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

}  // namespace trinumero

#pragma once

// Libraries the program loads at run time. They come from the system folder only, never from
// the program's folder or the current one, where anybody could have put a library of the same
// name (a download folder, for one).

#include <windows.h>

#include <string_view>

#include "support/handles_win32.h"

namespace trinumero {

// A library Windows ships, loaded from the system folder only; empty when it cannot be loaded.
LibraryHandle LoadSystemLibrary(std::wstring_view file_name);

// The function of the module under its name, as the caller's function type; nullptr when the
// module or the function is missing.
template <typename Function>
Function LookUpFunction(HMODULE module, const char* name) {
    const FARPROC found = module != nullptr ? GetProcAddress(module, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

}  // namespace trinumero

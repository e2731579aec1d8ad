// Loads dwmapi.dll, which Windows does not protect, in the way the argument names: "bare" by
// its bare name, as system code does, or "system" through LoadSystemLibrary. Exit code: 30 a
// library loaded and no planted copy ran, 31 the planted copy beside the probe ran, 32 nothing
// loaded, 33 a wrong argument.
#include <windows.h>

#include <string_view>

#include "support/system_library_win32.h"

int main(int argc, char** argv) {
    const std::string_view way = argc == 2 ? argv[1] : "";
    trinumero::LibraryHandle library;
    if (way == "bare") {
        library.reset(LoadLibraryW(L"dwmapi.dll"));
    } else if (way == "system") {
        library = trinumero::LoadSystemLibrary(L"dwmapi.dll");
    } else {
        return 33;
    }
    if (!library) {
        return 32;
    }
    return GetEnvironmentVariableW(L"TRINUMERO_PLANTED_DLL_RAN", nullptr, 0) != 0 ? 31 : 30;
}

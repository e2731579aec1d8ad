// A dwmapi.dll, which Windows does not protect, planted beside a probe as a web page may leave
// one in a download folder. Built as that DLL, it leaves a marker in the environment of the
// process that loads it. Built as the probe, it loads dwmapi.dll in the way its first argument
// says ("bare": by the bare name, as system code does; "system": through LoadSystemLibrary)
// and exits with 0 when the copy that ran is the one its second argument names ("planted" or
// "system"), 1 when it is the other one, 2 when nothing loaded. A third argument, "windows-7",
// first restricts the search as the program does at start-up where SetDefaultDllDirectories is
// missing (Windows 7 without KB2533623), with the call pretended missing for the rest of the run.
#include <windows.h>

#ifdef TRINUMERO_PLANTED_DLL

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        SetEnvironmentVariableW(L"TRINUMERO_PLANTED_DLL_RAN", L"1");
    }
    return TRUE;
}

#else

#include <string_view>

#include "support/optional_calls_win32.h"
#include "support/system_library_win32.h"

int main(int argc, char** argv) {
    if (argc == 4 && std::string_view(argv[3]) == "windows-7") {
        trinumero::ReplaceOptionalCall<trinumero::OptionalCall::kSetDefaultDllDirectories>(nullptr);
        trinumero::RestrictDllSearchToSystemFolder();
    }
    const bool system_load = argc >= 3 && std::string_view(argv[1]) == "system";
    const trinumero::LibraryHandle library =
        system_load ? trinumero::LoadSystemLibrary(L"dwmapi.dll")
                    : trinumero::LibraryHandle(LoadLibraryW(L"dwmapi.dll"));
    if (!library || argc < 3) {
        return 2;
    }
    const bool planted = GetEnvironmentVariableW(L"TRINUMERO_PLANTED_DLL_RAN", nullptr, 0) != 0;
    return planted == (std::string_view(argv[2]) == "planted") ? 0 : 1;
}

#endif

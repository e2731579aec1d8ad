// A DLL named like one of the system's, as a web page may leave one in a download folder:
// when a process loads it, its DllMain leaves a marker in the process's environment.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        SetEnvironmentVariableW(L"TRINUMERO_PLANTED_DLL_RAN", L"1");
    }
    return TRUE;
}

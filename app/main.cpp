// Trinumero: converts numbers between the hexadecimal, decimal and binary systems.
#include <windows.h>

#include "app/main_flow.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    trinumero::RunProgram();
    // ExitProcess rather than a return: it also ends the threads the platform started for the
    // process (COM's, the input method's), which would otherwise keep it alive.
    ExitProcess(0);
}

// Trinumero: converts numbers between the hexadecimal, decimal and binary systems.
#include <windows.h>

#include "app/main_flow.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    trinumero::RunProgram();
    // Exit code 0 on every path; ExitProcess also ends any thread the platform started.
    ExitProcess(0);
}

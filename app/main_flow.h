#pragma once

// The life of the process: start-up, the event loop, shutdown. Split into steps so that
// the benchmarks can drive the same code as the program.

#include <windows.h>

#include <cstdint>
#include <string>

namespace trinumero {

// The main flow's variables for the whole run.
struct ProgramState {
    // The three number fields' edit windows, kept from their creation.
    HWND hex_field = nullptr;
    HWND dec_field = nullptr;
    HWND bin_field = nullptr;

    // The last event, as the loop read it.
    int event_code = 0;
    int event_control = 0;
    int event_subtype = 0;
    int event_menu_item = 0;
    int quit = 0;  // 1 once the close request came

    // The on-top setting: loaded once at start-up; afterwards the menu item's check mark,
    // read at each toggle, is the one record of it.
    std::int32_t on_top_setting = 0;
    int on_top_check_state = 0;
    std::wstring settings_path;  // built once at start-up, used by every save

    std::uint32_t keyboard_layout_result = 0;  // kept, never read
};

// Start-up up to the event loop: the setting loaded, the window built and shown, the
// keyboard layout switched. False when the main window could not be made; the caller
// then shuts down.
bool StartUp(ProgramState& state);

// One turn of the event loop: wait for an event and act on it.
void RunEventLoopTurn(ProgramState& state);

// Releases everything in order. The caller then ends the process with code 0.
void ShutDown();

// The whole run: start-up, the loop until the close request, shutdown. Returns 0.
int RunProgram();

}  // namespace trinumero

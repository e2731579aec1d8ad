#pragma once

// Top-level windows of the program, addressed by window number (the main window is 0):
// creation centred and hidden, showing and hiding, the topmost state, destruction.

#include <windows.h>

#include <string_view>

namespace trinumero {

// Own bits of the window flags word; the rest are WS_* styles. WS_VISIBLE in the flags
// means the opposite of its platform meaning: create the window hidden.
inline constexpr DWORD kWindowFlagCentred = 0x1;
inline constexpr DWORD kWindowOwnBits = 0x3;

// Registers "WindowClass_<number>" and creates the window with the given client size, in
// pixels of 96 dpi, scaled to the DPI of the window's monitor. The title is Windows-1251 bytes.
// Returns the window handle, or nullptr.
HWND CreateAppWindow(int window, int x, int y, int client_width, int client_height,
                     std::string_view title, DWORD flags);

// Hides (non-zero) or shows the window. ShowWindow's result, 0 for an unknown number.
int SetWindowHidden(int window, int hidden);

// Puts the window above all others (non-zero) or back among them. SetWindowPos's result,
// 0 for an unknown number.
int SetOnTop(int window, int on_top);

// Destroys the window with its class, accelerator table, menus and controls, and frees
// its entry. An unknown number is left alone.
void DestroyAppWindow(int window);

// Destroys every window still in the table (shutdown).
void DestroyAllWindows();

}  // namespace trinumero

#pragma once

// Windows as the tests look at them from outside: other processes' windows, the texts of
// windows, message boxes, and waiting for what another process does.

#include <windows.h>

#include <functional>
#include <string>

namespace trinumero::testing {

// A visible top-level window of the process, of the class when one is named; nullptr when
// there is none.
HWND FindVisibleWindow(DWORD process_id, const wchar_t* class_name = nullptr);

// The window's text, asked for with WM_GETTEXT: GetWindowText on another process's control
// returns its creation caption, not what was typed since.
std::wstring TextOf(HWND window);

// Presses the OK button of a message box (or any dialog).
void PressOk(HWND dialog);

// Asks the condition every 20 ms until it holds (true) or the time is over (false).
bool WaitUntil(const std::function<bool()>& condition, DWORD timeout_ms);

}  // namespace trinumero::testing

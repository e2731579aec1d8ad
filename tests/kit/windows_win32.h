#pragma once

// Other processes' windows, as the tests that start programs look for them, and waiting for
// what another process does.

#include <windows.h>

#include <functional>

namespace trinumero::testing {

// A visible top-level window of the process, of the class when one is named; nullptr when
// there is none.
HWND FindVisibleWindow(DWORD process_id, const wchar_t* class_name = nullptr);

// Asks the condition every 20 ms until it holds (true) or the time is over (false).
bool WaitUntil(const std::function<bool()>& condition, DWORD timeout_ms);

}  // namespace trinumero::testing

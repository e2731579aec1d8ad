#pragma once

// The window procedure of the main window's class: it turns the platform's messages for the
// window into the events of the event model (ui/events/event_model.h) and answers, for the window
// and its controls, what the window draws and how it is laid out.

#include <windows.h>

namespace trinumero {

LRESULT CALLBACK MainWindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace trinumero

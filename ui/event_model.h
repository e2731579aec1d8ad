#pragma once

// The main loop sees the user interface as a stream of integer events: it calls
// WaitEvent, then reads EventControl, EventSubtype and EventMenuItem. The window
// procedure of the main window's class and the field subclass procedure turn the
// platform's messages into those events.

#include <windows.h>

#include "ui/deferred_events.h"

namespace trinumero {

// Event codes returned by WaitEvent. Any other value is the number of the platform
// message the wait retrieved.
inline constexpr int kEventControl = 13100;
inline constexpr int kEventMenu = 13101;
inline constexpr int kEventClose = 16;
inline constexpr int kEventRepaint = 15;
inline constexpr int kEventMoved = 3;
inline constexpr int kEventResized = 5;
inline constexpr int kEventActivated = 13104;

// Event types of a control event.
inline constexpr int kTypeContentsChanged = 768;  // EN_CHANGE
inline constexpr int kTypeFocusGot = 14000;
inline constexpr int kTypeFocusLost = 14001;
inline constexpr int kTypeNone = -1;

// Focus notification posted by an edit field to its top-level window:
// wParam = control number, lParam = kTypeFocusGot or kTypeFocusLost.
inline constexpr UINT kFocusNotification = 13103;

// Commands of the Tab and Shift+Tab accelerators.
inline constexpr WORD kCommandFocusForward = 1212;
inline constexpr WORD kCommandFocusBackward = 1213;

// The results of the last wait, shared by the wait and the window procedure.
struct EventRecord {
    int item = 0;           // control number or menu item number of the last event
    int window_number = 0;  // window of the message being routed or of the deferred event
    int event_type = 0;     // notification code of the last control event; -1 from each wait
    int pending = 0;        // event recorded while a message is routed; 0 = none
    DeferredEventQueue deferred;
};

EventRecord& Events();

// Blocks until the next event or message and returns its event code.
int WaitEvent();
int EventControl();
int EventSubtype();
int EventMenuItem();

// Window procedure of the main window's class.
LRESULT CALLBACK MainWindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Subclass procedure of every edit field: reports focus changes to the top-level window.
// The field's own procedure is kept in its GWLP_USERDATA slot.
LRESULT CALLBACK FieldSubclassProcedure(HWND field, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace trinumero

#pragma once

// The main loop sees the window as a stream of integer events. WaitEvent fetches and
// routes one platform message (or hands out one deferred event), and the window procedure
// and the field subclass procedure leave behind what the loop then reads with
// EventControl, EventSubtype and EventMenuItem. Notifications that arrive while no wait is
// running (the program's own writes into the fields) are overwritten by the next wait, so
// they never reach the loop.

#include <windows.h>

#include "ui/events/deferred_events.h"

namespace trinumero {

// Codes WaitEvent returns. Any other value is the number of the platform message the wait
// fetched and routed without an event.
inline constexpr int kEventControl = 13100;
inline constexpr int kEventMenu = 13101;
inline constexpr int kEventClose = 16;
inline constexpr int kEventRepaint = 15;
inline constexpr int kEventMoved = 3;
inline constexpr int kEventResized = 5;
inline constexpr int kEventActivated = 13104;

// Subtypes of a control event: the control's notification code as it sent it, or one of
// the focus reports of the fields.
inline constexpr int kSubtypeContentsChanged = 768;  // EN_CHANGE
inline constexpr int kSubtypeFocusGot = 14000;
inline constexpr int kSubtypeFocusLost = 14001;
inline constexpr int kSubtypeNone = -1;  // nothing recorded since the wait began

// Posted by an edit field to its top-level window when it gets or loses the focus:
// wParam = control number, lParam = kSubtypeFocusGot or kSubtypeFocusLost.
inline constexpr UINT kFocusNotification = 13103;

// Commands of the Tab and Shift+Tab accelerators.
inline constexpr WORD kCommandFocusForward = 1212;
inline constexpr WORD kCommandFocusBackward = 1213;

// What the last wait left behind, shared by the wait and the window procedure.
struct EventRecord {
    int item = 0;           // control number or menu item number: one slot for both
    int window_number = 0;  // window of the message being routed or of the deferred event
    int subtype = 0;        // of the last control event; kSubtypeNone from each wait
    int pending = 0;        // event recorded while a message is routed; 0 = none
    DeferredEventQueue deferred;
};

EventRecord& Events();

// Blocks until the next event or message and returns its code.
int WaitEvent();
int EventControl();
int EventSubtype();
int EventMenuItem();

// What the window procedure records while it routes a message of a window: a pending event,
// handed out by the wait that routes the message; an event of the window being routed,
// deferred to a later wait (none for a window without a number); and a WM_COMMAND, which is a
// control's notification or a menu command (a pending event) or a focus command of the Tab
// accelerators (the focus moves; no event). The answer to WM_COMMAND is 0.
void RecordPendingEvent(int code, int item, int subtype);
void DeferEvent(int code);
LRESULT RecordCommand(WPARAM wparam, LPARAM lparam);

}  // namespace trinumero

#include "ui/event_model.h"

#include <string_view>

#include "ui/accessible_name.h"
#include "ui/colour_scheme.h"
#include "ui/controls.h"
#include "ui/dark_menu.h"
#include "ui/dark_painting.h"
#include "ui/focus_order.h"
#include "ui/window_dpi.h"
#include "ui/window_tables.h"

namespace trinumero {

EventRecord& Events() {
    static EventRecord record;
    return record;
}

namespace {

// The accelerator table of the (top-level) window, found through its window number.
HACCEL AcceleratorsOf(HWND window) {
    const WindowEntry* entry = WindowTable().Find(WindowNumberOf(window));
    return entry != nullptr ? entry->accelerators : nullptr;
}

void RecordPending(int code, int item, int subtype) {
    EventRecord& record = Events();
    record.pending = code;
    record.item = item;
    record.subtype = subtype;
}

void Defer(int code) {
    EventRecord& record = Events();
    if (record.window_number >= 0) {
        record.deferred.Append(code, record.window_number);
    }
}

LRESULT OnCommand(WPARAM wparam, LPARAM lparam) {
    const auto sender = reinterpret_cast<HWND>(lparam);
    const int notification = HIWORD(wparam);
    if (sender != nullptr) {
        RecordPending(kEventControl, static_cast<int>(GetWindowLongPtrW(sender, GWLP_ID)),
                      notification);
        return 0;
    }
    if (notification == 0) {
        // A menu command: the item number travels in the item slot, the type stays as it was.
        EventRecord& record = Events();
        record.pending = kEventMenu;
        record.item = static_cast<int>(wparam);
        return 0;
    }
    // An accelerator: the two focus commands are handled here and raise no event.
    if (LOWORD(wparam) == kCommandFocusForward) {
        MoveFocus(FocusDirection::kForward);
    } else if (LOWORD(wparam) == kCommandFocusBackward) {
        MoveFocus(FocusDirection::kBackward);
    }
    return 0;
}

BOOL CALLBACK PassSysColorChange(HWND child, LPARAM) {
    SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
    return TRUE;
}

// The top-level window of a field: the first window up the parent chain that carries a
// window number, or the one that has no parent.
HWND TopLevelOf(HWND window) {
    HWND current = window;
    while (GetPropW(current, kWindowNumberProperty) == nullptr) {
        HWND parent = GetParent(current);
        if (parent == nullptr) {
            break;
        }
        current = parent;
    }
    return current;
}

}  // namespace

int WaitEvent() {
    EventRecord& record = Events();
    record.subtype = kSubtypeNone;

    if (const auto oldest = record.deferred.TakeOldest()) {
        record.window_number = oldest->window_number;
        record.pending = 0;
        return oldest->code;
    }

    MSG message{};
    GetMessageW(&message, nullptr, 0, 0);

    HWND active = GetActiveWindow();
    HACCEL accelerators = AcceleratorsOf(active);
    if (accelerators == nullptr || TranslateAcceleratorW(active, accelerators, &message) == 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }

    if (record.pending != 0) {
        const int code = record.pending;
        record.pending = 0;
        return code;
    }
    return static_cast<int>(message.message);
}

int EventControl() {
    return Events().item;
}
int EventSubtype() {
    return Events().subtype;
}
int EventMenuItem() {
    return Events().item;
}

LRESULT CALLBACK MainWindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    EventRecord& record = Events();
    record.window_number = WindowNumberOf(window);

    switch (message) {
        case WM_COMMAND:
            return OnCommand(wparam, lparam);

        case WM_CLOSE:
            // Closing is left to the main loop: the window stays.
            Defer(kEventClose);
            return 0;

        case WM_MOVE:
            Defer(kEventMoved);
            return 0;

        case WM_SIZE:
            if (wparam == SIZE_MINIMIZED || record.window_number < 0) {
                return DefWindowProcW(window, message, wparam, lparam);
            }
            Defer(kEventResized);
            return 0;

        case WM_ACTIVATE:
            // Answered without the default handling, which would give the focus to the window.
            if (LOWORD(wparam) != WA_INACTIVE) {
                Defer(kEventActivated);
            }
            return 1;

        case WM_ERASEBKGND: {
            // The window has no background colour of its own: the class background erases it,
            // or in the dark scheme the dark one.
            const WindowEntry* dark = DarkWindowEntry(record.window_number);
            const LRESULT answer =
                dark != nullptr ? EraseDarkBackground(window, *dark, reinterpret_cast<HDC>(wparam))
                                : DefWindowProcW(window, message, wparam, lparam);
            Defer(kEventRepaint);
            return answer;
        }

        case WM_SYSCOLORCHANGE:
            EnumChildWindows(window, PassSysColorChange, 0);
            RefreshColourScheme(record.window_number);
            return DefWindowProcW(window, message, wparam, lparam);

        case WM_SETTINGCHANGE:
            // High contrast is switched with a setting change (and a colour change after it),
            // the app mode with the setting change of the immersive colours.
            if (wparam == SPI_SETHIGHCONTRAST ||
                (lparam != 0 && std::wstring_view(reinterpret_cast<const wchar_t*>(lparam)) ==
                                    L"ImmersiveColorSet")) {
                RefreshColourScheme(record.window_number);
            }
            return DefWindowProcW(window, message, wparam, lparam);

        case WM_DPICHANGED:
            return OnDpiChanged(window, wparam, lparam);

        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC: {
            // The only messages a control of this window answers for itself: its colours. In a
            // high-contrast theme the system's colours are left to stand; in the dark scheme
            // every control is answered with the dark ones.
            if (const WindowEntry* dark = DarkWindowEntry(record.window_number)) {
                return AnswerDarkColourQuery(*dark, reinterpret_cast<HWND>(lparam), message,
                                             reinterpret_cast<HDC>(wparam));
            }
            if (!DrawsInSystemColours(record.window_number)) {
                if (const auto answer = AnswerColourQuery(reinterpret_cast<HWND>(lparam), message,
                                                          reinterpret_cast<HDC>(wparam))) {
                    return *answer;
                }
            }
            return DefWindowProcW(window, message, wparam, lparam);
        }

        case WM_MEASUREITEM:
        case WM_DRAWITEM: {
            // Only the menu's items in the dark scheme are drawn by the program.
            const WindowEntry* dark = DarkWindowEntry(record.window_number);
            if (dark != nullptr &&
                (message == WM_MEASUREITEM
                     ? MeasureDarkMenuItem(*dark, *reinterpret_cast<MEASUREITEMSTRUCT*>(lparam))
                     : DrawDarkMenuItem(*dark, *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam)))) {
                return TRUE;
            }
            return DefWindowProcW(window, message, wparam, lparam);
        }

        case WM_GETOBJECT:
            // A client reading the window's objects gets the fields' names annotated first.
            AnnotateAccessibleNamesFor(static_cast<LONG>(lparam));
            return DefWindowProcW(window, message, wparam, lparam);

        case WM_NCPAINT:
        case WM_NCACTIVATE: {
            const LRESULT answer = DefWindowProcW(window, message, wparam, lparam);
            if (const WindowEntry* dark = DarkWindowEntry(record.window_number)) {
                PaintDarkMenuBarRest(window, dark->dark_background);
            }
            return answer;
        }

        case kFocusNotification:
            RecordPending(kEventControl, static_cast<int>(wparam), static_cast<int>(lparam));
            return 0;

        default:
            return DefWindowProcW(window, message, wparam, lparam);
    }
}

LRESULT CALLBACK FieldSubclassProcedure(HWND field, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_GETOBJECT) {
        if (const auto answer = AnswerAccessibleObject(field, wparam, lparam)) {
            return *answer;
        }
    }
    if (message == WM_SETFOCUS || message == WM_KILLFOCUS) {
        const LPARAM type = message == WM_SETFOCUS ? kSubtypeFocusGot : kSubtypeFocusLost;
        PostMessageW(TopLevelOf(field), kFocusNotification,
                     static_cast<WPARAM>(GetWindowLongPtrW(field, GWLP_ID)), type);
    }
    const auto own = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(field, GWLP_USERDATA));
    const LRESULT answer = own != nullptr ? CallWindowProcW(own, field, message, wparam, lparam)
                                          : DefWindowProcW(field, message, wparam, lparam);
    if (message == WM_NCPAINT) {
        if (const WindowEntry* dark = DarkWindowEntryOf(field)) {
            PaintDarkFieldBorder(field, dark->dark_field_background);
        }
    }
    return answer;
}

}  // namespace trinumero

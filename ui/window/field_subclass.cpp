#include "ui/window/field_subclass.h"

#include "ui/access/accessible_name.h"
#include "ui/events/event_model.h"
#include "ui/look/colour_scheme.h"
#include "ui/look/dark_painting.h"
#include "ui/look/highlight.h"
#include "ui/tables/window_tables.h"

namespace trinumero {

namespace {

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

// Whether the system may have drawn the field's border while handling the message: its
// non-client painting, and whatever makes the themed edit draw another state of its border (focus,
// the pointer over it or leaving it, being enabled, another style, theme or colours; Windows 7
// fades between states) or copy its drawing.
bool MayDrawBorder(UINT message) {
    switch (message) {
        case WM_NCPAINT:
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_MOUSEMOVE:
        case WM_MOUSELEAVE:
        case WM_ENABLE:
        case WM_STYLECHANGED:
        case WM_THEMECHANGED:
        case WM_SYSCOLORCHANGE:
        case WM_PRINT:
        case WM_PRINTCLIENT:
            return true;
        default:
            return false;
    }
}

}  // namespace

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
    if (MayDrawBorder(message)) {
        MarkFrameGone(field);
    }
    if (message == WM_NCPAINT) {
        if (const WindowEntry* dark = DarkWindowEntryOf(field)) {
            PaintDarkFieldBorder(field, dark->dark_field_background);
        }
    }
    return answer;
}

}  // namespace trinumero

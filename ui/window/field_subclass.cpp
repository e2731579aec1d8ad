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
    if (message == WM_NCPAINT) {
        MarkFrameGone(field);
        if (const WindowEntry* dark = DarkWindowEntryOf(field)) {
            PaintDarkFieldBorder(field, dark->dark_field_background);
        }
    }
    return answer;
}

}  // namespace trinumero

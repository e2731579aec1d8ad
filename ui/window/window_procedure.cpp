#include "ui/window/window_procedure.h"

#include <string_view>

#include "ui/access/accessible_name.h"
#include "ui/events/event_model.h"
#include "ui/look/colour_scheme.h"
#include "ui/look/dark_menu.h"
#include "ui/look/dark_painting.h"
#include "ui/look/highlight.h"
#include "ui/scale/window_dpi.h"
#include "ui/tables/window_tables.h"
#include "ui/window/controls.h"

namespace trinumero {

namespace {

BOOL CALLBACK PassSysColorChange(HWND child, LPARAM) {
    SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
    return TRUE;
}

// The answer to WM_DPICHANGED: the window takes the rectangle the system suggests, lays its
// controls out for the new DPI and, in the dark scheme, has its menu measured again in a font made
// for it.
LRESULT OnDpiChanged(HWND window, WPARAM wparam, LPARAM lparam) {
    const auto* suggested = reinterpret_cast<const RECT*>(lparam);
    if (suggested != nullptr) {
        SetWindowPos(window, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    const int number = WindowNumberOf(window);
    if (WindowEntry* entry = WindowTable().Find(number)) {
        SetWindowDpi(*entry, LOWORD(wparam));
        ColourMenuBar(number);
    }
    return 0;
}

}  // namespace

LRESULT CALLBACK MainWindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    EventRecord& record = Events();
    record.window_number = WindowNumberOf(window);

    switch (message) {
        case WM_COMMAND:
            return RecordCommand(wparam, lparam);

        case WM_CLOSE:
            // Closing is left to the main loop: the window stays.
            DeferEvent(kEventClose);
            return 0;

        case WM_MOVE:
            // Moved, or restored (which moves it back from where a minimised window stands), the
            // window may have been drawn again: the frame round the edited field is drawn again
            // at the next change of the field.
            MarkFrameGone(window);
            DeferEvent(kEventMoved);
            return 0;

        case WM_SIZE:
            if (wparam == SIZE_MINIMIZED || record.window_number < 0) {
                return DefWindowProcW(window, message, wparam, lparam);
            }
            DeferEvent(kEventResized);
            return 0;

        case WM_ACTIVATE:
            // Answered without the default handling, which would give the focus to the window.
            if (LOWORD(wparam) != WA_INACTIVE) {
                DeferEvent(kEventActivated);
            }
            return 1;

        case WM_ERASEBKGND: {
            // The window has no background colour of its own: the class background erases it,
            // or in the dark scheme the dark one.
            const WindowEntry* dark = DarkWindowEntry(record.window_number);
            const LRESULT answer =
                dark != nullptr ? EraseDarkBackground(window, *dark, reinterpret_cast<HDC>(wparam))
                                : DefWindowProcW(window, message, wparam, lparam);
            MarkFrameGone(window);
            DeferEvent(kEventRepaint);
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

        case WM_INITMENUPOPUP:
            // An item added or changed since the menu turned dark is drawn dark too: taken in
            // before each drop-down shows, once per drop-down opened.
            ColourMenuBar(record.window_number);
            return DefWindowProcW(window, message, wparam, lparam);

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
            RecordPendingEvent(kEventControl, static_cast<int>(wparam), static_cast<int>(lparam));
            return 0;

        default:
            return DefWindowProcW(window, message, wparam, lparam);
    }
}

}  // namespace trinumero

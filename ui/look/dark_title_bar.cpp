#include "ui/look/dark_title_bar.h"

#include <initializer_list>

#include "support/optional_calls_win32.h"

namespace trinumero {

namespace {

constexpr DWORD kDarkModeAttribute = 20;
constexpr DWORD kDarkModeAttributeBefore18985 = 19;

}  // namespace

void SetDarkTitleBar(HWND window, bool dark, TitleBarRepaint repaint) {
    const auto set_attribute = FindOptionalCall<OptionalCall::kDwmSetWindowAttribute>();
    if (set_attribute == nullptr) {
        return;
    }
    const BOOL value = dark ? TRUE : FALSE;
    bool taken = false;
    for (const DWORD attribute : {kDarkModeAttribute, kDarkModeAttributeBefore18985}) {
        if (SUCCEEDED(set_attribute(window, attribute, &value, sizeof value))) {
            taken = true;
            break;
        }
    }
    if (taken && repaint == TitleBarRepaint::kNow) {
        // The caption drawn inactive and, when the window is the active one, active again.
        SendMessageW(window, WM_NCACTIVATE, FALSE, 0);
        if (GetActiveWindow() == window) {
            SendMessageW(window, WM_NCACTIVATE, TRUE, 0);
        }
    }
}

}  // namespace trinumero

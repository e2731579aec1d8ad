#include "tests/kit/windows_win32.h"

#include <string_view>

namespace trinumero::testing {
namespace {

struct WindowSearch {
    DWORD process_id;
    const wchar_t* class_name;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->process_id || !IsWindowVisible(window)) {
        return TRUE;
    }
    wchar_t class_name[64] = {};
    if (search->class_name != nullptr && (GetClassNameW(window, class_name, 64) == 0 ||
                                          std::wstring_view(class_name) != search->class_name)) {
        return TRUE;
    }
    search->found = window;
    return FALSE;
}

}  // namespace

HWND FindVisibleWindow(DWORD process_id, const wchar_t* class_name) {
    WindowSearch search{process_id, class_name, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring TextOf(HWND window) {
    const auto length = static_cast<std::size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(length + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

void PressOk(HWND dialog) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeout_ms) {
    const ULONGLONG deadline = GetTickCount64() + timeout_ms;
    while (!condition()) {
        if (GetTickCount64() > deadline) {
            return false;
        }
        Sleep(20);
    }
    return true;
}

}  // namespace trinumero::testing

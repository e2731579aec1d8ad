#include "ui/message/message_box.h"

#include <string>

#include "support/wide_text_win32.h"

namespace trinumero {

void DisabledWindowList::Add(DWORD thread_id, HWND window) {
    records_.push_front(Record{thread_id, window});
}

std::vector<HWND> DisabledWindowList::TakeThreadWindows(DWORD thread_id) {
    std::vector<HWND> windows;
    records_.remove_if([&](const Record& record) {
        if (record.thread_id != thread_id) {
            return false;
        }
        windows.push_back(record.window);
        return true;
    });
    return windows;
}

std::size_t DisabledWindowList::CountThreadWindows(DWORD thread_id) const {
    std::size_t count = 0;
    for (const Record& record : records_) {
        if (record.thread_id == thread_id) {
            ++count;
        }
    }
    return count;
}

DisabledWindowList& ProcessDisabledWindowList() {
    static DisabledWindowList list;
    return list;
}

namespace {

BOOL CALLBACK DisableIfThreadWindow(HWND window, LPARAM) {
    const DWORD thread_id = GetCurrentThreadId();
    // The foreground window is asked anew each time: disabling a window can move it.
    if (GetWindowThreadProcessId(window, nullptr) == thread_id && IsWindowVisible(window) &&
        IsWindowEnabled(window) && window != GetForegroundWindow()) {
        EnableWindow(window, FALSE);
        ProcessDisabledWindowList().Add(thread_id, window);
    }
    return TRUE;
}

}  // namespace

void DisableThreadWindows() {
    EnumWindows(DisableIfThreadWindow, 0);
}

HWND MessageOwnerWindow() {
    const HWND foreground = GetForegroundWindow();
    if (foreground == nullptr) {
        return nullptr;
    }
    DWORD process_id = 0;
    GetWindowThreadProcessId(foreground, &process_id);
    return process_id == GetCurrentProcessId() ? foreground : nullptr;
}

void RestoreThreadWindows() {
    for (const HWND window : ProcessDisabledWindowList().TakeThreadWindows(GetCurrentThreadId())) {
        EnableWindow(window, TRUE);
    }
}

int ShowMessage(std::string_view title, std::string_view text, UINT flags) {
    DisableThreadWindows();
    const HWND owner = MessageOwnerWindow();
    // Through the wide call: the texts are Windows-1251 whatever the ANSI code page is.
    const std::wstring wide_title = WideFromCp1251(title);
    const std::wstring wide_text = WideFromCp1251(text);
    const int result = MessageBoxW(owner, wide_text.c_str(), wide_title.c_str(), flags);
    RestoreThreadWindows();
    return result;
}

}  // namespace trinumero

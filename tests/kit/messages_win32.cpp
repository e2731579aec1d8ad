#include "tests/kit/messages_win32.h"

#include <windows.h>

#include <cstring>

namespace trinumero::testing {

void DispatchPendingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

ThreadHook HookThisThread(int kind, HOOKPROC procedure) {
    return ThreadHook(SetWindowsHookExW(kind, procedure, nullptr, GetCurrentThreadId()),
                      UnhookWindowsHookEx);
}

bool PutTextOnClipboard(const std::wstring& text) {
    if (!OpenClipboard(nullptr)) {
        return false;
    }
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    bool placed = false;
    if (memory != nullptr) {
        std::memcpy(GlobalLock(memory), text.c_str(), bytes);
        GlobalUnlock(memory);
        placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        if (!placed) {
            GlobalFree(memory);
        }
    }
    CloseClipboard();
    return placed;
}

}  // namespace trinumero::testing

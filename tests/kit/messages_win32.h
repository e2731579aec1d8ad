#pragma once

// The thread's message queue, its hooks and the clipboard, as the window tests need them.

#include <windows.h>

#include <memory>
#include <string>

namespace trinumero::testing {

// Translates and dispatches every message waiting for the thread (repaints included), then
// returns: what the thread still had to do is done.
void DispatchPendingMessages();

// A hook of this thread's (WH_CALLWNDPROC, WH_CBT, ...), taken off when it goes.
using ThreadHook = std::unique_ptr<HHOOK__, decltype(&UnhookWindowsHookEx)>;
ThreadHook HookThisThread(int kind, HOOKPROC procedure);

// Puts the text on the clipboard as Unicode text, for a paste.
bool PutTextOnClipboard(const std::wstring& text);

}  // namespace trinumero::testing

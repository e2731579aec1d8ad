#pragma once

// The thread's message queue and the clipboard, as the window tests need them.

#include <string>

namespace trinumero::testing {

// Translates and dispatches every message waiting for the thread (repaints included), then
// returns: what the thread still had to do is done.
void DispatchPendingMessages();

// Puts the text on the clipboard as Unicode text, for a paste.
bool PutTextOnClipboard(const std::wstring& text);

}  // namespace trinumero::testing

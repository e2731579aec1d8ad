#pragma once

// A modal message box for failures the user must know about. Around the box the calling
// thread's other visible, enabled top-level windows are disabled, so that none of them can
// be used while the box waits, and enabled again once it is dismissed.

#include <windows.h>

#include <cstddef>
#include <forward_list>
#include <string_view>
#include <vector>

namespace trinumero {

// Windows disabled by running ShowMessage calls, newest first, each with the thread that
// disabled it. Shared by the whole process without a lock: only the interface thread shows
// boxes, and every call takes back only its own thread's records.
class DisabledWindowList {
  public:
    void Add(DWORD thread_id, HWND window);
    // Removes the records of the thread and returns their windows, newest first.
    std::vector<HWND> TakeThreadWindows(DWORD thread_id);
    std::size_t CountThreadWindows(DWORD thread_id) const;

  private:
    struct Record {
        DWORD thread_id;
        HWND window;
    };
    std::forward_list<Record> records_;
};

// The process's list.
DisabledWindowList& ProcessDisabledWindowList();

// Disables every top-level window of the calling thread that is visible, enabled and not the
// foreground window, and records it in the process's list.
void DisableThreadWindows();

// The foreground window when it belongs to this process, otherwise nullptr: a box must not
// be owned by another program's window.
HWND MessageOwnerWindow();

// Enables again every window the calling thread recorded, and removes the records.
void RestoreThreadWindows();

// Shows the box and waits until it is dismissed; the result of the box (IDOK for MB_OK).
// Title and text are Windows-1251 bytes; flags are MessageBox's uType.
int ShowMessage(std::string_view title, std::string_view text, UINT flags);

}  // namespace trinumero

#pragma once

// Drives the real Trinumero.exe from outside, as a user would: starts it with its own
// temporary directory, finds its window, clicks and types with real input, chooses the
// menu item, reads the fields and the screen back, and closes it.

#include <windows.h>

#include <string>

#include "tests/kit/processes_win32.h"

namespace trinumero::testing {

// The program under test, as this process names it.
std::wstring ProgramPath();

// A message box the program shows: its caption and its text.
struct ShownMessage {
    std::wstring caption;
    std::wstring text;

    friend bool operator==(const ShownMessage&, const ShownMessage&) = default;
};

class ProgramDriver {
  public:
    // Starts the program with TMP and TEMP pointing at the directory; a program still running
    // when the driver goes is ended.
    explicit ProgramDriver(const std::wstring& temp_directory);
    ProgramDriver(const ProgramDriver&) = delete;
    ProgramDriver& operator=(const ProgramDriver&) = delete;

    // Waits for a message box of the program, reads it and presses its OK button.
    // Returns false when none appears within the time.
    bool DismissMessageBox(ShownMessage& message, DWORD timeout_ms = 10000);

    // Waits until the main window is visible. Returns false on time-out.
    bool WaitForMainWindow(DWORD timeout_ms = 10000);

    HWND Field(int control) const;
    std::wstring FieldText(int control) const;
    bool IsTopmost() const;

    // Real input: a click into the field, then keystrokes.
    void ClickField(int control);
    void TypeKeys(const std::wstring& keys);  // digits, letters, '-', and \b for Backspace
    void PressKey(WORD virtual_key, bool with_control = false);

    // Chooses "Поверх остальных окон" through the keyboard (F10, Down, Enter).
    void ChooseOnTopItem();
    // Chooses it with the menu command alone, without input or waiting, so that several
    // programs can be driven at once.
    void PostOnTopToggle();

    // Waits until the program has handled everything sent so far.
    void Settle();

    // The colour of a pixel of the main window's client area, read from the screen.
    COLORREF ClientPixel(int x, int y) const;

    // Closes the window and waits for the process; returns its exit code.
    DWORD Close();

    DWORD ProcessId() const { return process_.Id(); }

  private:
    StartedProcess process_;
    HWND window_ = nullptr;
};

}  // namespace trinumero::testing

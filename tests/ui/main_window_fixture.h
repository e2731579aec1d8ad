#pragma once

// Builds the main window the way the program's start-up does, shows it, makes it the
// active window and empties the event record; destroys it again after each test.

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "tests/kit/windows_win32.h"

namespace trinumero::ui_test {

using trinumero::testing::TextOf;

// One event as the main loop reads it.
struct SeenEvent {
    int code;
    int control;
    int type;
};

// Message posted to the thread to mark the end of what a test fed in.
inline constexpr UINT kSentinel = WM_APP + 77;

// Runs WaitEvent until it returns the sentinel, which is posted first, and returns what
// came before it. A watchdog timer ends the run (as a failure) instead of blocking when
// the sentinel never comes back.
std::vector<SeenEvent> PumpEvents();

// Empties the thread's message queue and the event record.
void ResetEventState();

// Whether the test runs in the prefix whose app mode is dark (window_tests_dark.sh says so): what
// the window should look like comes from there, never from the program's own state.
bool DarkPrefix();

// Rectangle of a child window in its parent's client coordinates.
RECT ClientRectOf(HWND child);

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Gives the keyboard focus to the window and forgets the events that caused.
    void FocusAndSettle(HWND window);

    int on_top_setting_ = 0;
    HWND window_ = nullptr;
    HWND hex_ = nullptr;
    HWND dec_ = nullptr;
    HWND bin_ = nullptr;
};

}  // namespace trinumero::ui_test

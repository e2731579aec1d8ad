#include "tests/ui/main_window_fixture.h"

#include <cstdlib>

#include "tests/kit/messages_win32.h"
#include "ui/events/event_model.h"
#include "ui/window/app_window.h"
#include "ui/window/controls.h"
#include "ui/window/main_window_layout.h"

namespace trinumero::ui_test {

std::vector<SeenEvent> PumpEvents() {
    PostThreadMessageW(GetCurrentThreadId(), kSentinel, 0, 0);
    const UINT_PTR watchdog = SetTimer(nullptr, 0, 3000, nullptr);
    std::vector<SeenEvent> seen;
    for (int turn = 0; turn < 500; ++turn) {
        const int code = WaitEvent();
        if (code == static_cast<int>(kSentinel)) {
            break;
        }
        if (code == WM_TIMER) {
            ADD_FAILURE() << "the sentinel did not come back";
            break;
        }
        seen.push_back(SeenEvent{code, EventControl(), EventSubtype()});
    }
    KillTimer(nullptr, watchdog);
    return seen;
}

void ResetEventState() {
    testing::DispatchPendingMessages();
    EventRecord& record = Events();
    record.deferred.Clear();
    record.pending = 0;
    record.item = 0;
    record.subtype = 0;
}

bool DarkPrefix() {
    return std::getenv("TRINUMERO_EXPECTED_DARK") != nullptr;
}

RECT ClientRectOf(HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void MainWindowTest::SetUp() {
    window_ = CreateMainWindow();
    ASSERT_NE(window_, nullptr);
    ASSERT_EQ(SetControlParent(window_), window_);
    SetWindowHidden(kMainWindowNumber, 1);
    const MainWindowParts parts = BuildMainWindowContents(on_top_setting_);
    hex_ = parts.hex_field;
    dec_ = parts.dec_field;
    bin_ = parts.bin_field;
    ASSERT_NE(parts.menu_bar, nullptr);
    SetOnTop(kMainWindowNumber, on_top_setting_);
    SetWindowHidden(kMainWindowNumber, 0);
    SetForegroundWindow(window_);
    SetActiveWindow(window_);
    UpdateWindow(window_);
    ResetEventState();
}

void MainWindowTest::TearDown() {
    DestroyAllWindows();
    ResetEventState();
}

void MainWindowTest::FocusAndSettle(HWND window) {
    SetFocus(window);
    PumpEvents();
    ResetEventState();
}

}  // namespace trinumero::ui_test

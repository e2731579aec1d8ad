// Message box requester tests, with real message boxes that the test dismisses itself: a
// CBT hook on the thread sees the box activate, notes what it shows and the state of the
// test's windows, and presses OK.
#include "ui/message/message_box.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>
#include <thread>
#include <vector>

#include "support/charset_check.h"
#include "support/handles_win32.h"
#include "tests/kit/messages_win32.h"
#include "tests/kit/processes_win32.h"
#include "tests/kit/windows_win32.h"

namespace {

using trinumero::DisableThreadWindows;
using trinumero::MessageOwnerWindow;
using trinumero::ProcessDisabledWindowList;
using trinumero::RestoreThreadWindows;
using trinumero::ShowMessage;
using trinumero::testing::FindVisibleWindow;
using trinumero::testing::PressOk;
using trinumero::testing::TextOf;

constexpr wchar_t kClassName[] = L"TrinumeroMessageBoxTest";
constexpr UINT kStopFlags = MB_OK | MB_ICONHAND;

void RegisterTestClass() {
    static const bool registered = [] {
        WNDCLASSW window_class{};
        window_class.lpfnWndProc = DefWindowProcW;
        window_class.hInstance = GetModuleHandleW(nullptr);
        window_class.lpszClassName = kClassName;
        return RegisterClassW(&window_class) != 0;
    }();
    ASSERT_TRUE(registered);
}

// A top-level window of the calling thread, destroyed with the object.
class TestWindow {
  public:
    enum class Show { kHidden, kNoActivate, kActivate };

    explicit TestWindow(Show show, bool enabled = true) {
        RegisterTestClass();
        // Plain pop-ups: Wine leaves them to itself rather than to a window manager, so
        // destroying one does not wait for a manager that may not be there.
        window_ = CreateWindowExW(0, kClassName, L"test", WS_POPUP, 10, 10, 200, 100, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
        if (!enabled) {
            EnableWindow(window_, FALSE);
        }
        if (show == Show::kNoActivate) {
            ShowWindow(window_, SW_SHOWNOACTIVATE);
        } else if (show == Show::kActivate) {
            // Shown without activation first: a window activated as it appears is handed
            // to the window manager.
            ShowWindow(window_, SW_SHOWNOACTIVATE);
            SetForegroundWindow(window_);
        }
        Pump();
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    ~TestWindow() { DestroyWindow(window_); }

    HWND Handle() const { return window_; }

    static void Pump() { trinumero::testing::DispatchPendingMessages(); }

  private:
    HWND window_ = nullptr;
};

// What the hook saw of the box.
struct BoxSeen {
    int count = 0;
    std::wstring caption;
    std::wstring text;
    HWND owner = nullptr;
    std::map<HWND, bool> enabled;
    std::map<HWND, bool> visible;
    std::size_t records = 0;
    bool timed_out = false;
};

BoxSeen* g_seen = nullptr;
std::vector<HWND> g_watched;

bool IsMessageBox(HWND window) {
    wchar_t class_name[16] = {};
    GetClassNameW(window, class_name, 16);
    return std::wstring(class_name) == L"#32770";
}

LRESULT CALLBACK WatchBoxes(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_ACTIVATE && g_seen != nullptr) {
        const HWND box = reinterpret_cast<HWND>(wparam);
        if (IsMessageBox(box) && g_seen->count++ == 0) {
            g_seen->caption = TextOf(box);
            g_seen->text = TextOf(GetDlgItem(box, 0xFFFF));
            g_seen->owner = GetWindow(box, GW_OWNER);
            for (const HWND window : g_watched) {
                g_seen->enabled[window] = IsWindowEnabled(window) != FALSE;
                g_seen->visible[window] = IsWindowVisible(window) != FALSE;
            }
            g_seen->records = ProcessDisabledWindowList().CountThreadWindows(GetCurrentThreadId());
            PressOk(box);
        }
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

BOOL CALLBACK DismissThreadBoxes(HWND window, LPARAM) {
    if (IsMessageBox(window)) {
        PressOk(window);
    }
    return TRUE;
}

// Should the hook miss the box, the test must not hang: a timer of the thread, served by
// the box's own message loop, presses OK on it.
void CALLBACK Rescue(HWND, UINT, UINT_PTR, DWORD) {
    if (g_seen != nullptr) {
        g_seen->timed_out = true;
    }
    EnumThreadWindows(GetCurrentThreadId(), DismissThreadBoxes, 0);
}

// Shows a box while watching the given windows.
int ShowWatched(BoxSeen& seen, const std::vector<HWND>& watched, const char* title,
                const char* text, UINT flags = kStopFlags) {
    g_seen = &seen;
    g_watched = watched;
    trinumero::testing::ThreadHook hook = trinumero::testing::HookThisThread(WH_CBT, WatchBoxes);
    EXPECT_NE(hook, nullptr);
    const UINT_PTR timer = SetTimer(nullptr, 0, 15000, Rescue);
    const int result = ShowMessage(title, text, flags);
    KillTimer(nullptr, timer);
    hook.reset();
    g_seen = nullptr;
    g_watched.clear();
    EXPECT_FALSE(seen.timed_out) << "the box was not seen activating";
    EXPECT_EQ(seen.count, 1);
    return result;
}

bool Enabled(HWND window) {
    return IsWindowEnabled(window) != FALSE;
}
bool Visible(HWND window) {
    return IsWindowVisible(window) != FALSE;
}

TEST(MessageRequester, ShowsTheRussianTextsThroughTheWideCall) {
    BoxSeen seen;
    const int result = ShowWatched(seen, {}, "Модуль сохранения настроек",
                                   "По неизвестной причине неудалось сохранить настройки\n\rДа!");
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(seen.caption,
              L"\u041C\u043E\u0434\u0443\u043B\u044C \u0441\u043E\u0445\u0440\u0430"
              L"\u043D\u0435\u043D\u0438\u044F \u043D\u0430\u0441\u0442\u0440\u043E"
              L"\u0435\u043A");
    // The text starts as given, whatever the box does with the line break.
    EXPECT_EQ(seen.text.substr(0, 8), L"\u041F\u043E \u043D\u0435\u0438\u0437\u0432");
    EXPECT_NE(seen.text.find(L"\u0414\u0430!"), std::wstring::npos);
}

TEST(MessageRequester, ThreadWindowsAreDisabledOnlyWhileTheBoxIsUp) {
    TestWindow front(TestWindow::Show::kActivate);
    TestWindow first(TestWindow::Show::kNoActivate);
    TestWindow second(TestWindow::Show::kNoActivate);
    TestWindow hidden(TestWindow::Show::kHidden);
    TestWindow disabled(TestWindow::Show::kNoActivate, false);
    ASSERT_EQ(GetForegroundWindow(), front.Handle()) << "the test window did not come to front";
    ASSERT_TRUE(Visible(first.Handle()) && Enabled(first.Handle()));
    ASSERT_FALSE(Enabled(disabled.Handle()));

    BoxSeen seen;
    EXPECT_EQ(ShowWatched(seen,
                          {front.Handle(), first.Handle(), second.Handle(), hidden.Handle(),
                           disabled.Handle()},
                          "Заголовок", "Текст"),
              IDOK);

    EXPECT_FALSE(seen.enabled[first.Handle()]);
    EXPECT_FALSE(seen.enabled[second.Handle()]);
    EXPECT_EQ(seen.records, 2u);
    EXPECT_TRUE(seen.enabled[hidden.Handle()]);
    EXPECT_FALSE(seen.visible[hidden.Handle()]);
    EXPECT_FALSE(seen.enabled[disabled.Handle()]);
    // The foreground window of this process owns the box.
    EXPECT_EQ(seen.owner, front.Handle());

    TestWindow::Pump();
    EXPECT_TRUE(Enabled(first.Handle()));
    EXPECT_TRUE(Enabled(second.Handle()));
    EXPECT_TRUE(Enabled(front.Handle()));
    EXPECT_TRUE(Enabled(hidden.Handle()));
    EXPECT_FALSE(Visible(hidden.Handle()));
    EXPECT_FALSE(Enabled(disabled.Handle()));
    EXPECT_TRUE(Visible(disabled.Handle()));
    EXPECT_EQ(ProcessDisabledWindowList().CountThreadWindows(GetCurrentThreadId()), 0u);
}

TEST(MessageRequester, WindowsOfOtherThreadsAndTheirRecordsAreLeftAlone) {
    const trinumero::KernelHandle ready(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    const trinumero::KernelHandle finish(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    HWND foreign = nullptr;
    DWORD foreign_thread = 0;
    std::thread worker([&] {
        TestWindow window(TestWindow::Show::kNoActivate);
        foreign = window.Handle();
        foreign_thread = GetCurrentThreadId();
        SetEvent(ready.get());
        const HANDLE finished = finish.get();
        while (MsgWaitForMultipleObjects(1, &finished, FALSE, INFINITE, QS_ALLINPUT) !=
               WAIT_OBJECT_0) {
            TestWindow::Pump();
        }
    });
    WaitForSingleObject(ready.get(), INFINITE);

    TestWindow front(TestWindow::Show::kActivate);
    TestWindow own(TestWindow::Show::kNoActivate);
    TestWindow recorded(TestWindow::Show::kNoActivate, false);
    // A record another thread left: this thread's call must neither use nor remove it.
    ProcessDisabledWindowList().Add(foreign_thread, recorded.Handle());

    BoxSeen seen;
    ShowWatched(seen, {foreign, own.Handle()}, "Заголовок", "Текст");
    EXPECT_TRUE(seen.enabled[foreign]);
    EXPECT_FALSE(seen.enabled[own.Handle()]);
    EXPECT_TRUE(Enabled(own.Handle()));
    EXPECT_FALSE(Enabled(recorded.Handle()));
    EXPECT_EQ(ProcessDisabledWindowList().CountThreadWindows(foreign_thread), 1u);
    EXPECT_EQ(ProcessDisabledWindowList().TakeThreadWindows(foreign_thread),
              std::vector<HWND>{recorded.Handle()});

    SetEvent(finish.get());
    worker.join();
}

TEST(MessageRequester, DisableAndRestoreWithoutABox) {
    TestWindow front(TestWindow::Show::kActivate);
    TestWindow first(TestWindow::Show::kNoActivate);
    TestWindow second(TestWindow::Show::kNoActivate);
    ASSERT_EQ(GetForegroundWindow(), front.Handle());
    const DWORD thread = GetCurrentThreadId();

    DisableThreadWindows();
    EXPECT_TRUE(Enabled(front.Handle()));
    EXPECT_FALSE(Enabled(first.Handle()));
    EXPECT_FALSE(Enabled(second.Handle()));
    EXPECT_EQ(ProcessDisabledWindowList().CountThreadWindows(thread), 2u);
    EXPECT_EQ(MessageOwnerWindow(), front.Handle());

    RestoreThreadWindows();
    EXPECT_TRUE(Enabled(first.Handle()));
    EXPECT_TRUE(Enabled(second.Handle()));
    EXPECT_EQ(ProcessDisabledWindowList().CountThreadWindows(thread), 0u);
    // Nothing left to restore: a second call changes nothing.
    EnableWindow(first.Handle(), FALSE);
    RestoreThreadWindows();
    EXPECT_FALSE(Enabled(first.Handle()));
}

// The foreground window of another program: Wine's own notepad, started for the test and
// ended with it.
class ForeignForeground {
  public:
    ForeignForeground() {
        if (!notepad_.Started()) {
            return;
        }
        WaitForInputIdle(notepad_.Handle(), 10000);
        using trinumero::testing::WaitUntil;
        WaitUntil([&] { return (window_ = FindVisibleWindow(notepad_.Id())) != nullptr; }, 5000);
        if (window_ != nullptr) {
            SetForegroundWindow(window_);
            WaitUntil([&] { return GetForegroundWindow() == window_; }, 2000);
        }
    }

    bool IsForeground() const { return window_ != nullptr && GetForegroundWindow() == window_; }

  private:
    trinumero::testing::StartedProcess notepad_{L"notepad.exe"};
    HWND window_ = nullptr;
};

TEST(MessageRequester, ForeignForegroundWindowDoesNotOwnTheBox) {
    TestWindow own(TestWindow::Show::kNoActivate);
    const ForeignForeground foreign;
    if (!foreign.IsForeground()) {
        GTEST_SKIP() << "no window of another program could be brought to the foreground";
    }
    EXPECT_EQ(MessageOwnerWindow(), nullptr);

    BoxSeen seen;
    EXPECT_EQ(ShowWatched(seen, {own.Handle()}, "Заголовок", "Текст"), IDOK);
    EXPECT_EQ(seen.owner, nullptr);
    EXPECT_FALSE(seen.enabled[own.Handle()]);
    EXPECT_EQ(seen.records, 1u);
    EXPECT_TRUE(Enabled(own.Handle()));
    EXPECT_EQ(ProcessDisabledWindowList().CountThreadWindows(GetCurrentThreadId()), 0u);
}

}  // namespace

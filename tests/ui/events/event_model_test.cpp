// Event model: keystrokes, pastes, menu commands and window changes fed through the real
// message queue, read back through WaitEvent as the main loop reads them.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "tests/kit/messages_win32.h"
#include "tests/ui/main_window_fixture.h"
#include "ui/events/deferred_events.h"
#include "ui/events/event_model.h"
#include "ui/events/focus_order.h"
#include "ui/tables/window_tables.h"
#include "ui/window/app_window.h"
#include "ui/window/controls.h"
#include "ui/window/field_text.h"
#include "ui/window/main_window_layout.h"

namespace trinumero::ui_test {
namespace {

int CountOf(const std::vector<SeenEvent>& events, int code, int type = 0, int control = -100) {
    return static_cast<int>(
        std::count_if(events.begin(), events.end(), [&](const SeenEvent& event) {
            return event.code == code && (type == 0 || event.type == type) &&
                   (control == -100 || event.control == control);
        }));
}

int ChangesOf(const std::vector<SeenEvent>& events) {
    return CountOf(events, kEventControl, kSubtypeContentsChanged);
}

// Holds Shift down in the thread's keyboard state, as the accelerator lookup reads it.
class ShiftHeld {
  public:
    ShiftHeld() { SetShift(0x80); }
    ~ShiftHeld() { SetShift(0); }
    ShiftHeld(const ShiftHeld&) = delete;
    ShiftHeld& operator=(const ShiftHeld&) = delete;

  private:
    static void SetShift(BYTE state) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = state;
        keys[VK_LSHIFT] = state;
        SetKeyboardState(keys);
    }
};

using EventModelTest = MainWindowTest;

TEST_F(EventModelTest, TypingADigitIsAContentsChangeOfThatField) {
    FocusAndSettle(dec_);
    PostMessageW(dec_, WM_CHAR, L'7', 1);
    const auto events = PumpEvents();
    EXPECT_EQ(ChangesOf(events), 1);
    EXPECT_EQ(CountOf(events, kEventControl, kSubtypeContentsChanged, kDecFieldControl), 1);
    EXPECT_EQ(GetControlText1251(dec_), "7");
}

TEST_F(EventModelTest, TheWaitThatRoutesTheCharacterReturnsTheChange) {
    FocusAndSettle(hex_);
    PostMessageW(hex_, WM_CHAR, L'b', 1);
    EXPECT_EQ(WaitEvent(), kEventControl);
    EXPECT_EQ(EventControl(), kHexFieldControl);
    EXPECT_EQ(EventSubtype(), kSubtypeContentsChanged);
    EXPECT_EQ(GetControlText1251(hex_), "B");
}

enum class Edit { kPaste, kBackspace, kCut, kDelete };

struct EditCase {
    const char* name;
    Edit edit;
    std::string before;
    std::string after;
};

class SingleChangeTest : public MainWindowTest, public ::testing::WithParamInterface<EditCase> {};

TEST_P(SingleChangeTest, EachEditGivesExactlyOneContentsChange) {
    const EditCase& edit = GetParam();
    SetControlText1251(bin_, edit.before);
    FocusAndSettle(bin_);
    const auto length = static_cast<LPARAM>(edit.before.size());
    switch (edit.edit) {
        case Edit::kPaste:
            ASSERT_TRUE(trinumero::testing::PutTextOnClipboard(L"101"));
            SendMessageW(bin_, EM_SETSEL, static_cast<WPARAM>(length), length);
            PostMessageW(bin_, WM_PASTE, 0, 0);
            break;
        case Edit::kBackspace:
            SendMessageW(bin_, EM_SETSEL, static_cast<WPARAM>(length), length);
            PostMessageW(bin_, WM_CHAR, VK_BACK, 1);
            break;
        case Edit::kCut:
            SendMessageW(bin_, EM_SETSEL, 0, 2);
            PostMessageW(bin_, WM_CUT, 0, 0);
            break;
        case Edit::kDelete:
            SendMessageW(bin_, EM_SETSEL, 0, 0);
            PostMessageW(bin_, WM_KEYDOWN, VK_DELETE, 1);
            break;
    }
    const auto events = PumpEvents();
    EXPECT_EQ(CountOf(events, kEventControl, kSubtypeContentsChanged, kBinFieldControl), 1);
    EXPECT_EQ(ChangesOf(events), 1);
    EXPECT_EQ(GetControlText1251(bin_), edit.after);
}

INSTANTIATE_TEST_SUITE_P(Edits, SingleChangeTest,
                         ::testing::Values(EditCase{"Paste", Edit::kPaste, "11", "11101"},
                                           EditCase{"Backspace", Edit::kBackspace, "110", "11"},
                                           EditCase{"Cut", Edit::kCut, "1001", "01"},
                                           EditCase{"Delete", Edit::kDelete, "1001", "001"}),
                         [](const auto& test_info) { return std::string(test_info.param.name); });

TEST_F(EventModelTest, PastedForeignCharacterReachesTheProgramAsAHighByte) {
    FocusAndSettle(dec_);
    ASSERT_TRUE(trinumero::testing::PutTextOnClipboard(L"1Ж\u00e9"));
    PostMessageW(dec_, WM_PASTE, 0, 0);
    const auto events = PumpEvents();
    EXPECT_EQ(ChangesOf(events), 1);
    const std::string text = GetControlText1251(dec_);
    ASSERT_EQ(text.size(), 3u);
    EXPECT_EQ(text[0], '1');
    EXPECT_EQ(static_cast<unsigned char>(text[1]), 0xC6u);
    EXPECT_GE(static_cast<unsigned char>(text[2]), 128u);
}

TEST_F(EventModelTest, ProgramWritesBetweenWaitsNeverComeBackAsChanges) {
    SetControlText1251(hex_, "FF");
    SetControlText1251(bin_, "11111111");
    // The write left its notification pending: the next wait hands it out with no type.
    PostThreadMessageW(GetCurrentThreadId(), kSentinel + 1, 0, 0);
    EXPECT_EQ(WaitEvent(), kEventControl);
    EXPECT_EQ(EventSubtype(), kSubtypeNone);
    EXPECT_EQ(ChangesOf(PumpEvents()), 0);
}

TEST_F(EventModelTest, ARepaintQueuedBeforeTheWriteClearsThePendingNotification) {
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    SetControlText1251(dec_, "255");
    const auto events = PumpEvents();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front().code, kEventRepaint);
    EXPECT_EQ(ChangesOf(events), 0);
    EXPECT_EQ(CountOf(events, kEventControl), 0);
}

TEST_F(EventModelTest, MenuCommandIsAMenuEventOfItemOne) {
    PostMessageW(window_, WM_COMMAND, MAKEWPARAM(kOnTopMenuItem, 0), 0);
    EXPECT_EQ(WaitEvent(), kEventMenu);
    EXPECT_EQ(EventMenuItem(), 1);
    EXPECT_EQ(EventControl(), 1) << "one slot for control and item";
    EXPECT_EQ(EventSubtype(), kSubtypeNone);
}

TEST_F(EventModelTest, ChoosingTheItemWithTheKeyboardGivesTheMenuEvent) {
    // F10 opens the menu bar, Down opens the drop-down on its one item, Enter chooses it. The
    // menu runs its own loop inside the wait that routes the key and posts the command.
    PostMessageW(window_, WM_SYSKEYDOWN, VK_F10, 1);
    PostMessageW(window_, WM_SYSKEYUP, VK_F10, 0xC0000001);
    PostMessageW(window_, WM_KEYDOWN, VK_DOWN, 1);
    PostMessageW(window_, WM_KEYDOWN, VK_RETURN, 1);
    std::vector<SeenEvent> events;
    const UINT_PTR watchdog = SetTimer(nullptr, 0, 3000, nullptr);
    for (int turn = 0; turn < 50; ++turn) {
        const int code = WaitEvent();
        events.push_back(SeenEvent{code, EventMenuItem(), EventSubtype()});
        if (code == kEventMenu || code == WM_TIMER) {
            break;
        }
    }
    KillTimer(nullptr, watchdog);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back().code, kEventMenu);
    EXPECT_EQ(events.back().control, kOnTopMenuItem);
    EXPECT_EQ(events.back().type, kSubtypeNone);
}

TEST_F(EventModelTest, CloseRequestComesOnALaterWaitAndTheWindowStays) {
    PostMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(WaitEvent(), WM_SYSCOMMAND) << "the wait that routes the command returns its number";
    EXPECT_EQ(WaitEvent(), kEventClose);
    EXPECT_TRUE(IsWindow(window_));
    EXPECT_TRUE(IsWindowVisible(window_));
}

TEST_F(EventModelTest, MovingGivesAMoveEventOfWindowZero) {
    RECT rect{};
    GetWindowRect(window_, &rect);
    SetWindowPos(window_, nullptr, rect.left + 10, rect.top + 10, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_EQ(WaitEvent(), kEventMoved);
    EXPECT_EQ(Events().window_number, 0);
    PumpEvents();
}

TEST_F(EventModelTest, MinimisingGivesNoResizeEventButRestoringDoes) {
    ShowWindow(window_, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(window_));
    EXPECT_EQ(CountOf(PumpEvents(), kEventResized), 0);
    ShowWindow(window_, SW_RESTORE);
    EXPECT_EQ(CountOf(PumpEvents(), kEventResized), 1);
}

TEST_F(EventModelTest, IdenticalRepaintsInARowReachTheLoopAsOne) {
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const auto events = PumpEvents();
    EXPECT_EQ(CountOf(events, kEventRepaint), 1);
}

TEST(DeferredEventQueueTest, CollapsesOnlyARunOfTheSameEventOfTheSameWindow) {
    DeferredEventQueue queue;
    for (const auto& [code, window] : std::vector<std::pair<int, int>>{
             {15, 0}, {15, 0}, {3, 0}, {15, 0}, {15, 1}, {16, 0}, {16, 0}}) {
        queue.Append(code, window);
    }
    std::vector<std::pair<int, int>> out;
    while (const auto event = queue.TakeOldest()) {
        out.emplace_back(event->code, event->window_number);
    }
    const std::vector<std::pair<int, int>> expected{{15, 0}, {3, 0}, {15, 0}, {15, 1}, {16, 0}};
    EXPECT_EQ(out, expected);
    EXPECT_TRUE(queue.Empty());
    queue.Append(15, 0);
    EXPECT_FALSE(queue.Empty()) << "a drained queue takes the same event again";
}

// Focus movement ----------------------------------------------------------------------

enum class Start { kNone, kHex, kDec, kBin };

struct TabCase {
    const char* name;
    Start start;
    FocusDirection direction;
    int expected_field;
};

class TabOrderTest : public MainWindowTest, public ::testing::WithParamInterface<TabCase> {
  protected:
    HWND FieldOf(Start start) const {
        switch (start) {
            case Start::kHex:
                return hex_;
            case Start::kDec:
                return dec_;
            case Start::kBin:
                return bin_;
            case Start::kNone:
                break;
        }
        return window_;
    }
};

TEST_P(TabOrderTest, TabAndShiftTabVisitTheFieldsInCreationOrder) {
    const TabCase& tab = GetParam();
    FocusAndSettle(FieldOf(tab.start));
    {
        std::optional<ShiftHeld> shift;
        if (tab.direction == FocusDirection::kBackward) {
            shift.emplace();
        }
        PostMessageW(GetFocus() != nullptr ? GetFocus() : window_, WM_KEYDOWN, VK_TAB, 1);
        PumpEvents();
    }
    EXPECT_EQ(GetFocus(), ControlHandle(tab.expected_field));
    EXPECT_EQ(GetControlText1251(ControlHandle(tab.expected_field)), "")
        << "the Tab key never reaches a field";
}

INSTANTIATE_TEST_SUITE_P(
    Fields, TabOrderTest,
    ::testing::Values(
        TabCase{"HexForwardToDec", Start::kHex, FocusDirection::kForward, kDecFieldControl},
        TabCase{"DecForwardWrapsToBin", Start::kDec, FocusDirection::kForward, kBinFieldControl},
        TabCase{"BinForwardToHex", Start::kBin, FocusDirection::kForward, kHexFieldControl},
        TabCase{"NoneForwardToBin", Start::kNone, FocusDirection::kForward, kBinFieldControl},
        TabCase{"DecBackwardToHex", Start::kDec, FocusDirection::kBackward, kHexFieldControl},
        TabCase{"HexBackwardToBin", Start::kHex, FocusDirection::kBackward, kBinFieldControl},
        TabCase{"BinBackwardWrapsToDec", Start::kBin, FocusDirection::kBackward, kDecFieldControl},
        TabCase{"NoneBackwardToDec", Start::kNone, FocusDirection::kBackward, kDecFieldControl}),
    [](const auto& test_info) { return std::string(test_info.param.name); });

TEST_F(EventModelTest, TabSkipsADisabledOrHiddenField) {
    EnableWindow(hex_, FALSE);
    FocusAndSettle(bin_);
    PostMessageW(bin_, WM_KEYDOWN, VK_TAB, 1);
    PumpEvents();
    EXPECT_EQ(GetFocus(), dec_);

    EnableWindow(hex_, TRUE);
    ShowWindow(dec_, SW_HIDE);
    PostMessageW(dec_, WM_KEYDOWN, VK_TAB, 1);
    PumpEvents();
    EXPECT_EQ(GetFocus(), bin_) << "focus left the hidden field for the next eligible one";
    PostMessageW(bin_, WM_KEYDOWN, VK_TAB, 1);
    PumpEvents();
    EXPECT_EQ(GetFocus(), hex_);
    PostMessageW(hex_, WM_KEYDOWN, VK_TAB, 1);
    PumpEvents();
    EXPECT_EQ(GetFocus(), bin_) << "the hidden decimal field is skipped";
}

TEST_F(EventModelTest, AFocusMoveReportsSetFocusThenLostThenGot) {
    FocusAndSettle(hex_);
    PostMessageW(hex_, WM_KEYDOWN, VK_TAB, 1);
    EXPECT_EQ(WaitEvent(), kEventControl);
    EXPECT_EQ(EventSubtype(), EN_SETFOCUS);
    EXPECT_EQ(EventControl(), kDecFieldControl);

    std::vector<SeenEvent> reports;
    for (const SeenEvent& event : PumpEvents()) {
        if (event.code == kEventControl) {
            reports.push_back(event);
        }
    }
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].type, kSubtypeFocusLost);
    EXPECT_EQ(reports[0].control, kHexFieldControl);
    EXPECT_EQ(reports[1].type, kSubtypeFocusGot);
    EXPECT_EQ(reports[1].control, kDecFieldControl);
}

struct PickCase {
    std::vector<bool> eligible;
    int current;
    FocusDirection direction;
    int expected;
};

TEST(PickFocusTargetTest, WalksEligibleControlsWithWrapAround) {
    const auto F = FocusDirection::kForward;
    const auto B = FocusDirection::kBackward;
    const std::vector<PickCase> cases{
        {{true, false, true, false, true}, -1, F, 0},
        {{true, false, true, false, true}, -1, B, 4},
        {{true, false, true, false, true}, 0, F, 2},
        {{true, false, true, false, true}, 4, F, 0},
        {{true, false, true, false, true}, 0, B, 4},
        {{true, false, true, false, true}, 2, B, 0},
        {{true, false, true, false, true}, 1, F, 2},  // focus on a control that is no tab stop
        {{true, false, true, false, true}, 3, B, 2},
        {{false, false}, -1, F, -1},
        {{false, true}, 1, F, 1},  // the only eligible control keeps the focus
    };
    for (const PickCase& pick : cases) {
        EXPECT_EQ(PickFocusTarget(pick.eligible, pick.current, pick.direction), pick.expected)
            << "current " << pick.current;
    }
}

}  // namespace
}  // namespace trinumero::ui_test

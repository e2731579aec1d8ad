// Main window: geometry, styles, texts, limits, colours, menu, and the window operations.

#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "support/handles_win32.h"
#include "support/wide_text_win32.h"
#include "tests/ui/main_window_fixture.h"
#include "ui/tables/background_brushes.h"
#include "ui/tables/window_tables.h"
#include "ui/window/app_window.h"
#include "ui/window/controls.h"
#include "ui/window/field_text.h"
#include "ui/window/main_window_layout.h"
#include "ui/window/menu.h"

namespace trinumero::ui_test {
namespace {

const std::wstring kDescriptionWide =
    L"Конвертер систем исчисления, позволяет преобразовывать числа из одной системы исчисления в "
    L"две "
    L"другие." +
    std::wstring(51, L' ') + L"Разрешающая способность — 7 байт.";

using AppWindowTest = MainWindowTest;

TEST_F(AppWindowTest, WindowIsCentredWithTheAdjustedOuterSize) {
    RECT expected{0, 0, 416, 230};
    AdjustWindowRect(&expected, 0x00CA0000, FALSE);
    const int outer_width = expected.right - expected.left;
    const int outer_height = expected.bottom - expected.top;

    RECT actual{};
    GetWindowRect(window_, &actual);
    EXPECT_EQ(actual.right - actual.left, outer_width);
    EXPECT_EQ(actual.bottom - actual.top, outer_height);
    EXPECT_EQ(actual.left, (GetSystemMetrics(SM_CXSCREEN) - outer_width) / 2);
    EXPECT_EQ(actual.top, (GetSystemMetrics(SM_CYSCREEN) - outer_height) / 2);

    // The menu bar came after the size was fixed: it takes its rows out of the client area.
    RECT client{};
    GetClientRect(window_, &client);
    EXPECT_EQ(client.right, 416);
    EXPECT_EQ(client.bottom, 230 - GetSystemMetrics(SM_CYMENU)) << "one menu row";
}

TEST_F(AppWindowTest, WindowHasCloseAndMinimiseButtonsOnly) {
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE));
    EXPECT_EQ(style & WS_CAPTION, static_cast<DWORD>(WS_CAPTION));
    EXPECT_NE(style & WS_SYSMENU, 0u);
    EXPECT_NE(style & WS_MINIMIZEBOX, 0u);
    EXPECT_EQ(style & WS_MAXIMIZEBOX, 0u);
    EXPECT_EQ(style & WS_THICKFRAME, 0u) << "the border cannot be dragged";
    EXPECT_EQ(style & WS_CLIPCHILDREN, 0u);
    EXPECT_EQ(style & 0x3u, 0u) << "the flags' own bits are not styles";
    EXPECT_EQ(GetWindowLongPtrW(window_, GWL_EXSTYLE) &
                  (WS_EX_TOPMOST | WS_EX_CLIENTEDGE | WS_EX_TOOLWINDOW),
              0);
    // Hit-testing the bottom-right corner of the frame finds no sizing border.
    RECT outer{};
    GetWindowRect(window_, &outer);
    const LRESULT hit =
        SendMessageW(window_, WM_NCHITTEST, 0, MAKELPARAM(outer.right - 1, outer.bottom - 1));
    EXPECT_NE(hit, HTBOTTOMRIGHT);
}

TEST_F(AppWindowTest, WindowClassTitleAndNumber) {
    wchar_t class_name[64] = {};
    GetClassNameW(window_, class_name, 64);
    EXPECT_STREQ(class_name, L"WindowClass_0");
    EXPECT_EQ(GetClassLongPtrW(window_, GCL_STYLE), CS_DBLCLKS);
    EXPECT_EQ(GetClassLongPtrW(window_, GCLP_HBRBACKGROUND), COLOR_BTNFACE + 1);
    EXPECT_NE(GetClassLongPtrW(window_, GCLP_HICON), 0) << "the program's icon, resource 1";
    EXPECT_EQ(TextOf(window_), L"Конвертер систем исчмсления");
    EXPECT_EQ(reinterpret_cast<INT_PTR>(GetPropW(window_, L"ZW_WindowID")), 1);
    EXPECT_EQ(WindowHandle(kMainWindowNumber), window_);
    EXPECT_EQ(WindowHandle(9), nullptr);
}

BOOL CALLBACK CollectChild(HWND child, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

struct ExpectedControl {
    int number;
    const wchar_t* class_name;
    RECT rect;  // client coordinates of the main window
    DWORD style;
    DWORD extended_style;
    std::wstring text;
};

TEST_F(AppWindowTest, ControlsStandWhereTheTableSaysInCreationOrder) {
    const std::vector<ExpectedControl> expected = {
        {2, L"Edit", {30, 165, 387, 185}, 0x50030082, WS_EX_CLIENTEDGE, L""},
        {3,
         L"Static",
         {30, 145, 395, 160},
         0x50020000,
         0,
         L"     |       7      |       6       |       5      |       4       |      3       |     "
         L"  2       |"
         L"       1     |"},
        {0, L"Edit", {60, 90, 160, 110}, 0x50030088, WS_EX_CLIENTEDGE, L""},
        {4, L"Static", {20, 5, 400, 50}, 0x50020000, 0, kDescriptionWide},
        {1, L"Edit", {245, 90, 365, 110}, 0x50030080, WS_EX_CLIENTEDGE, L""},
        {5, L"Button", {15, 125, 405, 200}, 0x50020007, 0, L"Двоичные числа"},
        {6, L"Static", {55, 59, 165, 89}, 0x50020001, 0, L"Шестнадцатеричные числа"},
        {7, L"Static", {259, 60, 339, 90}, 0x50020001, 0, L"Десятичные числа"},
    };
    std::vector<HWND> children;
    EnumChildWindows(window_, CollectChild, reinterpret_cast<LPARAM>(&children));
    ASSERT_EQ(children.size(), expected.size());

    for (std::size_t i = 0; i < expected.size(); ++i) {
        const ExpectedControl& want = expected[i];
        HWND control = children[i];
        SCOPED_TRACE(::testing::Message() << "control " << want.number);
        EXPECT_EQ(ControlHandle(want.number), control);
        EXPECT_EQ(GetWindowLongPtrW(control, GWLP_ID), want.number);
        EXPECT_EQ(reinterpret_cast<INT_PTR>(GetPropW(control, L"ZW_ID")), want.number);
        wchar_t class_name[32] = {};
        GetClassNameW(control, class_name, 32);
        EXPECT_EQ(_wcsicmp(class_name, want.class_name), 0) << class_name;
        const RECT rect = ClientRectOf(control);
        EXPECT_EQ(rect.left, want.rect.left);
        EXPECT_EQ(rect.top, want.rect.top);
        EXPECT_EQ(rect.right, want.rect.right);
        EXPECT_EQ(rect.bottom, want.rect.bottom);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE)), want.style);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(control, GWL_EXSTYLE)), want.extended_style);
        EXPECT_EQ(TextOf(control), want.text);
        EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)),
                  GetStockObject(DEFAULT_GUI_FONT));
    }
}

// Each label's text, wrapped at word boundaries as the label wraps it, in the label's own
// font: none may be cut at a side or lose a line at the bottom.
TEST_F(AppWindowTest, EveryLabelTextFitsItsControl) {
    for (const int number : {3, 4, 6, 7}) {
        SCOPED_TRACE(::testing::Message() << "control " << number);
        HWND label = ControlHandle(number);
        RECT client{};
        ASSERT_TRUE(GetClientRect(label, &client));
        const trinumero::WindowDc dc(label);
        const trinumero::SelectedObject font(
            dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
        const std::wstring text = TextOf(label);
        RECT needed{0, 0, client.right, 0};
        DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &needed,
                  DT_CALCRECT | DT_WORDBREAK);
        EXPECT_GT(needed.bottom, 0) << "the text was measured";
        EXPECT_LE(needed.right, client.right);
        EXPECT_LE(needed.bottom, client.bottom);
    }
}

TEST_F(AppWindowTest, FieldsHaveTheirTypingLimits) {
    EXPECT_EQ(SendMessageW(hex_, EM_GETLIMITTEXT, 0, 0), 14);
    EXPECT_EQ(SendMessageW(dec_, EM_GETLIMITTEXT, 0, 0), 17);
    EXPECT_EQ(SendMessageW(bin_, EM_GETLIMITTEXT, 0, 0), 56);
    EXPECT_EQ(hex_, ControlHandle(kHexFieldControl));
    EXPECT_EQ(dec_, ControlHandle(kDecFieldControl));
    EXPECT_EQ(bin_, ControlHandle(kBinFieldControl));
}

TEST_F(AppWindowTest, TypingStopsAtTheLimitAndHexLettersTurnUpperCase) {
    for (int i = 0; i < 15; ++i) {
        SendMessageW(hex_, WM_CHAR, L'a', 1);
    }
    EXPECT_EQ(TextOf(hex_), std::wstring(14, L'A'));
    // The program's own writes are not bound by the limit.
    SetControlText1251(hex_, "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(TextOf(hex_), L"FFFFFFFFFFFFFFFF");
}

TEST_F(AppWindowTest, CaptionsAnswerTheirTextColourOnButtonFace) {
    HDC dc = CreateCompatibleDC(nullptr);
    for (int caption : {6, 7}) {
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        const LRESULT brush = SendMessageW(window_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                           reinterpret_cast<LPARAM>(ControlHandle(caption)));
        EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE)));
        EXPECT_EQ(GetTextColor(dc), RGB(51, 79, 204));
        EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_BTNFACE));
    }
    // The description has no colour of its own: the default answer, in the system text colour.
    SetTextColor(dc, RGB(51, 79, 204));
    SendMessageW(window_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(ControlHandle(4)));
    EXPECT_NE(GetTextColor(dc), RGB(51, 79, 204));
    DeleteDC(dc);
}

TEST_F(AppWindowTest, BackgroundBrushesAreSharedAndCounted) {
    const COLORREF colour = RGB(1, 2, 3);
    BackgroundBrushStore& brushes = SharedBackgroundBrushes();
    EXPECT_NE(SetControlColour(3, kBackgroundColourAttribute, colour), 0);
    EXPECT_NE(SetControlColour(4, kBackgroundColourAttribute, colour), 0);
    EXPECT_EQ(brushes.Users(colour), 2);

    HDC dc = CreateCompatibleDC(nullptr);
    const LRESULT first = SendMessageW(window_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(ControlHandle(3)));
    EXPECT_EQ(GetBkColor(dc), colour);
    const LRESULT second = SendMessageW(window_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                        reinterpret_cast<LPARAM>(ControlHandle(4)));
    EXPECT_NE(first, 0);
    EXPECT_EQ(first, second) << "one brush for one colour";
    DeleteDC(dc);

    SetControlColour(3, kBackgroundColourAttribute, kNoColour);
    EXPECT_EQ(brushes.Users(colour), 1);
    DestroyWindow(ControlHandle(4));
    EXPECT_EQ(brushes.Users(colour), 0) << "the last user's destruction deletes the brush";
    EXPECT_EQ(ControlHandle(4), nullptr) << "the entry goes with the control";
}

TEST_F(AppWindowTest, ColourOfAnUnknownControlIsRefused) {
    EXPECT_EQ(SetControlColour(42, kTextColourAttribute, RGB(1, 1, 1)), 0);
    EXPECT_EQ(ControlHandle(42), nullptr);
}

TEST_F(AppWindowTest, MenuHoldsTheOnTopItemWithItsCheckMark) {
    HMENU bar = GetMenu(window_);
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 1);
    wchar_t text[64] = {};
    GetMenuStringW(bar, 0, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"Настройки");
    HMENU drop_down = GetSubMenu(bar, 0);
    ASSERT_NE(drop_down, nullptr);
    ASSERT_EQ(GetMenuItemCount(drop_down), 1);
    EXPECT_EQ(GetMenuItemID(drop_down, 0), 1u);
    GetMenuStringW(drop_down, 0, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"Поверх остальных окон");
    EXPECT_EQ(GetMenuState(bar, 1, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED), 0u);
    // Screen readers read an item's text, or, for an item the program draws (the dark mode's),
    // the MSAAMENUINFO its data points at.
    for (const auto& [menu, name] : {std::pair{bar, L"Настройки"}, {drop_down, text}}) {
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_DATA;
        ASSERT_TRUE(GetMenuItemInfoW(menu, 0, TRUE, &item));
        EXPECT_EQ(item.fType, DarkPrefix() ? UINT{MFT_OWNERDRAW} : UINT{MFT_STRING}) << name;
        const auto* named = reinterpret_cast<const MSAAMENUINFO*>(item.dwItemData);
        ASSERT_EQ(named != nullptr, DarkPrefix()) << name;
        EXPECT_TRUE(!named || (named->dwMSAASignature == MSAA_MENU_SIG &&
                               std::wstring_view(named->pszWText, named->cchWText) == name));
    }

    EXPECT_EQ(IsMenuItemChecked(kMainMenuNumber, kOnTopMenuItem), 0) << "on-top setting 0";
    EXPECT_NE(SetMenuItemChecked(kMainMenuNumber, kOnTopMenuItem, 5), 0);
    EXPECT_EQ(IsMenuItemChecked(kMainMenuNumber, kOnTopMenuItem), 1);
    EXPECT_NE(GetMenuState(bar, 1, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_NE(SetMenuItemChecked(kMainMenuNumber, kOnTopMenuItem, 0), 0);
    EXPECT_EQ(IsMenuItemChecked(kMainMenuNumber, kOnTopMenuItem), 0);
    EXPECT_EQ(GetMenuState(bar, 1, MF_BYCOMMAND) & MF_CHECKED, 0u);
}

TEST_F(AppWindowTest, UnknownMenuOrItemReadsUnchecked) {
    EXPECT_EQ(SetMenuItemChecked(7, kOnTopMenuItem, 1), 0);
    EXPECT_EQ(IsMenuItemChecked(7, kOnTopMenuItem), 0);
    EXPECT_EQ(SetMenuItemChecked(kMainMenuNumber, 99, 1), 0);
    EXPECT_EQ(IsMenuItemChecked(kMainMenuNumber, 99), 0);
}

TEST_F(AppWindowTest, OnTopAndHiddenStatesFollowTheCalls) {
    EXPECT_NE(SetOnTop(kMainWindowNumber, 1), 0);
    EXPECT_NE(GetWindowLongPtrW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_NE(SetOnTop(kMainWindowNumber, 0), 0);
    EXPECT_EQ(GetWindowLongPtrW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

    SetWindowHidden(kMainWindowNumber, 1);
    EXPECT_FALSE(IsWindowVisible(window_));
    SetWindowHidden(kMainWindowNumber, 0);
    EXPECT_TRUE(IsWindowVisible(window_));
    EXPECT_EQ(SetWindowHidden(9, 0), 0);
    EXPECT_EQ(SetOnTop(9, 1), 0);
}

TEST_F(AppWindowTest, DestroyingTheWindowFreesItsClassAndControls) {
    DestroyAppWindow(kMainWindowNumber);
    EXPECT_FALSE(IsWindow(window_));
    WNDCLASSW info{};
    EXPECT_FALSE(GetClassInfoW(GetModuleHandleW(nullptr), L"WindowClass_0", &info));
    EXPECT_EQ(WindowHandle(kMainWindowNumber), nullptr);
    for (int control = 0; control < 8; ++control) {
        EXPECT_EQ(ControlHandle(control), nullptr) << control;
    }
    EXPECT_EQ(IsMenuItemChecked(kMainMenuNumber, kOnTopMenuItem), 0);
}

class CheckedAtStartTest : public MainWindowTest {
  protected:
    CheckedAtStartTest() { on_top_setting_ = 5; }
};

TEST_F(CheckedAtStartTest, NonZeroSettingChecksTheItemAndPinsTheWindow) {
    EXPECT_EQ(IsMenuItemChecked(kMainMenuNumber, kOnTopMenuItem), 1);
    EXPECT_NE(GetWindowLongPtrW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

// Creation on its own, before anything fills the window.
TEST(CreateAppWindowTest, MainWindowIsCreatedHiddenWhateverPositionIsGiven) {
    HWND window = CreateMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindowVisible(window));
    RECT rect{};
    GetWindowRect(window, &rect);
    EXPECT_NE(rect.left, 229);
    EXPECT_NE(rect.top, 183);
    DestroyAllWindows();
    ResetEventState();
}

TEST(CreateAppWindowTest, FlagsWithoutStylesGetACaptionAndWithoutVisibleShowTheWindow) {
    HWND window = CreateAppWindow(13, 10, 20, 200, 100, "", 0x1);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window)) << "no WS_VISIBLE in the flags: shown at creation";
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)) & WS_CAPTION,
              static_cast<DWORD>(WS_CAPTION));
    EXPECT_EQ(reinterpret_cast<INT_PTR>(GetPropW(window, L"ZW_WindowID")), 14);
    wchar_t class_name[32] = {};
    GetClassNameW(window, class_name, 32);
    EXPECT_STREQ(class_name, L"WindowClass_13");
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 200);
    EXPECT_EQ(client.bottom, 100);
    DestroyAppWindow(13);
    EXPECT_FALSE(IsWindow(window));
    ResetEventState();
}

TEST(FieldTextTest, ReadsAndWritesWindows1251Bytes) {
    HWND edit = CreateWindowExW(0, L"Edit", L"", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(edit, nullptr);
    EXPECT_NE(SetControlText1251(edit, "1\xC6"), 0);
    EXPECT_EQ(TextOf(edit), L"1Ж");
    // A character Windows-1251 lacks still reads as a byte from 128 up, one byte per unit.
    SetWindowTextW(edit, L"7\u00e9\u0416A");
    EXPECT_EQ(GetControlText1251(edit),
              "7\x98\xC6"
              "A");
    SetWindowTextW(edit, L"");
    EXPECT_EQ(GetControlText1251(edit), "");
    DestroyWindow(edit);
}

TEST(FieldTextTest, EveryWindows1251ByteReadsBackAsItself) {
    for (int value = 1; value < 256; ++value) {
        const std::string byte(1, static_cast<char>(value));
        EXPECT_EQ(Cp1251PerUnit(WideFromCp1251(byte)), byte) << value;
    }
    EXPECT_EQ(Cp1251PerUnit(L"\u0451\u2014\u00e9"), "\xB8\x97\x98");
}

}  // namespace
}  // namespace trinumero::ui_test

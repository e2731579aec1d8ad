// The main window at the display's DPI: every control at its 96-dpi box scaled, inside the
// client area, with the frame round the edited field on the scaled field; and laid out again
// when the window is moved to a monitor of another DPI. The suite also runs with the prefix at
// 120, 144 and 192 dpi.

#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "support/handles_win32.h"
#include "support/optional_calls_win32.h"
#include "tests/ui/main_window_fixture.h"
#include "ui/look/highlight.h"
#include "ui/look/scheme_colours.h"
#include "ui/scale/display_scale.h"
#include "ui/tables/window_tables.h"
#include "ui/window/controls.h"
#include "ui/window/main_window_layout.h"

namespace trinumero::ui_test {
namespace {

// The laid-out value at the DPI, computed apart from the program's own scaling.
int Scaled(int value, UINT dpi) {
    return static_cast<int>(std::lround(value * static_cast<double>(dpi) / 96.0));
}

// Every control stands within 2 px of its 96-dpi box scaled to the DPI, inside the client area.
void ExpectControlsLaidOutFor(HWND window, UINT dpi) {
    RECT client{};
    GetClientRect(window, &client);
    for (const ControlLayout& layout : kMainWindowControls) {
        SCOPED_TRACE(::testing::Message()
                     << "control " << layout.number << " at " << dpi << " dpi");
        const RECT rect = ClientRectOf(ControlHandle(layout.number));
        EXPECT_NEAR(rect.left, Scaled(layout.x, dpi), 2);
        EXPECT_NEAR(rect.top, Scaled(layout.y, dpi), 2);
        EXPECT_NEAR(rect.right, Scaled(layout.x + layout.width, dpi), 2);
        EXPECT_NEAR(rect.bottom, Scaled(layout.y + layout.height, dpi), 2);
        EXPECT_GE(rect.left, 0);
        EXPECT_GE(rect.top, 0);
        EXPECT_LE(rect.right, client.right);
        EXPECT_LE(rect.bottom, client.bottom);
    }
}

using DisplayScaleTest = MainWindowTest;

TEST_F(DisplayScaleTest, ControlsAndTheFrameStandAtTheirBoxesScaledToTheDpi) {
    const UINT dpi = WindowDpi(window_);
    // Runs at another scale say which; the window must be at it.
    if (const char* expected = std::getenv("TRINUMERO_EXPECTED_DPI")) {
        ASSERT_EQ(dpi, static_cast<UINT>(std::atoi(expected)));
    }
    ExpectControlsLaidOutFor(window_, dpi);
    const trinumero::WindowDc dc(window_);
    for (const int field : {kHexFieldControl, kDecFieldControl, kBinFieldControl}) {
        HighlightField(field, kMainWindowNumber);
        const RECT frame = ClientRectOf(ControlHandle(field));
        for (const POINT corner :
             {POINT{frame.left, frame.top}, POINT{frame.right - 1, frame.top},
              POINT{frame.left, frame.bottom - 1}, POINT{frame.right - 1, frame.bottom - 1}}) {
            EXPECT_EQ(GetPixel(dc.Get(), corner.x, corner.y), kHighlightColour)
                << "field " << field << " at " << corner.x << "," << corner.y;
        }
    }
}

int FontHeightOf(HWND control) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font,
               &font);
    return std::abs(font.lfHeight);
}

// As the system does when the window moves to a monitor of half as many dots per inch again:
// the window takes the suggested rectangle, the controls their boxes and a larger font; moved
// back, everything is as it was (at 96 dpi the stock font again).
TEST_F(DisplayScaleTest, ADpiChangeLaysTheWindowOutForTheNewDpiAndBack) {
    const UINT dpi = WindowDpi(window_);
    const UINT larger = dpi * 3 / 2;
    RECT before{};
    GetWindowRect(window_, &before);
    std::vector<RECT> controls_before;
    for (const ControlLayout& layout : kMainWindowControls) {
        controls_before.push_back(ClientRectOf(ControlHandle(layout.number)));
    }
    const int height_before = FontHeightOf(hex_);

    RECT suggested{before.left, before.top, before.left + (before.right - before.left) * 3 / 2,
                   before.top + (before.bottom - before.top) * 3 / 2};
    SendMessageW(window_, WM_DPICHANGED, MAKEWPARAM(larger, larger),
                 reinterpret_cast<LPARAM>(&suggested));
    RECT after{};
    GetWindowRect(window_, &after);
    EXPECT_TRUE(EqualRect(&after, &suggested));
    ExpectControlsLaidOutFor(window_, larger);
    for (const ControlLayout& layout : kMainWindowControls) {
        const int height = FontHeightOf(ControlHandle(layout.number));
        EXPECT_GT(height, height_before) << "control " << layout.number;
        EXPECT_LE(height, height_before * 3 / 2 + 1) << "control " << layout.number;
    }

    SendMessageW(window_, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&before));
    for (std::size_t i = 0; i < kMainWindowControls.size(); ++i) {
        HWND control = ControlHandle(kMainWindowControls[i].number);
        const RECT rect = ClientRectOf(control);
        EXPECT_TRUE(EqualRect(&rect, &controls_before[i])) << "control " << i;
        EXPECT_EQ(FontHeightOf(control), height_before) << "control " << i;
        if (dpi == 96) {
            EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)),
                      GetStockObject(DEFAULT_GUI_FONT));
        }
    }
}

// A monitor at 168 dpi, as Windows 8.1 would report it; the monitor it was asked about.
HMONITOR g_asked_monitor = nullptr;
HRESULT WINAPI MonitorAt168Dpi(HMONITOR monitor, int kind, UINT* dpi_x, UINT* dpi_y) {
    g_asked_monitor = monitor;
    *dpi_x = *dpi_y = kind == 0 ? 168 : 96;  // only the effective DPI is 168
    return S_OK;
}

// Before Windows 10 1607 there is no GetDpiForWindow: the window's DPI is then its monitor's
// (Windows 8.1), and without that the screen's, every window's on Windows 7 and 8.
TEST_F(DisplayScaleTest, WithoutTheNewerCallsTheDpiIsTheMonitorsThenTheScreens) {
    struct Restore {
        ~Restore() { RestoreOptionalCalls(); }
    } restore;
    ReplaceOptionalCall<OptionalCall::kGetDpiForWindow>(nullptr);
    ReplaceOptionalCall<OptionalCall::kGetDpiForMonitor>(&MonitorAt168Dpi);
    EXPECT_EQ(WindowDpi(window_), 168u);
    EXPECT_EQ(g_asked_monitor, MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST));

    ReplaceOptionalCall<OptionalCall::kGetDpiForMonitor>(nullptr);
    const trinumero::WindowDc screen(nullptr);
    EXPECT_EQ(WindowDpi(window_), static_cast<UINT>(GetDeviceCaps(screen.Get(), LOGPIXELSX)));
}

UINT WINAPI HalfAgainTheSystemDpi(HWND) {
    return SystemDpi() * 3 / 2;
}

// A window whose monitor has another DPI than the system's (Windows 8.1 scales per monitor)
// where the frame of a DPI cannot be had: the system's frame round its client area at its DPI.
TEST_F(DisplayScaleTest, WithoutTheFrameOfADpiAWindowAtAnotherDpiHasTheSystemsFrame) {
    TearDown();
    ReplaceOptionalCall<OptionalCall::kGetDpiForWindow>(&HalfAgainTheSystemDpi);
    ReplaceOptionalCall<OptionalCall::kAdjustWindowRectExForDpi>(nullptr);
    SetUp();  // the window made again, as the program makes it
    RestoreOptionalCalls();
    const UINT dpi = SystemDpi() * 3 / 2;
    RECT expected{0, 0, Scaled(416, dpi), Scaled(230, dpi)};
    AdjustWindowRect(&expected, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, FALSE);
    RECT actual{};
    GetWindowRect(window_, &actual);
    EXPECT_EQ(actual.right - actual.left, expected.right - expected.left);
    EXPECT_EQ(actual.bottom - actual.top, expected.bottom - expected.top);
}

}  // namespace
}  // namespace trinumero::ui_test

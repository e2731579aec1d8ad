// The frame round the edited field, read back from the window's pixels.
#include "ui/look/highlight.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "support/handles_win32.h"
#include "support/optional_calls_win32.h"
#include "tests/kit/messages_win32.h"
#include "tests/ui/main_window_fixture.h"
#include "ui/look/colour_scheme.h"
#include "ui/look/scheme_colours.h"
#include "ui/tables/window_tables.h"
#include "ui/window/main_window_layout.h"

namespace {

using trinumero::HighlightField;
using trinumero::kHighlightColour;
using trinumero::kMainWindowNumber;
using trinumero::ui_test::MainWindowTest;

struct Outline {
    int control;
    int left, top, right, bottom;  // inclusive
};

constexpr Outline kHexOutline{trinumero::kHexFieldControl, 60, 90, 159, 109};
constexpr Outline kDecOutline{trinumero::kDecFieldControl, 245, 90, 364, 109};
constexpr Outline kBinOutline{trinumero::kBinFieldControl, 30, 165, 386, 184};

class Highlight : public MainWindowTest {
  protected:
    COLORREF Pixel(int x, int y) { return GetPixel(trinumero::WindowDc(window_).Get(), x, y); }

    // Lets every repaint the platform still has queued happen.
    void DrainMessages() { trinumero::testing::DispatchPendingMessages(); }

    int FramedPixels(const Outline& o) {
        int framed = 0;
        for (int x = o.left; x <= o.right; ++x) {
            framed += Pixel(x, o.top) == kHighlightColour;
            framed += Pixel(x, o.bottom) == kHighlightColour;
        }
        for (int y = o.top + 1; y < o.bottom; ++y) {
            framed += Pixel(o.left, y) == kHighlightColour;
            framed += Pixel(o.right, y) == kHighlightColour;
        }
        return framed;
    }

    static int RingSize(const Outline& o) {
        return 2 * (o.right - o.left + 1) + 2 * (o.bottom - o.top - 1);
    }

    void TearDown() override {
        trinumero::RestoreOptionalCalls();
        trinumero::SetFramePixelCopy(nullptr);
        MainWindowTest::TearDown();
    }
};

// Whether the desktop is composed, as a stand-in for DwmIsCompositionEnabled says (Wine 8 says no
// for the Windows 7 it acts as, Wine 10 yes).
BOOL g_composed = TRUE;
HRESULT WINAPI Composition(BOOL* composed) {
    *composed = g_composed;
    return S_OK;
}

// The borders the fields are asked to draw (WM_NCPAINT) while it is hooked, and whether that comes
// from an invalidated part of the border (an update region) or is a plain ask to draw it all (1).
using BorderPaint = std::pair<HWND, bool>;
std::vector<BorderPaint> g_border_paints;
LRESULT CALLBACK RecordBorderPaint(int code, WPARAM wparam, LPARAM lparam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lparam);
    if (code == HC_ACTION && sent->message == WM_NCPAINT) {
        g_border_paints.emplace_back(sent->hwnd, sent->wParam != 1);
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

TEST_F(Highlight, FramesExactlyTheOutermostRingOfEachField) {
    for (const Outline& o : {kHexOutline, kDecOutline, kBinOutline}) {
        HighlightField(o.control, kMainWindowNumber);
        DrainMessages();  // a late repaint of the field must not wipe the frame
        EXPECT_EQ(FramedPixels(o), RingSize(o)) << "field " << o.control;
        EXPECT_NE(Pixel(o.left - 1, o.top - 1), kHighlightColour);
        EXPECT_NE(Pixel(o.right + 1, o.bottom + 1), kHighlightColour);
        // The field's own inner border is still drawn, not erased by the window's background.
        EXPECT_NE(Pixel(o.left + 1, o.top + 1), kHighlightColour);
        EXPECT_NE(Pixel(o.left + 1, o.top + 1), GetSysColor(COLOR_BTNFACE));
    }
}

TEST_F(Highlight, TheNextHighlightRemovesTheEarlierFrame) {
    HighlightField(kHexOutline.control, kMainWindowNumber);
    ASSERT_EQ(FramedPixels(kHexOutline), RingSize(kHexOutline));
    HighlightField(kDecOutline.control, kMainWindowNumber);
    DrainMessages();
    EXPECT_EQ(FramedPixels(kHexOutline), 0);
    EXPECT_EQ(FramedPixels(kDecOutline), RingSize(kDecOutline));
}

// Every pixel of the client area, as drawn now.
std::vector<COLORREF> ClientPixels(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    const trinumero::WindowDc dc(window);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < client.bottom; ++y) {
        for (int x = 0; x < client.right; ++x) {
            pixels.push_back(GetPixel(dc.Get(), x, y));
        }
    }
    return pixels;
}

// After each keystroke, framing only what changed must leave the window exactly as redrawing all
// of it and then drawing the same frame would. A frame that moves is taken away by putting back the
// pixels it covered where the desktop is composed; elsewhere the old field's border is invalidated
// and drawn again (so that a popup's saved bits cannot bring the frame back), never put back. A
// copy of the pixels under the frame that fails (as one from a locked desktop does) keeps nothing:
// the next move has the field draw its own border, never puts back the pixels of a place kept
// before.
BOOL WINAPI FailingCopy(HDC, int, int, int, int, HDC, int, int, DWORD) {
    return FALSE;
}

TEST_F(Highlight, LeavesTheSamePixelsAsAWholeWindowRedrawThenTheFrame) {
    struct Keystroke {
        HWND field;
        int control;
        wchar_t key;
    };
    const Keystroke keystrokes[] = {
        {hex_, kHexOutline.control, L'f'}, {hex_, kHexOutline.control, L'7'},  // stays
        {dec_, kDecOutline.control, L'9'},                                     // moves
        {bin_, kBinOutline.control, L'1'}, {hex_, kHexOutline.control, L'\b'},
    };
    const auto hook = trinumero::testing::HookThisThread(WH_CALLWNDPROC, RecordBorderPaint);
    trinumero::ReplaceOptionalCall<trinumero::OptionalCall::kDwmIsCompositionEnabled>(&Composition);
    // Not composed, then composed; the copy fails as the frame moves to the decimal field (into a
    // bitmap that still holds another place's pixels), and again as the reference frames it.
    const std::size_t failing_copy = std::size(keystrokes) + 2;
    for (std::size_t step = 0; step < 2 * std::size(keystrokes); ++step) {
        const Keystroke& keystroke = keystrokes[step % std::size(keystrokes)];
        const BOOL composed = g_composed = step >= std::size(keystrokes);
        const HWND framed_before = trinumero::WindowTable().Find(kMainWindowNumber)->framed_field;
        SendMessageW(keystroke.field, WM_CHAR, keystroke.key, 1);
        g_border_paints.clear();
        trinumero::SetFramePixelCopy(step == failing_copy ? &FailingCopy : nullptr);
        HighlightField(keystroke.control, kMainWindowNumber);
        if (framed_before != nullptr && framed_before != keystroke.field) {
            const bool put_back = composed && step != failing_copy + 1;
            const std::vector<BorderPaint> redrawn{{framed_before, !composed}};
            EXPECT_EQ(g_border_paints, put_back ? std::vector<BorderPaint>{} : redrawn)
                << "composed " << composed << ", step " << step;
        }
        DrainMessages();
        const std::vector<COLORREF> framed = ClientPixels(window_);

        // The reference: all of the window drawn again, then the frame on the same field (which
        // draws it without repainting anything).
        RedrawWindow(window_, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
        DrainMessages();
        HighlightField(keystroke.control, kMainWindowNumber);
        const std::vector<COLORREF> expected = ClientPixels(window_);

        ASSERT_EQ(framed.size(), expected.size());
        std::size_t differing = 0;
        for (std::size_t i = 0; i < framed.size(); ++i) {
            differing += framed[i] != expected[i];
        }
        EXPECT_EQ(differing, 0u) << "field " << keystroke.control << ", key "
                                 << static_cast<int>(keystroke.key);
    }
}

bool g_high_contrast = false;

// A frame that is still there is not drawn again. After each event that may have drawn over it,
// the program counts it as gone; the next change of the same field then frames it exactly, and a
// change of another field leaves nothing of it behind.
TEST_F(Highlight, IsDrawnAgainAfterEveryEventThatMayHaveDrawnOverIt) {
    RECT place{};
    GetWindowRect(window_, &place);
    std::vector<std::pair<std::string, std::function<void()>>> events = {
        {"the field's border drawn", [&] { SendMessageW(hex_, WM_NCPAINT, 1, 0); }},
        {"the window repainted",
         [&] {
             RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
         }},
        {"high contrast on and off",
         [&] {
             trinumero::SetHighContrastQuery([] { return g_high_contrast; });
             for (const bool on : {true, false}) {
                 g_high_contrast = on;
                 SendMessageW(window_, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
             }
             trinumero::SetHighContrastQuery(nullptr);
         }},
        {"the DPI changed",
         [&] {
             SendMessageW(window_, WM_DPICHANGED, MAKEWPARAM(96, 96),
                          reinterpret_cast<LPARAM>(&place));
         }},
        {"restored", [&] { ShowWindow(window_, SW_MINIMIZE), ShowWindow(window_, SW_RESTORE); }},
        {"moved", [&] { SetWindowPos(window_, nullptr, 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER); }},
        {"shown again", [&] { ShowWindow(window_, SW_HIDE), ShowWindow(window_, SW_SHOW); }},
    };
    // The themed edit may draw its border for more than its WM_NCPAINT: its focus and hover states
    // (on Windows 7 fading between them), its state, style, theme or colours, a copy of its
    // drawing. Here the border is painted over behind the program's back, then the message comes.
    STYLESTRUCT style{};
    style.styleOld = style.styleNew = static_cast<DWORD>(GetWindowLongW(hex_, GWL_STYLE));
    const trinumero::MemoryDc copy(nullptr);
    const auto into_copy = reinterpret_cast<WPARAM>(copy.Get());
    const std::tuple<UINT, WPARAM, LPARAM> border_messages[] = {
        {WM_SETFOCUS, 0, 0},
        {WM_KILLFOCUS, 0, 0},
        {WM_MOUSEMOVE, 0, 0},
        {WM_MOUSELEAVE, 0, 0},
        {WM_ENABLE, TRUE, 0},
        {WM_STYLECHANGED, static_cast<WPARAM>(GWL_STYLE), reinterpret_cast<LPARAM>(&style)},
        {WM_THEMECHANGED, 0, 0},
        {WM_SYSCOLORCHANGE, 0, 0},
        {WM_PRINT, into_copy, PRF_NONCLIENT | PRF_CLIENT},
        {WM_PRINTCLIENT, into_copy, PRF_NONCLIENT | PRF_CLIENT}};
    for (const auto& [message, wparam, lparam] : border_messages) {
        events.emplace_back("message " + std::to_string(message), [=, this] {
            const trinumero::WindowDc border(hex_, trinumero::DcArea::kWholeWindow);
            const RECT ring{0, 0, kHexOutline.right - kHexOutline.left + 1,
                            kHexOutline.bottom - kHexOutline.top + 1};
            FrameRect(border.Get(), &ring, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            SendMessageW(hex_, message, wparam, lparam);
            HideCaret(hex_);  // shown for the focus the field is told of: not in the picture
        });
    }
    const std::vector<COLORREF> clean = ClientPixels(window_);
    // The clean window with the frame round one field.
    const auto framed = [&](const Outline& o) {
        std::vector<COLORREF> pixels = clean;
        RECT client{};
        GetClientRect(window_, &client);
        for (int y = o.top; y <= o.bottom; ++y) {
            for (int x = o.left; x <= o.right; ++x) {
                if (x == o.left || x == o.right || y == o.top || y == o.bottom) {
                    pixels[static_cast<std::size_t>(y * client.right + x)] = kHighlightColour;
                }
            }
        }
        return pixels;
    };
    for (const auto& [name, happen] : events) {
        HighlightField(kHexOutline.control, kMainWindowNumber);
        happen();
        EXPECT_FALSE(trinumero::WindowTable().Find(kMainWindowNumber)->frame_intact) << name;
        DrainMessages();
        HighlightField(kHexOutline.control, kMainWindowNumber);
        DrainMessages();
        EXPECT_TRUE(ClientPixels(window_) == framed(kHexOutline)) << name;
        HighlightField(kDecOutline.control, kMainWindowNumber);
        DrainMessages();
        EXPECT_TRUE(ClientPixels(window_) == framed(kDecOutline)) << name;
    }
}

TEST_F(Highlight, ARepaintOfTheWindowRemovesTheFrame) {
    HighlightField(kBinOutline.control, kMainWindowNumber);
    ASSERT_EQ(FramedPixels(kBinOutline), RingSize(kBinOutline));
    RedrawWindow(window_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    EXPECT_EQ(FramedPixels(kBinOutline), 0);
}

TEST_F(Highlight, AnUnknownControlRedrawsAndDrawsNothingVisible) {
    HighlightField(kHexOutline.control, kMainWindowNumber);
    HighlightField(42, kMainWindowNumber);
    DrainMessages();
    EXPECT_EQ(FramedPixels(kHexOutline), 0);
    EXPECT_NE(Pixel(0, 0), kHighlightColour) << "a zero-sized outline may only touch (0, 0)";
}

// The highest GDI handle slot in use while 1,000 probe pens are held. Freed slots are
// taken again first, so the mark climbs only when objects are left behind. Wine's
// GetGuiResources counts nothing; this counts there too.
unsigned GdiHighWaterMark() {
    std::vector<HPEN> probes;
    unsigned highest = 0;
    for (int i = 0; i < 1000; ++i) {
        probes.push_back(CreatePen(PS_SOLID, 0, RGB(i % 256, 0, 0)));
        highest = std::max(highest, static_cast<unsigned>(
                                        reinterpret_cast<std::uintptr_t>(probes.back()) & 0xFFFF));
    }
    for (HPEN probe : probes) {
        DeleteObject(probe);
    }
    return highest;
}

TEST_F(Highlight, LeavesNoGdiObjectBehind) {
    // One highlight first: whatever the platform caches on the first drawing stays, and the
    // frame keeps one copy of the pixels under it, in whichever slot is free when it is drawn.
    HighlightField(kHexOutline.control, kMainWindowNumber);
    DrainMessages();
    const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const unsigned mark = GdiHighWaterMark();
    for (int i = 0; i < 300; ++i) {
        HighlightField(i % 3, kMainWindowNumber);
        DrainMessages();
    }
    if (counted != 0) {
        EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), counted);
    }
    EXPECT_LE(GdiHighWaterMark(), mark);
}

}  // namespace

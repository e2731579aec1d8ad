// High contrast: with the theme on, the captions and the frame take the system's colours, and
// the window follows the theme as it is switched on and off while it runs. Wine never reports
// high contrast, so the test answers the program's question itself and sets the system's
// colours to those of a black high-contrast theme. Run in the dark app mode too
// (window_tests_dark.sh): high contrast wins over it.

#include <windows.h>

#include <gtest/gtest.h>

#include <array>

#include "support/handles_win32.h"
#include "tests/kit/messages_win32.h"
#include "tests/ui/main_window_fixture.h"
#include "ui/look/colour_scheme.h"
#include "ui/look/dark_painting.h"
#include "ui/look/highlight.h"
#include "ui/look/scheme_colours.h"
#include "ui/tables/window_tables.h"
#include "ui/window/controls.h"
#include "ui/window/main_window_layout.h"

namespace trinumero::ui_test {
namespace {

constexpr COLORREF kCaptionBlue = RGB(51, 79, 204);

bool g_high_contrast = false;
bool TestHighContrast() {
    return g_high_contrast;
}

constexpr std::array<int, 3> kThemeElements{COLOR_WINDOWTEXT, COLOR_BTNFACE, COLOR_HIGHLIGHT};

// Sets the system's colours, as a theme switch does, and lets the window hear of it.
void SetSystemColours(const std::array<COLORREF, 3>& colours) {
    SetSysColors(static_cast<int>(kThemeElements.size()), kThemeElements.data(), colours.data());
    testing::DispatchPendingMessages();
}

// The system's colours as they were, put back at the end of the scope.
class SavedSystemColours {
  public:
    SavedSystemColours() {
        for (std::size_t i = 0; i < kThemeElements.size(); ++i) {
            saved_[i] = GetSysColor(kThemeElements[i]);
        }
    }
    ~SavedSystemColours() { SetSystemColours(saved_); }
    SavedSystemColours(const SavedSystemColours&) = delete;
    SavedSystemColours& operator=(const SavedSystemColours&) = delete;

  private:
    std::array<COLORREF, 3> saved_{};
};

class HighContrastTest : public MainWindowTest {
  protected:
    void SetUp() override {
        SetHighContrastQuery(TestHighContrast);
        MainWindowTest::SetUp();
    }
    void TearDown() override {
        g_high_contrast = false;
        SetHighContrastQuery(nullptr);
        MainWindowTest::TearDown();
    }

    // How many pixels of the control's box have the colour, as the window shows it now.
    int PixelsOf(int control, COLORREF colour) {
        RedrawWindow(window_, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        const RECT box = ClientRectOf(ControlHandle(control));
        const trinumero::WindowDc dc(window_);
        int count = 0;
        for (int y = box.top; y < box.bottom; ++y) {
            for (int x = box.left; x < box.right; ++x) {
                count += GetPixel(dc.Get(), x, y) == colour ? 1 : 0;
            }
        }
        return count;
    }

    COLORREF FramePixel() {
        HighlightField(kHexFieldControl, kMainWindowNumber);
        const RECT frame = ClientRectOf(hex_);
        return GetPixel(trinumero::WindowDc(window_).Get(), frame.left, frame.top);
    }
};

TEST_F(HighContrastTest, CaptionsAndFrameTakeTheThemesColoursWhileItIsOn) {
    {
        const SavedSystemColours saved;
        const COLORREF yellow = RGB(255, 255, 0);
        const COLORREF green = RGB(0, 255, 0);
        g_high_contrast = true;
        SetSystemColours({yellow, RGB(0, 0, 0), green});
        SendMessageW(window_, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
        for (const int caption : {kHexCaptionControl, kDecCaptionControl}) {
            EXPECT_EQ(PixelsOf(caption, kCaptionBlue), 0) << "caption " << caption;
            EXPECT_GT(PixelsOf(caption, yellow), 10) << "caption " << caption;
        }
        EXPECT_EQ(GetPixel(trinumero::WindowDc(window_).Get(), 5, 70), RGB(0, 0, 0));
        EXPECT_EQ(FramePixel(), green);
        g_high_contrast = false;
    }
    // Switched off again while the program runs: its own colours are back (in the dark app
    // mode the lighter blue).
    SendMessageW(window_, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    const COLORREF blue = DarkPrefix() ? kDarkCaption : kCaptionBlue;
    for (const int caption : {kHexCaptionControl, kDecCaptionControl}) {
        EXPECT_GT(PixelsOf(caption, blue), 10) << "caption " << caption;
    }
    EXPECT_EQ(FramePixel(), kHighlightColour);
}

}  // namespace
}  // namespace trinumero::ui_test

// A picture of the main window as the user sees it, written into the build folder
// (screenshots/main_window.bmp) and checked at a few pixels; in the dark app mode
// (window_tests_dark.sh) main_window_dark.bmp, whose texts are checked for contrast.

#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "support/handles_win32.h"
#include "support/optional_calls_win32.h"
#include "tests/kit/messages_win32.h"
#include "tests/ui/main_window_fixture.h"
#include "ui/look/colour_scheme.h"
#include "ui/look/highlight.h"
#include "ui/look/scheme_colours.h"
#include "ui/scale/display_scale.h"
#include "ui/tables/window_tables.h"
#include "ui/window/app_window.h"
#include "ui/window/controls.h"
#include "ui/window/field_text.h"
#include "ui/window/main_window_layout.h"
#include "ui/window/menu.h"

#ifndef TRINUMERO_SCREENSHOT_DIR
#define TRINUMERO_SCREENSHOT_DIR "screenshots"
#endif

namespace trinumero::ui_test {
namespace {

// A top-down 32-bit image of the whole window, frame and menu included.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB

    COLORREF At(int x, int y) const {
        const std::uint32_t p =
            pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                   static_cast<std::size_t>(x)];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
};

Picture TakePicture(HWND window) {
    RECT outer{};
    GetWindowRect(window, &outer);
    Picture picture;
    picture.width = outer.right - outer.left;
    picture.height = outer.bottom - outer.top;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    // Copied from the window's own surface, frame, menu and controls included, as drawn.
    HDC window_dc = GetWindowDC(window);
    BitBlt(memory, 0, 0, picture.width, picture.height, window_dc, 0, 0, SRCCOPY);
    ReleaseDC(window, window_dc);
    GdiFlush();
    const auto* first = static_cast<const std::uint32_t*>(bits);
    picture.pixels.assign(first, first + static_cast<std::size_t>(picture.width) *
                                             static_cast<std::size_t>(picture.height));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return picture;
}

// Writes a 24-bit BMP (the most widely read form: no alpha channel to misread).
bool WriteBmp(const Picture& picture, const std::string& path) {
    const std::size_t row_bytes =
        (static_cast<std::size_t>(picture.width) * 3 + 3) & ~std::size_t{3};
    std::vector<unsigned char> rows(row_bytes * static_cast<std::size_t>(picture.height), 0);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const COLORREF colour = picture.At(x, y);
            unsigned char* out =
                &rows[row_bytes * static_cast<std::size_t>(y) + static_cast<std::size_t>(x) * 3];
            out[0] = GetBValue(colour);
            out[1] = GetGValue(colour);
            out[2] = GetRValue(colour);
        }
    }
    BITMAPFILEHEADER file_header{};
    file_header.bfType = 0x4D42;  // "BM"
    file_header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file_header.bfSize = static_cast<DWORD>(file_header.bfOffBits + rows.size());
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = picture.width;
    info.biHeight = -picture.height;  // top-down rows
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(rows.size());

    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    bool written = std::fwrite(&file_header, sizeof(file_header), 1, file) == 1 &&
                   std::fwrite(&info, sizeof(info), 1, file) == 1 &&
                   std::fwrite(rows.data(), 1, rows.size(), file) == rows.size();
    written = std::fclose(file) == 0 && written;
    return written;
}

// The build folder is a Unix path; under Wine it is reached through drive Z:.
std::string ScreenshotFolder() {
    std::string folder = TRINUMERO_SCREENSHOT_DIR;
    if (!folder.empty() && folder[0] == '/') {
        folder = "Z:" + folder;
    }
    return folder;
}

using ScreenshotTest = MainWindowTest;

TEST_F(ScreenshotTest, MainWindowLooksAsLaidOut) {
    SetControlText1251(hex_, "FF");
    SetControlText1251(dec_, "255");
    SetControlText1251(bin_, "11111111");
    RedrawWindow(window_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const Picture picture = TakePicture(window_);

    // One picture per display scale: main_window.bmp at 96 dpi, main_window-144dpi.bmp at 144.
    const UINT dpi = WindowDpi(window_);
    const std::string name =
        dpi == 96 ? "main_window.bmp" : "main_window-" + std::to_string(dpi) + "dpi.bmp";
    CreateDirectoryA(ScreenshotFolder().c_str(), nullptr);
    EXPECT_TRUE(WriteBmp(picture, ScreenshotFolder() + "/" + name));

    POINT origin{0, 0};
    ClientToScreen(window_, &origin);
    RECT outer{};
    GetWindowRect(window_, &outer);
    const int dx = origin.x - outer.left;
    const int dy = origin.y - outer.top;

    // Both captions are drawn in their own blue, and only they are.
    for (int caption : {6, 7}) {
        const RECT box = ClientRectOf(ControlHandle(caption));
        int blue = 0;
        for (int y = box.top; y < box.bottom; ++y) {
            for (int x = box.left; x < box.right; ++x) {
                blue += picture.At(x + dx, y + dy) == RGB(51, 79, 204) ? 1 : 0;
            }
        }
        EXPECT_GT(blue, 10) << "caption " << caption;
    }
    const RECT description = ClientRectOf(ControlHandle(4));
    for (int y = description.top; y < description.bottom; ++y) {
        for (int x = description.left; x < description.right; ++x) {
            ASSERT_NE(picture.At(x + dx, y + dy), RGB(51, 79, 204)) << x << "," << y;
        }
    }
    // Between the controls the window shows the button face.
    EXPECT_EQ(picture.At(ScaleToDpi(5, dpi) + dx, ScaleToDpi(70, dpi) + dy),
              GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(picture.At(ScaleToDpi(200, dpi) + dx, ScaleToDpi(100, dpi) + dy),
              GetSysColor(COLOR_BTNFACE));
}

// The dark app mode, in a prefix of its own whose mode is dark (window_tests_dark.sh); the tests
// are skipped elsewhere.
constexpr wchar_t kPersonalizeKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

// Sets the app mode and tells every window, as Windows does when the user switches it.
void SetAppsUseLightTheme(DWORD light) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kPersonalizeKey, L"AppsUseLightTheme", REG_DWORD, &light,
                    sizeof light);
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0,
                        reinterpret_cast<LPARAM>(L"ImmersiveColorSet"), SMTO_ABORTIFHUNG, 2000,
                        nullptr);
    testing::DispatchPendingMessages();
}

// The contrast ratio of two colours as WCAG 2 defines it; against black, below 1.4 is dark.
double Contrast(COLORREF a, COLORREF b) {
    const auto luminance = [](COLORREF colour) {
        double sum = 0;
        for (const auto& [value, weight] : {std::pair{GetRValue(colour), 0.2126},
                                            {GetGValue(colour), 0.7152},
                                            {GetBValue(colour), 0.0722}}) {
            const double c = value / 255.0;
            sum += weight * (c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
        }
        return sum + 0.05;
    };
    return std::max(luminance(a), luminance(b)) / std::min(luminance(a), luminance(b));
}

// The box's commonest colour (its background) and the contrast against it of the colour, of at
// least five pixels, that stands out most (its text).
std::pair<COLORREF, double> TextContrast(const Picture& picture, const RECT& box) {
    std::map<COLORREF, int> counts;
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            ++counts[picture.At(x, y)];
        }
    }
    const COLORREF background =
        std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) {
            return a.second < b.second;
        })->first;
    double contrast = 0;
    for (const auto& [colour, count] : counts) {
        contrast = std::max(contrast, count >= 5 ? Contrast(colour, background) : 0);
    }
    return {background, contrast};
}

class DarkSchemeTest : public MainWindowTest {
  protected:
    void SetUp() override {
        DWORD light = 1;
        DWORD size = sizeof light;
        RegGetValueW(HKEY_CURRENT_USER, kPersonalizeKey, L"AppsUseLightTheme", RRF_RT_REG_DWORD,
                     nullptr, &light, &size);
        if (light != 0) {
            ASSERT_EQ(std::getenv("TRINUMERO_EXPECTED_DARK"), nullptr) << "the mode is light";
            GTEST_SKIP() << "the app mode is light here";
        }
        MainWindowTest::SetUp();
    }
    void TearDown() override {
        RestoreOptionalCalls();
        SetHighContrastQuery(nullptr);
        if (window_ != nullptr) {  // the prefix's mode as it was
            SetAppsUseLightTheme(0);
        }
        MainWindowTest::TearDown();
    }

    Picture Snapshot() {
        SetControlText1251(hex_, "FF");
        SetControlText1251(dec_, "255");
        SetControlText1251(bin_, "11111111");
        RedrawWindow(window_, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
        testing::DispatchPendingMessages();
        return TakePicture(window_);
    }

    // A rectangle of the screen, or a window's client area, in the picture of the main window.
    RECT InPicture(RECT box) {
        RECT outer{};
        GetWindowRect(window_, &outer);
        OffsetRect(&box, -outer.left, -outer.top);
        return box;
    }
    RECT InPicture(HWND window) {
        RECT box{};
        GetClientRect(window, &box);
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&box), 2);
        return InPicture(box);
    }
};

TEST_F(DarkSchemeTest, EveryTextReadsWellOnTheDarkWindow) {
    const Picture picture = Snapshot();
    CreateDirectoryA(ScreenshotFolder().c_str(), nullptr);
    EXPECT_TRUE(WriteBmp(picture, ScreenshotFolder() + "/main_window_dark.bmp"));

    // Every text's background is dark; the frame's caption line lies on the window's own.
    std::vector<std::pair<int, RECT>> texts{{-1, {}}};  // the menu bar's title first
    GetMenuItemRect(window_, GetMenu(window_), 0, &texts[0].second);
    texts[0].second = InPicture(texts[0].second);
    for (int control :
         {kDescriptionControl, kByteHeaderControl, kHexCaptionControl, kDecCaptionControl,
          kHexFieldControl, kDecFieldControl, kBinFieldControl, kBinaryFrameControl}) {
        texts.emplace_back(control, InPicture(ControlHandle(control)));
    }
    texts.back().second.bottom = texts.back().second.top + 13;  // the frame's caption line
    MENUBARINFO bar{};
    bar.cbSize = sizeof bar;
    ASSERT_TRUE(GetMenuBarInfo(window_, OBJID_MENU, 0, &bar));
    texts.emplace_back(-2, InPicture(bar.rcBar));  // the whole menu-bar row
    for (const auto& [control, box] : texts) {
        const auto [background, contrast] = TextContrast(picture, box);
        EXPECT_LT(Contrast(background, 0), 1.4) << "control " << control;
        EXPECT_GE(contrast, 4.5) << "control " << control;
    }
    // Inside their outer line, the fields' borders are dark on every side.
    for (const HWND field : {hex_, dec_, bin_}) {
        RECT r{};
        GetWindowRect(field, &r);
        r = InPicture(r);
        InflateRect(&r, -1, -1);
        const int x = (r.left + r.right) / 2;
        const int y = (r.top + r.bottom) / 2;
        for (const POINT p : {POINT{r.left, y}, {r.right - 1, y}, {x, r.top}, {x, r.bottom - 1}}) {
            EXPECT_LT(Contrast(picture.At(p.x, p.y), 0), 1.4) << p.x << "," << p.y;
        }
    }
}

// The drop-down as the user opens it: F10 and Down open it on its first item. The picture is taken
// from inside the menu's own loop, which then ends.
struct OpenedMenu {
    Picture picture;
    RECT item{};  // the last item, in the picture
};
OpenedMenu g_opened;

void CALLBACK TakeOpenedMenu(HWND window, UINT, UINT_PTR timer, DWORD) {
    KillTimer(window, timer);
    HWND popup = FindWindowW(L"#32768", nullptr);
    RECT outer{};
    GetWindowRect(popup, &outer);
    g_opened.picture = TakePicture(popup);
    HMENU drop_down = GetSubMenu(GetMenu(window), 0);
    GetMenuItemRect(window, drop_down, static_cast<UINT>(GetMenuItemCount(drop_down) - 1),
                    &g_opened.item);
    OffsetRect(&g_opened.item, -outer.left, -outer.top);
    EndMenu();
}

OpenedMenu OpenDropDown(HWND window) {
    PostMessageW(window, WM_SYSKEYDOWN, VK_F10, 1);
    PostMessageW(window, WM_SYSKEYUP, VK_F10, 0xC0000001);
    PostMessageW(window, WM_KEYDOWN, VK_DOWN, 1);
    SetTimer(window, 1, 100, TakeOpenedMenu);
    testing::DispatchPendingMessages();
    return std::exchange(g_opened, OpenedMenu{});
}

TEST_F(DarkSchemeTest, TheDropDownIsDarkWithACheckMarkAsClearAsTheSystemsOnlyWhenOn) {
    std::vector<int> check_pixels;  // dark, then light as the system draws it
    for (const DWORD light : {0, 1}) {
        SetAppsUseLightTheme(light);
        std::vector<OpenedMenu> opened;  // "on top" off, then on
        for (const int on : {0, 1}) {
            SetMenuItemChecked(kMainMenuNumber, kOnTopMenuItem, on);
            opened.push_back(OpenDropDown(window_));
            ASSERT_GT(opened.back().picture.width, 0) << "the drop-down did not open";
        }
        // What "on" adds is the check mark, and only that.
        const auto& [off, item] = opened[0];
        const Picture& on = opened[1].picture;
        const auto [background, contrast] = TextContrast(off, item);
        int check = 0;
        for (int y = item.top; y < item.bottom; ++y) {
            for (int x = item.left; x < item.right; ++x) {
                const bool added = on.At(x, y) != off.At(x, y);
                check += added ? 1 : 0;
                EXPECT_TRUE(
                    !added || light != 0 ||
                    (off.At(x, y) == background && Contrast(on.At(x, y), background) >= 4.5))
                    << x << "," << y;
            }
        }
        check_pixels.push_back(check);
        if (light == 0) {
            // The drop-down's background round the item, and the item chosen with the
            // keyboard, are dark; its text reads well.
            EXPECT_LT(Contrast(off.At(item.left + 1, item.top - 1), 0), 1.4);
            EXPECT_LT(Contrast(background, 0), 2.5);
            EXPECT_GE(contrast, 4.5);
            CreateDirectoryA(ScreenshotFolder().c_str(), nullptr);
            EXPECT_TRUE(WriteBmp(on, ScreenshotFolder() + "/drop_down_dark-" +
                                         std::to_string(WindowDpi(window_)) + "dpi.bmp"));
        }
    }
    EXPECT_GT(check_pixels[0], 0);
    EXPECT_GE(check_pixels[0], check_pixels[1] * 9 / 10) << "as clear as the system's";
}

// A menu of a test's own: a separator stays the system's, not an empty row the program draws, and
// an item added once the menu is dark is drawn dark with its name for screen readers.
TEST_F(DarkSchemeTest, ASeparatorStaysTheSystemsAndAnItemAddedWhileDarkIsDrawnDark) {
    HMENU bar = CreateMenu();
    HMENU drop_down = CreatePopupMenu();
    AppendMenuW(drop_down, MF_STRING, 1, L"Первый");
    AppendMenuW(drop_down, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(drop_down), L"Проба");
    HMENU own = GetMenu(window_);
    SetMenu(window_, bar);
    ColourMenuBar(kMainWindowNumber);
    AppendMenuW(drop_down, MF_STRING, 2, L"Добавленный");
    const auto [picture, added] = OpenDropDown(window_);
    ASSERT_GT(picture.width, 0) << "the drop-down did not open";
    const auto [background, contrast] = TextContrast(picture, added);
    EXPECT_LT(Contrast(background, 0), 2.5);
    EXPECT_GE(contrast, 4.5);
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_DATA;
    ASSERT_TRUE(GetMenuItemInfoW(drop_down, 1, TRUE, &item));
    EXPECT_EQ(item.fType & (MFT_SEPARATOR | MFT_OWNERDRAW), static_cast<UINT>(MFT_SEPARATOR));
    ASSERT_TRUE(GetMenuItemInfoW(drop_down, 2, TRUE, &item));
    const auto* name = reinterpret_cast<const MSAAMENUINFO*>(item.dwItemData);
    ASSERT_TRUE((item.fType & MFT_OWNERDRAW) != 0 && name != nullptr);
    EXPECT_EQ(name->dwMSAASignature, static_cast<DWORD>(MSAA_MENU_SIG));
    EXPECT_EQ(std::wstring(name->pszWText, name->cchWText), L"Добавленный");
    SetMenu(window_, own);
    DestroyMenu(bar);
    ColourMenuBar(kMainWindowNumber);
}

TEST_F(DarkSchemeTest, DrawingAnItemLeavesTheDeviceContextAsItWas) {
    const MemoryDc dc(nullptr);
    const auto state = [&] {
        return std::tuple{GetTextColor(dc.Get()), GetBkMode(dc.Get()), GetDCBrushColor(dc.Get()),
                          GetCurrentObject(dc.Get(), OBJ_FONT)};
    };
    const auto before = state();
    HMENU bar = GetMenu(window_);
    for (const auto& [menu, checked] : {std::pair{bar, 0}, {GetSubMenu(bar, 0), ODS_CHECKED}}) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_DATA;
        ASSERT_TRUE(GetMenuItemInfoW(menu, 0, TRUE, &info));
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_MENU;
        item.itemState = ODS_SELECTED | static_cast<UINT>(checked);
        item.hwndItem = reinterpret_cast<HWND>(menu);
        item.hDC = dc.Get();
        item.rcItem = RECT{0, 0, 200, 40};
        item.itemData = info.dwItemData;
        EXPECT_TRUE(SendMessageW(window_, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item)));
        EXPECT_EQ(state(), before);
    }
}

// The window manager as a stand-in that refuses the attributes named, and what reaches it and the
// window's caption in order: 10 * attribute + value for an attribute set, -1 for the caption drawn
// inactive and -2 for it drawn active.
std::vector<DWORD> g_refused_attributes;
std::vector<int> g_title_bar;
bool g_high_contrast = false;

HRESULT WINAPI RecordAttribute(HWND, DWORD attribute, const void* value, DWORD) {
    g_title_bar.push_back(static_cast<int>(attribute) * 10 + *static_cast<const BOOL*>(value));
    return std::count(g_refused_attributes.begin(), g_refused_attributes.end(), attribute) != 0
               ? E_INVALIDARG
               : S_OK;
}

// Each time the caption is drawn again, the menu bar is drawn with it: the times that bar would
// show the other scheme than the title bar was just given (the window counting as dark or not, the
// menu's items drawn by the program or by the system), whatever the pixels of this system show.
int g_mixed_bars = 0;

LRESULT CALLBACK RecordCaption(int code, WPARAM wparam, LPARAM lparam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lparam);
    if (code == HC_ACTION && sent->message == WM_NCACTIVATE) {
        const auto set = std::find_if(g_title_bar.rbegin(), g_title_bar.rend(),
                                      [](int entry) { return entry >= 0; });
        const bool dark = set != g_title_bar.rend() && *set % 10 == 1;
        g_title_bar.push_back(sent->wParam != 0 ? -2 : -1);
        MENUITEMINFOW title{};
        title.cbSize = sizeof title;
        title.fMask = MIIM_FTYPE;
        GetMenuItemInfoW(GetMenu(sent->hwnd), 0, TRUE, &title);
        g_mixed_bars += (DarkWindowEntry(kMainWindowNumber) != nullptr) != dark ||
                        ((title.fType & MFT_OWNERDRAW) != 0) != dark;
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

TEST_F(DarkSchemeTest, TheTitleBarTakesTheAttributeTheWindowManagerAcceptsAndShowsItAtOnce) {
    const auto hook = trinumero::testing::HookThisThread(WH_CALLWNDPROC, RecordCaption);
    ReplaceOptionalCall<OptionalCall::kDwmSetWindowAttribute>(&RecordAttribute);
    SetHighContrastQuery([] { return g_high_contrast; });
    // Leaving dark, entering it while the window is active, entering high contrast and leaving it.
    const std::vector<int> each_switch[] = {{200, -1, -2, 201, -1, -2},            // 20 taken
                                            {200, 190, -1, -2, 201, 191, -1, -2},  // 19 taken
                                            {200, 190, 201, 191}};                 // none
    for (std::size_t refused = 0; refused < 3; ++refused) {
        g_refused_attributes.assign({20, 19});
        g_refused_attributes.resize(refused);
        g_title_bar.clear();
        SetAppsUseLightTheme(1);
        SetAppsUseLightTheme(0);
        for (const bool on : {true, false}) {
            g_high_contrast = on;
            SendMessageW(window_, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
        }
        std::vector<int> expected = each_switch[refused];
        expected.insert(expected.end(), each_switch[refused].begin(), each_switch[refused].end());
        EXPECT_EQ(g_title_bar, expected) << refused << " refused";
    }
    EXPECT_EQ(g_mixed_bars, 0);
}

TEST_F(DarkSchemeTest, FollowsTheAppModeWhileRunning) {
    const Picture dark = Snapshot();
    SetAppsUseLightTheme(1);
    const Picture switched_light = Snapshot();
    DestroyAllWindows();
    MainWindowTest::SetUp();
    EXPECT_TRUE(switched_light.pixels == Snapshot().pixels) << "dark to light";
    SetAppsUseLightTheme(0);
    EXPECT_TRUE(Snapshot().pixels == dark.pixels) << "light to dark";

    // A setting change that leaves the mode as it is draws nothing again: the frame stays.
    HighlightField(kHexFieldControl, kMainWindowNumber);
    SetAppsUseLightTheme(0);
    const RECT hex = ClientRectOf(hex_);
    EXPECT_EQ(GetPixel(WindowDc(window_).Get(), hex.left, hex.top), kHighlightColour);
}

}  // namespace
}  // namespace trinumero::ui_test

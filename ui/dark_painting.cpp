#include "ui/dark_painting.h"

#include "support/handles_win32.h"
#include "support/optional_calls_win32.h"
#include "ui/colour_scheme.h"
#include "ui/window_tables.h"

namespace trinumero {

namespace {

// The window manager's attribute for a dark title bar: 20 from Windows 10 build 18985 on,
// 19 on the builds from 17763 (1809) before it; the builds before 17763 have none.
constexpr DWORD kFirstDarkTitleBarBuild = 17763;
constexpr DWORD kFirstDarkModeAttributeBuild = 18985;
constexpr DWORD kDarkModeAttributeBefore18985 = 19;
constexpr DWORD kDarkModeAttribute = 20;

// The group frame's line through the middle of its caption's height, as the themed frame
// draws it, and the caption on the window's background, half its height in from the left.
void PaintDarkFrameBox(HWND frame) {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(frame, &paint);
    if (dc == nullptr) {
        return;
    }
    {
        RECT box{};
        GetClientRect(frame, &box);
        wchar_t caption[64];
        const int length = GetWindowTextW(frame, caption, 64);
        const SelectedObject font(dc,
                                  reinterpret_cast<HGDIOBJ>(SendMessageW(frame, WM_GETFONT, 0, 0)));
        SIZE text{};
        GetTextExtentPoint32W(dc, caption, length, &text);

        RECT line{box.left, box.top + text.cy / 2, box.right, box.bottom};
        SetDCBrushColor(dc, kDarkFrameLine);
        FrameRect(dc, &line, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));

        const int room = text.cy / 4;
        RECT under{box.left + text.cy / 2, box.top, box.left + text.cy / 2 + text.cx + 2 * room,
                   box.top + text.cy};
        SetTextColor(dc, kDarkText);
        SetBkColor(dc, kDarkBackground);
        ExtTextOutW(dc, under.left + room, under.top, ETO_OPAQUE, &under, caption,
                    static_cast<UINT>(length), nullptr);
    }
    EndPaint(frame, &paint);
}

}  // namespace

LRESULT EraseDarkBackground(HWND window, const WindowEntry& entry, HDC dc) {
    RECT client{};
    GetClientRect(window, &client);
    FillRect(dc, &client, entry.dark_background);
    return 1;
}

LRESULT AnswerDarkColourQuery(const WindowEntry& entry, HWND control, UINT message, HDC dc) {
    const int number = KnownControlNumber(control);
    const ControlEntry* known = number >= 0 ? ControlTable().Find(number) : nullptr;
    // A read-only field asks with WM_CTLCOLORSTATIC.
    const bool field =
        message == WM_CTLCOLOREDIT || (known != nullptr && known->kind == ControlKind::kEditField);
    const bool own_colour = !field && known != nullptr && known->text_colour != kNoColour;
    SetTextColor(dc, own_colour ? kDarkCaption : kDarkText);
    SetBkColor(dc, field ? kDarkFieldBackground : kDarkBackground);
    return reinterpret_cast<LRESULT>(field ? entry.dark_field_background : entry.dark_background);
}

std::optional<LRESULT> AnswerDarkFrameBoxMessage(HWND frame, UINT message) {
    if ((message != WM_PAINT && message != WM_UPDATEUISTATE) ||
        DarkWindowEntryOf(frame) == nullptr) {
        return std::nullopt;
    }
    if (message == WM_PAINT) {
        PaintDarkFrameBox(frame);
        return 0;
    }
    // The control would draw itself at once in the theme's colours to show or hide keyboard
    // cues, which its caption does not have.
    return DefWindowProcW(frame, message, 0, 0);
}

void PaintDarkFieldBorder(HWND field, HBRUSH background) {
    RECT outer{};
    GetWindowRect(field, &outer);
    RECT client{};
    GetClientRect(field, &client);
    MapWindowPoints(field, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -outer.left, -outer.top);
    const WindowDc dc(field, true);
    ExcludeClipRect(dc.Get(), client.left, client.top, client.right, client.bottom);
    const RECT inside{1, 1, outer.right - outer.left - 1, outer.bottom - outer.top - 1};
    FillRect(dc.Get(), &inside, background);
}

void SetDarkTitleBar(HWND window, bool dark) {
    const auto get_version = FindOptionalCall<OptionalCall::kRtlGetVersion>();
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (get_version == nullptr || get_version(&version) != 0 ||
        version.dwBuildNumber < kFirstDarkTitleBarBuild) {
        return;
    }
    const auto set_attribute = FindOptionalCall<OptionalCall::kDwmSetWindowAttribute>();
    if (set_attribute != nullptr) {
        const BOOL value = dark ? TRUE : FALSE;
        set_attribute(window,
                      version.dwBuildNumber < kFirstDarkModeAttributeBuild
                          ? kDarkModeAttributeBefore18985
                          : kDarkModeAttribute,
                      &value, sizeof value);
    }
}

}  // namespace trinumero

#include "ui/look/dark_painting.h"

#include <string>

#include "support/handles_win32.h"
#include "support/wide_text_win32.h"
#include "ui/look/colour_scheme.h"
#include "ui/look/scheme_colours.h"
#include "ui/tables/window_tables.h"

namespace trinumero {

namespace {

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
        const std::wstring caption = WindowText(frame);
        const auto length = static_cast<int>(caption.size());
        const SelectedObject font(dc,
                                  reinterpret_cast<HGDIOBJ>(SendMessageW(frame, WM_GETFONT, 0, 0)));
        SIZE text{};
        GetTextExtentPoint32W(dc, caption.c_str(), length, &text);

        RECT line{box.left, box.top + text.cy / 2, box.right, box.bottom};
        SetDCBrushColor(dc, kDarkFrameLine);
        FrameRect(dc, &line, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));

        const int room = text.cy / 4;
        RECT under{box.left + text.cy / 2, box.top, box.left + text.cy / 2 + text.cx + 2 * room,
                   box.top + text.cy};
        SetTextColor(dc, kDarkText);
        SetBkColor(dc, kDarkBackground);
        ExtTextOutW(dc, under.left + room, under.top, ETO_OPAQUE, &under, caption.c_str(),
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

std::optional<LRESULT> AnswerDarkFrameBoxMessage(HWND frame, UINT message, WPARAM wparam,
                                                 LPARAM lparam) {
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
    return DefWindowProcW(frame, message, wparam, lparam);
}

void PaintDarkFieldBorder(HWND field, HBRUSH background) {
    RECT outer{};
    GetWindowRect(field, &outer);
    RECT client{};
    GetClientRect(field, &client);
    MapWindowPoints(field, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -outer.left, -outer.top);
    const WindowDc dc(field, DcArea::kWholeWindow);
    ExcludeClipRect(dc.Get(), client.left, client.top, client.right, client.bottom);
    const RECT inside{1, 1, outer.right - outer.left - 1, outer.bottom - outer.top - 1};
    FillRect(dc.Get(), &inside, background);
}

}  // namespace trinumero

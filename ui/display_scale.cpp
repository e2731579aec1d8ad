#include "ui/display_scale.h"

#include "support/handles_win32.h"
#include "support/system_library_win32.h"

namespace trinumero {

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

// The newer user32 calls, where the system has them; user32 is loaded already, and looking
// its functions up loads nothing.
struct NewerDpiCalls {
    GetDpiForWindowFunction get_dpi_for_window = nullptr;
    AdjustWindowRectExForDpiFunction adjust_window_rect_for_dpi = nullptr;
};

const NewerDpiCalls& DpiCalls() {
    static const NewerDpiCalls calls = [] {
        const HMODULE user32 = GetModuleHandleW(L"user32.dll");
        return NewerDpiCalls{
            LookUpFunction<GetDpiForWindowFunction>(user32, "GetDpiForWindow"),
            LookUpFunction<AdjustWindowRectExForDpiFunction>(user32, "AdjustWindowRectExForDpi")};
    }();
    return calls;
}

}  // namespace

int ScaleToDpi(int value, UINT dpi) {
    return MulDiv(value, static_cast<int>(dpi), static_cast<int>(kLayoutDpi));
}

RECT ScaledRect(const LayoutBox& box, UINT dpi) {
    return RECT{ScaleToDpi(box.x, dpi), ScaleToDpi(box.y, dpi), ScaleToDpi(box.x + box.width, dpi),
                ScaleToDpi(box.y + box.height, dpi)};
}

UINT SystemDpi() {
    const WindowDc screen(nullptr);
    const int dpi = screen.Get() != nullptr ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
    return dpi > 0 ? static_cast<UINT>(dpi) : kLayoutDpi;
}

UINT WindowDpi(HWND window) {
    const UINT dpi = DpiCalls().get_dpi_for_window != nullptr && window != nullptr
                         ? DpiCalls().get_dpi_for_window(window)
                         : 0;
    return dpi != 0 ? dpi : SystemDpi();
}

RECT OuterRectForClient(int client_width, int client_height, DWORD style, UINT dpi) {
    RECT outer{0, 0, client_width, client_height};
    // At the system's DPI the plain call has the right frame; it is also the only one older
    // systems have.
    if (dpi == SystemDpi() || DpiCalls().adjust_window_rect_for_dpi == nullptr) {
        AdjustWindowRect(&outer, style, FALSE);
    } else {
        DpiCalls().adjust_window_rect_for_dpi(&outer, style, FALSE, 0, dpi);
    }
    return outer;
}

}  // namespace trinumero

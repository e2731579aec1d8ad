#include "ui/scale/display_scale.h"

#include "support/handles_win32.h"
#include "support/optional_calls_win32.h"

namespace trinumero {

namespace {

// MDT_EFFECTIVE_DPI: the DPI the system scales the monitor's contents for.
constexpr int kEffectiveDpi = 0;

// The DPI of the window's monitor through the call of Windows 8.1; 0 where it is missing.
UINT MonitorDpi(HWND window) {
    const auto monitor_dpi = FindOptionalCall<OptionalCall::kGetDpiForMonitor>();
    if (monitor_dpi == nullptr) {
        return 0;
    }
    UINT dpi_x = 0;
    UINT dpi_y = 0;
    const HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    return SUCCEEDED(monitor_dpi(monitor, kEffectiveDpi, &dpi_x, &dpi_y)) ? dpi_x : 0;
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
    const int dpi = screen.Get() != nullptr ? GetDeviceCaps(screen.Get(), LOGPIXELSX) : 0;
    return dpi > 0 ? static_cast<UINT>(dpi) : kLayoutDpi;
}

UINT WindowDpi(HWND window) {
    // Windows 10 1607 and later; Windows 8.1 scales per monitor too and tells through shcore;
    // Windows 7 and 8 have one DPI for every window, the system's.
    UINT dpi = 0;
    if (window != nullptr) {
        if (const auto window_dpi = FindOptionalCall<OptionalCall::kGetDpiForWindow>()) {
            dpi = window_dpi(window);
        } else {
            dpi = MonitorDpi(window);
        }
    }
    return dpi != 0 ? dpi : SystemDpi();
}

RECT OuterRectForClient(int client_width, int client_height, DWORD style, UINT dpi) {
    RECT outer{0, 0, client_width, client_height};
    const auto adjust_for_dpi = FindOptionalCall<OptionalCall::kAdjustWindowRectExForDpi>();
    // At the system's DPI the plain call has the right frame; it is also the only one older
    // systems have, whose frames do not change with the monitor.
    if (dpi == SystemDpi() || adjust_for_dpi == nullptr) {
        AdjustWindowRect(&outer, style, FALSE);
    } else {
        adjust_for_dpi(&outer, style, FALSE, 0, dpi);
    }
    return outer;
}

}  // namespace trinumero

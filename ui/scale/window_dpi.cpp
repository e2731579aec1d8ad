#include "ui/scale/window_dpi.h"

#include <string>
#include <utility>

#include "support/wide_text_win32.h"
#include "ui/scale/display_scale.h"

namespace trinumero {

namespace {

const WindowEntry* EntryOf(HWND window) {
    return WindowTable().Find(WindowNumberOf(window));
}

bool IsControlOf(const ControlEntry& control, HWND window) {
    return control.handle != nullptr && GetParent(control.handle) == window;
}

// Whether every text label of the window, drawn in the font and wrapped at word boundaries as a
// label wraps it, fits its box at the DPI.
bool LabelsFit(HWND window, UINT dpi, HFONT font) {
    const WindowDc dc(window);
    if (dc.Get() == nullptr) {
        return true;
    }
    const SelectedObject selected(dc.Get(), font);
    bool fit = true;
    ControlTable().ForEach([&](int, ControlEntry& control) {
        if (!fit || control.kind != ControlKind::kTextLabel || !IsControlOf(control, window)) {
            return;
        }
        const std::wstring text = WindowText(control.handle);
        const RECT box = ScaledRect(control.layout, dpi);
        RECT needed{0, 0, box.right - box.left, 0};
        DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &needed,
                  DT_CALCRECT | DT_WORDBREAK);
        fit = needed.right <= box.right - box.left && needed.bottom <= box.bottom - box.top;
    });
    return fit;
}

// The controls' font at the DPI: the stock font's height scaled from the system's DPI, a pixel
// smaller at a time while a label's text would not fit its box, though never smaller than at
// 96 dpi. Texts do not grow in step with their font: the byte header is mostly spaces, which
// are 3 pixels wide at 11 pixels and 4 at 13. None: the stock font itself.
GdiObjectHandle<HFONT> FontForDpi(HWND window, UINT dpi) {
    const HFONT stock = CurrentControlParent().font;
    LOGFONTW font{};
    if (dpi == kLayoutDpi || GetObjectW(stock, sizeof font, &font) != sizeof font) {
        return nullptr;
    }
    const int stock_height = font.lfHeight;
    const int system_dpi = static_cast<int>(SystemDpi());
    const int smallest = MulDiv(stock_height, static_cast<int>(kLayoutDpi), system_dpi);
    int height = MulDiv(stock_height, static_cast<int>(dpi), system_dpi);
    for (;;) {
        GdiObjectHandle<HFONT> candidate;
        if (height != stock_height) {
            font.lfHeight = height;
            candidate.reset(CreateFontIndirectW(&font));
        }
        if (height == smallest || LabelsFit(window, dpi, candidate ? candidate.get() : stock)) {
            return candidate;
        }
        height += height < smallest ? 1 : -1;
    }
}

}  // namespace

void SetWindowDpi(WindowEntry& window, UINT dpi) {
    GdiObjectHandle<HFONT> font = FontForDpi(window.handle, dpi);
    const HFONT control_font = font ? font.get() : CurrentControlParent().font;
    ControlTable().ForEach([&](int, ControlEntry& control) {
        if (!IsControlOf(control, window.handle)) {
            return;
        }
        const RECT box = ScaledRect(control.layout, dpi);
        MoveWindow(control.handle, box.left, box.top, box.right - box.left, box.bottom - box.top,
                   TRUE);
        SendMessageW(control.handle, WM_SETFONT, reinterpret_cast<WPARAM>(control_font), 1);
    });
    window.dpi = dpi;
    // The font of the old DPI goes only now that no control uses it.
    window.scaled_font = std::move(font);
    // The controls moved: the frame round one of them is drawn again at the next change.
    window.frame_intact = false;
}

void FitControlsToWindowDpi(int window) {
    WindowEntry* entry = WindowTable().Find(window);
    if (entry != nullptr && entry->dpi != kLayoutDpi) {
        SetWindowDpi(*entry, entry->dpi);
    }
}

RECT ControlRectIn(HWND parent, const LayoutBox& box) {
    const WindowEntry* entry = EntryOf(parent);
    return ScaledRect(box, entry != nullptr ? entry->dpi : kLayoutDpi);
}

HFONT ControlFontIn(HWND parent) {
    const WindowEntry* entry = EntryOf(parent);
    return entry != nullptr && entry->scaled_font ? entry->scaled_font.get()
                                                  : CurrentControlParent().font;
}

}  // namespace trinumero

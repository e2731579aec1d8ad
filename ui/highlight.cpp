#include "ui/highlight.h"

#include "support/handles_win32.h"
#include "ui/app_window.h"
#include "ui/controls.h"

namespace trinumero {
namespace {

using Pen = GdiObjectHandle<HPEN>;

// The field's whole window rectangle, border included, in its parent's client
// coordinates; all zero for an unknown control.
RECT FieldOutline(HWND field) {
    RECT outline{};
    if (field == nullptr || !GetWindowRect(field, &outline)) {
        return RECT{};
    }
    POINT top_left{outline.left, outline.top};
    ScreenToClient(GetParent(field), &top_left);
    const LONG width = outline.right - outline.left;
    const LONG height = outline.bottom - outline.top;
    return RECT{top_left.x, top_left.y, top_left.x + width, top_left.y + height};
}

}  // namespace

int HighlightField(int control, int window) {
    const HWND main_window = WindowHandle(window);
    // The main window does not clip its children, so erasing it paints over the fields
    // too. The children (their borders included) must have repainted before the frame is
    // drawn, or their own late repaint would wipe it.
    RedrawWindow(main_window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);

    WindowDc dc(main_window);
    if (dc.Get() == nullptr) {
        return 0;
    }
    SetROP2(dc.Get(), R2_COPYPEN);
    SelectedObject brush(dc.Get(), GetStockObject(NULL_BRUSH));
    SetBkMode(dc.Get(), OPAQUE);

    const RECT outline = FieldOutline(ControlHandle(control));
    Pen pen(CreatePen(PS_SOLID, 0, kHighlightColour));
    if (pen) {
        SelectedObject selected_pen(dc.Get(), pen.get());
        Rectangle(dc.Get(), outline.left, outline.top, outline.right, outline.bottom);
    }
    return 0;
}

}  // namespace trinumero

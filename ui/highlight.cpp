#include "ui/highlight.h"

#include "support/handles_win32.h"
#include "ui/app_window.h"
#include "ui/controls.h"
#include "ui/window_tables.h"

namespace trinumero {
namespace {

using Pen = GdiObjectHandle<HPEN>;

// Invalidated, erased and repainted before RedrawWindow returns, children and their
// borders included.
constexpr UINT kRepaintAll =
    RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME;

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

// Repaints the window and the children under it where the frame lay, and nothing else. The
// window does not clip its children, so its erase paints over the field's border there;
// the field then draws its border again (RDW_FRAME) before the call returns.
void RepaintFrameRing(HWND window, const RECT& frame) {
    GdiObjectHandle<HRGN> ring(CreateRectRgnIndirect(&frame));
    GdiObjectHandle<HRGN> inside(
        CreateRectRgn(frame.left + 1, frame.top + 1, frame.right - 1, frame.bottom - 1));
    if (!ring || !inside || CombineRgn(ring.get(), ring.get(), inside.get(), RGN_DIFF) == ERROR) {
        // No region to be had: the whole window goes, as good a way to wipe the frame.
        RedrawWindow(window, nullptr, nullptr, kRepaintAll);
        return;
    }
    RedrawWindow(window, nullptr, ring.get(), kRepaintAll);
}

}  // namespace

int HighlightField(int control, int window) {
    WindowEntry* entry = WindowTable().Find(window);
    const HWND main_window = entry != nullptr ? entry->handle : nullptr;
    const RECT outline = FieldOutline(ControlHandle(control));
    // The earlier frame goes only when the frame moves: drawn again on the same field it
    // would cover the same pixels in the same colour.
    if (main_window != nullptr && !EqualRect(&entry->highlight_frame, &outline) &&
        !IsRectEmpty(&entry->highlight_frame)) {
        RepaintFrameRing(main_window, entry->highlight_frame);
    }
    if (entry != nullptr) {
        entry->highlight_frame = outline;
    }

    WindowDc dc(main_window);
    if (dc.Get() == nullptr) {
        return 0;
    }
    SetROP2(dc.Get(), R2_COPYPEN);
    SelectedObject brush(dc.Get(), GetStockObject(NULL_BRUSH));
    SetBkMode(dc.Get(), OPAQUE);

    Pen pen(CreatePen(PS_SOLID, 0, kHighlightColour));
    if (pen) {
        SelectedObject selected_pen(dc.Get(), pen.get());
        Rectangle(dc.Get(), outline.left, outline.top, outline.right, outline.bottom);
    }
    return 0;
}

}  // namespace trinumero

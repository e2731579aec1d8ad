#include "ui/look/highlight.h"

#include "support/handles_win32.h"
#include "ui/look/colour_scheme.h"
#include "ui/tables/window_tables.h"

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

// Repaints what lies under the frame where it was drawn on the field, and nothing else. The
// frame covers the field's outermost ring of pixels, which is its border (non-client area),
// so the field draws that part of its border again and the frame is gone. The field's text
// is not touched.
void RepaintFrameRing(HWND field, const RECT& frame) {
    GdiObjectHandle<HRGN> ring(CreateRectRgnIndirect(&frame));
    GdiObjectHandle<HRGN> inside(
        CreateRectRgn(frame.left + 1, frame.top + 1, frame.right - 1, frame.bottom - 1));
    if (!ring || !inside || CombineRgn(ring.get(), ring.get(), inside.get(), RGN_DIFF) == ERROR) {
        // No region to be had: the whole field, text included, is drawn again.
        RedrawWindow(field, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
        return;
    }
    // The ring is in the window's client coordinates; the field wants its own.
    POINT client_origin{0, 0};
    MapWindowPoints(field, GetParent(field), &client_origin, 1);
    OffsetRgn(ring.get(), -client_origin.x, -client_origin.y);
    RedrawWindow(field, nullptr, ring.get(), RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
}

}  // namespace

int HighlightField(int control, int window) {
    WindowEntry* entry = WindowTable().Find(window);
    const HWND main_window = entry != nullptr ? entry->handle : nullptr;
    const HWND field = ControlHandle(control);
    const RECT outline = FieldOutline(field);
    // The earlier frame goes only when the frame moves: drawn again on the same field it
    // would cover the same pixels in the same colour.
    if (entry != nullptr) {
        if (entry->framed_field != field && IsWindow(entry->framed_field)) {
            RepaintFrameRing(entry->framed_field, entry->highlight_frame);
        }
        entry->framed_field = field;
        entry->highlight_frame = outline;
    }

    WindowDc dc(main_window);
    if (dc.Get() == nullptr) {
        return 0;
    }
    SetROP2(dc.Get(), R2_COPYPEN);
    SelectedObject brush(dc.Get(), GetStockObject(NULL_BRUSH));
    SetBkMode(dc.Get(), OPAQUE);

    Pen pen(CreatePen(PS_SOLID, 0, HighlightColourOf(window)));
    if (pen) {
        SelectedObject selected_pen(dc.Get(), pen.get());
        Rectangle(dc.Get(), outline.left, outline.top, outline.right, outline.bottom);
    }
    return 0;
}

}  // namespace trinumero

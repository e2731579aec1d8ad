#include "ui/look/highlight.h"

#include <algorithm>

#include "support/handles_win32.h"
#include "support/optional_calls_win32.h"
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

FramePixelCopy& CurrentPixelCopy() {
    static FramePixelCopy copy = BitBlt;
    return copy;
}

// Keeps a copy of the pixels of the place the frame is about to cover. The copy's bitmap is made
// again only for a larger place. A copy that fails (from a locked desktop, say) keeps nothing: the
// pixels of another place must never be put back here.
void KeepPlace(WindowEntry& entry, HDC dc, const RECT& place) {
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    auto& copy = entry.under_frame;
    if (width <= 0 || height <= 0) {
        return;
    }
    if (!copy || copy->Width() < width || copy->Height() < height) {
        // The old bitmap and its context go before the new ones are made.
        copy.emplace(dc, copy ? std::max(copy->Width(), width) : width,
                     copy ? std::max(copy->Height(), height) : height);
    }
    if (copy->Dc() == nullptr ||
        !CurrentPixelCopy()(copy->Dc(), 0, 0, width, height, dc, place.left, place.top, SRCCOPY)) {
        copy.reset();
    }
}

// Whether the desktop is composed, so that each window draws into a surface of its own and nothing
// saves the pixels under a popup to put them back later: so from Windows 8 on, and on Windows 7
// with Aero; not with Basic or Classic, nor in a remote session, nor where dwmapi is missing.
bool DesktopComposed() {
    const auto is_composed = FindOptionalCall<OptionalCall::kDwmIsCompositionEnabled>();
    BOOL composed = FALSE;
    return is_composed != nullptr && SUCCEEDED(is_composed(&composed)) && composed != FALSE;
}

// The field draws its border, which the frame lies on, again, at once. Where the desktop is not
// composed its border is invalidated first: that also discards what a popup above it with saved
// bits (a tooltip, an IME candidate list) kept of the frame, which the popup would otherwise put
// back when it goes.
void RedrawBorder(HWND field, bool composed) {
    if (composed) {
        SendMessageW(field, WM_NCPAINT, 1, 0);
        return;
    }
    // The border ring in the field's client coordinates: its window less its client area.
    RECT outer{};
    RECT client{};
    GetWindowRect(field, &outer);
    GetClientRect(field, &client);
    POINT origin{0, 0};
    ClientToScreen(field, &origin);
    OffsetRect(&outer, -origin.x, -origin.y);
    const GdiObjectHandle<HRGN> ring(CreateRectRgnIndirect(&outer));
    const GdiObjectHandle<HRGN> inside(CreateRectRgnIndirect(&client));
    if (ring && inside) {
        CombineRgn(ring.get(), ring.get(), inside.get(), RGN_DIFF);
    }
    RedrawWindow(field, nullptr, ring.get(), RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
}

// Puts the pixels the frame covered back, the four sides of its ring; false when there is no copy
// of them.
bool PutBackUnderFrame(HDC dc, const WindowEntry& entry) {
    const HDC copy = entry.under_frame ? entry.under_frame->Dc() : nullptr;
    if (dc == nullptr || copy == nullptr) {
        return false;
    }
    const RECT& frame = entry.highlight_frame;
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    BitBlt(dc, frame.left, frame.top, width, 1, copy, 0, 0, SRCCOPY);
    BitBlt(dc, frame.left, frame.bottom - 1, width, 1, copy, 0, height - 1, SRCCOPY);
    BitBlt(dc, frame.left, frame.top, 1, height, copy, 0, 0, SRCCOPY);
    BitBlt(dc, frame.right - 1, frame.top, 1, height, copy, width - 1, 0, SRCCOPY);
    return true;
}

}  // namespace

void SetFramePixelCopy(FramePixelCopy copy) {
    CurrentPixelCopy() = copy != nullptr ? copy : BitBlt;
}

void MarkFrameGone(HWND window_or_field) {
    WindowTable().ForEach([&](int, WindowEntry& entry) {
        if (entry.handle == window_or_field || entry.framed_field == window_or_field) {
            entry.frame_intact = false;
        }
    });
}

int HighlightField(int control, int window) {
    WindowEntry* entry = WindowTable().Find(window);
    // A window the tables do not know has nothing to be drawn on: the context of no window is the
    // whole screen's.
    if (entry == nullptr) {
        return 0;
    }
    const HWND field = ControlHandle(control);
    // A frame that is still there stays as it is: drawn again, it would cover the same pixels in
    // the same colour.
    if (field != nullptr && entry->framed_field == field && entry->frame_intact) {
        return 0;
    }
    if (!IsWindow(entry->handle)) {
        return 0;
    }
    const RECT outline = FieldOutline(field);
    WindowDc dc(entry->handle);
    // The earlier frame goes: the pixels it covered are put back while nothing has drawn over it
    // and the desktop is composed. Else what is there is not known (a frame may be left where the
    // window was only moved or shown again), and the field it was on draws its border, which the
    // frame lies on, again, before the place of the new one is kept. The fields' texts are not
    // touched.
    const HWND framed = entry->framed_field;
    if (IsWindow(framed)) {
        const bool composed = DesktopComposed();
        if (!(composed && framed != field && entry->frame_intact &&
              PutBackUnderFrame(dc.Get(), *entry))) {
            RedrawBorder(framed, composed);
        }
    }
    entry->framed_field = field;
    entry->highlight_frame = outline;
    entry->frame_intact = false;
    if (dc.Get() == nullptr) {
        return 0;
    }
    KeepPlace(*entry, dc.Get(), outline);
    SetROP2(dc.Get(), R2_COPYPEN);
    SelectedObject brush(dc.Get(), GetStockObject(NULL_BRUSH));
    SetBkMode(dc.Get(), OPAQUE);

    Pen pen(CreatePen(PS_SOLID, 0, HighlightColourOf(window)));
    if (pen) {
        SelectedObject selected_pen(dc.Get(), pen.get());
        Rectangle(dc.Get(), outline.left, outline.top, outline.right, outline.bottom);
        // Only a frame that was drawn is there to be kept.
        entry->frame_intact = true;
    }
    return 0;
}

}  // namespace trinumero

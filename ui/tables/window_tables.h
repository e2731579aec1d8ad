#pragma once

// The numbered tables of the window layer: windows, controls and menus are addressed
// by small integers, each mapping to an entry with the platform handle and the few
// attributes kept with it. The tables live as long as the process.

#include <windows.h>

#include <optional>
#include <vector>

#include "support/handles_win32.h"
#include "support/numbered_table.h"
#include "ui/tables/dark_menu_item.h"
#include "ui/tables/window_types.h"

namespace trinumero {

struct WindowEntry {
    HWND handle = nullptr;
    HACCEL accelerators = nullptr;
    ACCEL accelerator_entries[2] = {};
    // The DPI the window and its controls are laid out for, and the controls' font made for it
    // when the stock font is not (none: the stock font).
    UINT dpi = 96;
    GdiObjectHandle<HFONT> scaled_font;
    // The colours the window is drawn in, and in the dark scheme the shared brushes of its
    // background and of its fields' background (none in the other schemes).
    ColourScheme scheme = ColourScheme::kLight;
    HBRUSH dark_background = nullptr;
    HBRUSH dark_field_background = nullptr;
    // In the dark scheme, the records its menu items point at, which never move while they do,
    // and the font the items are measured and drawn in.
    std::vector<DarkMenuItem> dark_menu_items;
    GdiObjectHandle<HFONT> dark_menu_font;
    // The field the highlight frame was last drawn on and where (none: nowhere), so that the
    // next highlight wipes only that ring when the frame moves; whether the frame is known to be
    // still there, nothing having drawn over its place since; and the pixels of its place as they
    // were before the frame covered them.
    HWND framed_field = nullptr;
    RECT highlight_frame = {};
    bool frame_intact = false;
    std::optional<MemoryBitmap> under_frame;
};

struct ControlEntry {
    HWND handle = nullptr;
    ControlKind kind = ControlKind::kTextLabel;
    WNDPROC previous_procedure = nullptr;
    COLORREF text_colour = kNoColour;
    COLORREF background = kNoColour;
    HBRUSH background_brush = nullptr;
    // Where the control stands at 96 dpi; it is shown there scaled to its window's DPI.
    LayoutBox layout;
    // The control whose text names this one for an accessibility client; -1: none.
    int name_source = -1;
    // Whether the name is annotated on the control for every accessibility client.
    NameAnnotation annotation = NameAnnotation::kNotTried;
};

struct MenuEntry {
    HMENU bar = nullptr;
    HWND window = nullptr;
};

// The window that new controls are created in, and the font they get.
struct ControlParent {
    HWND window = nullptr;
    HFONT font = nullptr;
};

// Where new menu items go: the current drop-down and the menus above it.
struct MenuBuilder {
    HMENU current = nullptr;
    std::vector<HMENU> above;
    HWND window = nullptr;
};

NumberedTable<WindowEntry>& WindowTable();
NumberedTable<ControlEntry>& ControlTable();
NumberedTable<MenuEntry>& MenuTable();
ControlParent& CurrentControlParent();
MenuBuilder& CurrentMenuBuilder();

// The window's handle, or nullptr for an unknown number.
HWND WindowHandle(int window);

// The control's window handle, or nullptr for an unknown number.
HWND ControlHandle(int control);

// The module that window classes and resources belong to.
HINSTANCE ModuleInstance();

// Window properties (SetPropW: a named value Windows keeps with a window) through which a
// platform window tells its number in the tables above. "ZW_WindowID" is on every top-level
// window, holding its window number plus 1 (so that 0, no property, means no number);
// "ZW_ID" is on every control, holding its control number, the same as its identifier.
// The window layer reads them back through the two calls below: the event model and the DPI
// fitting find the entry of the top-level window above any window (WindowNumberOf), and the
// control colours and the screen-reader names find a control's entry only when the control
// is one of the program's own (KnownControlNumber). Any other program may read them with
// GetPropW too, so their names and values are part of the window's outside and stay.
inline constexpr wchar_t kWindowNumberProperty[] = L"ZW_WindowID";
inline constexpr wchar_t kControlNumberProperty[] = L"ZW_ID";

// The window number of a window or of the top-level window above it: the first
// "ZW_WindowID" property found while climbing through the parents, less 1; -1 if none.
int WindowNumberOf(HWND window);

// The control number of a control the user interface made and still knows: its
// identifier and its "ZW_ID" property agree and its table entry holds it. -1 otherwise.
int KnownControlNumber(HWND control);

}  // namespace trinumero

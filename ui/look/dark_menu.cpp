#include "ui/look/dark_menu.h"

#include <oleacc.h>

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

#include "support/handles_win32.h"
#include "ui/look/scheme_colours.h"
#include "ui/scale/display_scale.h"
#include "ui/tables/window_tables.h"

namespace trinumero {

// The record's first member is what a screen reader reads as an MSAAMENUINFO.
static_assert(sizeof(AccessibleMenuName) == sizeof(MSAAMENUINFO) &&
              offsetof(AccessibleMenuName, signature) == offsetof(MSAAMENUINFO, dwMSAASignature) &&
              offsetof(AccessibleMenuName, length) == offsetof(MSAAMENUINFO, cchWText) &&
              offsetof(AccessibleMenuName, text) == offsetof(MSAAMENUINFO, pszWText));

namespace {

// Calls visit(menu, position, on_bar) for every title of the bar and every item of its
// drop-downs.
template <typename Visit>
void ForEachMenuItem(HMENU bar, Visit visit) {
    const int titles = GetMenuItemCount(bar);
    for (int title = 0; title < titles; ++title) {
        visit(bar, title, true);
        if (HMENU drop_down = GetSubMenu(bar, title)) {
            const int items = GetMenuItemCount(drop_down);
            for (int item = 0; item < items; ++item) {
                visit(drop_down, item, false);
            }
        }
    }
}

// The item's type, data and bitmap; a type of MFT_SEPARATOR for an item that cannot be read.
MENUITEMINFOW ItemInfo(HMENU menu, int position) {
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_BITMAP;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &item)) {
        item.fType = MFT_SEPARATOR;
    }
    return item;
}

// The program draws the items that show a text; a separator, or an item that shows a bitmap,
// stays as the system draws it (as an owner-drawn item it would be an empty row).
bool DrawnByProgram(const MENUITEMINFOW& item) {
    return (item.fType & (MFT_SEPARATOR | MFT_BITMAP)) == 0 && item.hbmpItem == nullptr;
}

void SetItemDrawing(HMENU menu, int position, const MENUITEMINFOW& item,
                    const DarkMenuItem* record) {
    MENUITEMINFOW drawing{};
    drawing.cbSize = sizeof drawing;
    drawing.fMask = MIIM_FTYPE | MIIM_DATA;
    drawing.fType = record != nullptr ? item.fType | MFT_OWNERDRAW
                                      : item.fType & ~static_cast<UINT>(MFT_OWNERDRAW);
    drawing.dwItemData = reinterpret_cast<ULONG_PTR>(record);
    SetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &drawing);
}

// The system's menu font, made for the window's DPI: the system's is made for the system's DPI.
HFONT MenuFontFor(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    metrics.lfMenuFont.lfHeight =
        MulDiv(metrics.lfMenuFont.lfHeight, static_cast<int>(dpi), static_cast<int>(SystemDpi()));
    return CreateFontIndirectW(&metrics.lfMenuFont);
}

// How a drop-down item is laid out at the window's DPI, in the font selected into the context:
// a column for the check mark, the text, and as much room again right of it.
struct DropDownLayout {
    int margin;
    SIZE check;
    int column;  // where the text begins
};

DropDownLayout DropDownLayoutOf(const WindowEntry& window, HDC dc) {
    TEXTMETRICW text{};
    GetTextMetricsW(dc, &text);
    const auto dpi = static_cast<int>(window.dpi);
    const auto system_dpi = static_cast<int>(SystemDpi());
    DropDownLayout layout{};
    layout.margin = text.tmHeight / 4;
    layout.check = SIZE{MulDiv(GetSystemMetrics(SM_CXMENUCHECK), dpi, system_dpi),
                        MulDiv(GetSystemMetrics(SM_CYMENUCHECK), dpi, system_dpi)};
    layout.column = layout.check.cx + 2 * layout.margin;
    return layout;
}

// The system's check mark in the colour. The system draws menu glyphs black on white, as a mask:
// drawn into a one-bit bitmap, it lets the colour through where it is black.
void DrawCheckMark(HDC dc, const RECT& box, COLORREF colour) {
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    const MemoryDc mask(dc);
    const GdiObjectHandle<HBITMAP> bits(CreateBitmap(width, height, 1, 1, nullptr));
    if (mask.Get() == nullptr || !bits) {
        return;
    }
    const SelectedObject selected(mask.Get(), bits.get());
    RECT glyph{0, 0, width, height};
    DrawFrameControl(mask.Get(), &glyph, DFC_MENU, DFCS_MENUCHECK);
    // A one-bit source takes the text colour for its 0 bits and the background colour for its
    // 1 bits; the raster operation keeps the destination where the source is 1 (white) and puts
    // the brush where it is 0 (the glyph).
    constexpr DWORD kBrushWhereSourceIsBlack = 0x00B8074A;  // PSDPxax
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    SetDCBrushColor(dc, colour);
    SelectObject(dc, GetStockObject(DC_BRUSH));
    BitBlt(dc, box.left, box.top, width, height, mask.Get(), 0, 0, kBrushWhereSourceIsBlack);
}

}  // namespace

void SetMenuDark(WindowEntry& window, bool dark) {
    HMENU bar = GetMenu(window.handle);
    std::size_t count = 0;
    if (bar != nullptr && dark) {
        ForEachMenuItem(bar, [&](HMENU, int, bool) { ++count; });
    }
    // Made whole before any item points into it: the records never move while they are used. Room
    // for every item; the separators and bitmap items the system draws leave theirs unused.
    std::vector<DarkMenuItem> records(count);
    if (dark) {
        // Measuring starts as soon as an item changes.
        window.dark_menu_font.reset(MenuFontFor(window.dpi));
    }
    if (bar != nullptr) {
        MENUINFO info{};
        info.cbSize = sizeof info;
        info.fMask = MIM_BACKGROUND | MIM_APPLYTOSUBMENUS;
        info.hbrBack = dark ? window.dark_background : nullptr;
        SetMenuInfo(bar, &info);
        std::size_t made = 0;
        ForEachMenuItem(bar, [&](HMENU menu, int position, bool on_bar) {
            const MENUITEMINFOW item = ItemInfo(menu, position);
            if (!DrawnByProgram(item)) {
                return;
            }
            // No more records than were made, should the menu have grown since they were counted.
            DarkMenuItem* record = dark && made < records.size() ? &records[made++] : nullptr;
            if (record != nullptr) {
                const int length = GetMenuStringW(menu, static_cast<UINT>(position), record->text,
                                                  kLongestMenuText, MF_BYPOSITION);
                record->accessible = {static_cast<DWORD>(MSAA_MENU_SIG), static_cast<DWORD>(length),
                                      record->text};
                record->on_bar = on_bar;
            }
            SetItemDrawing(menu, position, item, record);
        });
        DrawMenuBar(window.handle);
    }
    // The items point at the new records now (or at none): the old ones can go. Moving the list
    // keeps every record where it is.
    window.dark_menu_items = std::move(records);
    if (!dark) {
        window.dark_menu_font.reset();
    }
}

void PaintDarkMenuBarRest(HWND window, HBRUSH background) {
    MENUBARINFO bar{};
    bar.cbSize = sizeof bar;
    MENUBARINFO last{};
    last.cbSize = sizeof last;
    if (!GetMenuBarInfo(window, OBJID_MENU, 0, &bar) ||
        !GetMenuBarInfo(window, OBJID_MENU, GetMenuItemCount(GetMenu(window)), &last)) {
        return;
    }
    RECT outer{};
    GetWindowRect(window, &outer);
    POINT client{0, 0};
    ClientToScreen(window, &client);
    RECT rest{last.rcBar.right, bar.rcBar.top, bar.rcBar.right, bar.rcBar.bottom};
    RECT line{bar.rcBar.left, bar.rcBar.bottom, bar.rcBar.right, client.y};
    OffsetRect(&rest, -outer.left, -outer.top);
    OffsetRect(&line, -outer.left, -outer.top);
    const WindowDc dc(window, DcArea::kWholeWindow);
    FillRect(dc.Get(), &rest, background);
    FillRect(dc.Get(), &line, background);
}

bool MeasureDarkMenuItem(const WindowEntry& window, MEASUREITEMSTRUCT& item) {
    if (item.CtlType != ODT_MENU || item.itemData == 0) {
        return false;
    }
    const auto& record = *reinterpret_cast<const DarkMenuItem*>(item.itemData);
    const WindowDc dc(window.handle);
    const SelectedObject font(dc.Get(), window.dark_menu_font.get());
    // Measured as it is drawn: an & underlines the letter after it and takes no room itself.
    RECT text{};
    DrawTextW(dc.Get(), record.text, static_cast<int>(record.accessible.length), &text,
              DT_CALCRECT | DT_SINGLELINE);
    if (record.on_bar) {
        // Half the text's height of room on either side; the bar keeps its own height.
        item.itemWidth = static_cast<UINT>(text.right + text.bottom);
        item.itemHeight = static_cast<UINT>(text.bottom);
    } else {
        const DropDownLayout layout = DropDownLayoutOf(window, dc.Get());
        item.itemWidth = static_cast<UINT>(2 * layout.column + text.right);
        item.itemHeight =
            static_cast<UINT>(std::max<LONG>(text.bottom, layout.check.cy) + 2 * layout.margin);
    }
    return true;
}

bool DrawDarkMenuItem(const WindowEntry& window, const DRAWITEMSTRUCT& item) {
    if (item.CtlType != ODT_MENU || item.itemData == 0) {
        return false;
    }
    const auto& record = *reinterpret_cast<const DarkMenuItem*>(item.itemData);
    HDC dc = item.hDC;
    // Everything changed here is undone before the system gets its context back.
    const int saved = SaveDC(dc);
    const bool hot = (item.itemState & (ODS_HOTLIGHT | ODS_SELECTED)) != 0;
    SetDCBrushColor(dc, hot ? kDarkMenuHot : kDarkBackground);
    FillRect(dc, &item.rcItem, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    SelectObject(dc, window.dark_menu_font.get());
    const bool dimmed = (item.itemState & (ODS_INACTIVE | ODS_GRAYED | ODS_DISABLED)) != 0;
    const COLORREF colour = dimmed ? kDarkInactiveText : kDarkText;

    RECT box = item.rcItem;
    UINT format =
        DT_VCENTER | DT_SINGLELINE | ((item.itemState & ODS_NOACCEL) != 0 ? DT_HIDEPREFIX : 0);
    if (record.on_bar) {
        format |= DT_CENTER;
    } else {
        const DropDownLayout layout = DropDownLayoutOf(window, dc);
        if ((item.itemState & ODS_CHECKED) != 0) {
            const int left = box.left + layout.margin;
            const int top = (box.top + box.bottom - layout.check.cy) / 2;
            DrawCheckMark(dc, RECT{left, top, left + layout.check.cx, top + layout.check.cy},
                          colour);
        }
        box.left += layout.column;
    }
    SetTextColor(dc, colour);
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, record.text, static_cast<int>(record.accessible.length), &box, format);
    RestoreDC(dc, saved);
    return true;
}

}  // namespace trinumero

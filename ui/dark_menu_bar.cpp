#include "ui/dark_menu_bar.h"

#include "support/handles_win32.h"
#include "ui/dark_painting.h"
#include "ui/display_scale.h"

namespace trinumero {

namespace {

constexpr int kLongestTitle = 64;

// The title at the position of the bar; its length.
int TitleAt(HMENU bar, ULONG_PTR position, wchar_t (&title)[kLongestTitle]) {
    return GetMenuStringW(bar, static_cast<UINT>(position), title, kLongestTitle, MF_BYPOSITION);
}

}  // namespace

void SetMenuBarDark(HWND window, HBRUSH background) {
    HMENU bar = GetMenu(window);
    if (bar == nullptr) {
        return;
    }
    MENUINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIM_BACKGROUND;
    info.hbrBack = background;
    SetMenuInfo(bar, &info);
    // Each title keeps its text; drawn by the program it carries its position for the drawing.
    const int count = GetMenuItemCount(bar);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE;
        if (!GetMenuItemInfoW(bar, static_cast<UINT>(position), TRUE, &item)) {
            continue;
        }
        item.fMask = MIIM_FTYPE | MIIM_DATA;
        item.fType = background != nullptr ? item.fType | MFT_OWNERDRAW
                                           : item.fType & ~static_cast<UINT>(MFT_OWNERDRAW);
        item.dwItemData = background != nullptr ? static_cast<ULONG_PTR>(position) : 0;
        SetMenuItemInfoW(bar, static_cast<UINT>(position), TRUE, &item);
    }
    DrawMenuBar(window);
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
    const WindowDc dc(window, true);
    FillRect(dc.Get(), &rest, background);
    FillRect(dc.Get(), &line, background);
}

bool MeasureDarkMenuTitle(HWND window, MEASUREITEMSTRUCT& item) {
    if (item.CtlType != ODT_MENU) {
        return false;
    }
    wchar_t title[kLongestTitle];
    const int length = TitleAt(GetMenu(window), item.itemData, title);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    // The system's menu font is made for the system's DPI; the bar is drawn at the window's.
    metrics.lfMenuFont.lfHeight =
        MulDiv(metrics.lfMenuFont.lfHeight, static_cast<int>(WindowDpi(window)),
               static_cast<int>(SystemDpi()));
    const GdiObjectHandle<HFONT> font(CreateFontIndirectW(&metrics.lfMenuFont));
    const WindowDc dc(window);
    const SelectedObject selected(dc.Get(), font.get());
    SIZE size{};
    GetTextExtentPoint32W(dc.Get(), title, length, &size);
    // Half the text's height of room on either side; the bar keeps its own height.
    item.itemWidth = static_cast<UINT>(size.cx + size.cy);
    item.itemHeight = static_cast<UINT>(size.cy);
    return true;
}

bool DrawDarkMenuTitle(const DRAWITEMSTRUCT& item) {
    if (item.CtlType != ODT_MENU) {
        return false;
    }
    HDC dc = item.hDC;
    const bool hot = (item.itemState & (ODS_HOTLIGHT | ODS_SELECTED)) != 0;
    SetDCBrushColor(dc, hot ? kDarkMenuHot : kDarkBackground);
    FillRect(dc, &item.rcItem, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));

    wchar_t title[kLongestTitle];
    const int length = TitleAt(reinterpret_cast<HMENU>(item.hwndItem), item.itemData, title);
    const bool dimmed = (item.itemState & (ODS_INACTIVE | ODS_GRAYED | ODS_DISABLED)) != 0;
    SetTextColor(dc, dimmed ? kDarkInactiveText : kDarkText);
    SetBkMode(dc, TRANSPARENT);
    RECT box = item.rcItem;
    DrawTextW(dc, title, length, &box,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE |
                  ((item.itemState & ODS_NOACCEL) != 0 ? DT_HIDEPREFIX : 0));
    return true;
}

}  // namespace trinumero

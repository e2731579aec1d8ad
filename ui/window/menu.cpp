#include "ui/window/menu.h"

#include <string>

#include "support/wide_text_win32.h"
#include "ui/tables/window_tables.h"

namespace trinumero {

namespace {

HMENU BarOf(const MenuBuilder& builder) {
    return builder.above.empty() ? builder.current : builder.above.front();
}

bool ReadItemState(int menu, int item, HMENU& bar, MENUITEMINFOW& info) {
    const MenuEntry* entry = MenuTable().Find(menu);
    if (entry == nullptr || entry->bar == nullptr) {
        return false;
    }
    bar = entry->bar;
    info = MENUITEMINFOW{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE;
    return GetMenuItemInfoW(bar, static_cast<UINT>(item), FALSE, &info) != 0;
}

}  // namespace

HMENU CreateMenuBar(int menu, HWND window) {
    MenuEntry* entry = MenuTable().FindOrCreate(menu);
    if (entry == nullptr) {
        return nullptr;
    }
    HMENU bar = CreateMenu();
    if (bar == nullptr) {
        return nullptr;
    }
    entry->bar = bar;
    entry->window = window;
    MenuBuilder& builder = CurrentMenuBuilder();
    builder = MenuBuilder{};
    builder.current = bar;
    builder.window = window;
    return bar;
}

void AddMenuTitle(std::string_view title) {
    MenuBuilder& builder = CurrentMenuBuilder();
    if (builder.current == nullptr) {
        return;
    }
    if (!builder.above.empty()) {
        builder.current = builder.above.front();
        builder.above.clear();
    }
    HMENU drop_down = CreateMenu();
    if (drop_down == nullptr) {
        return;
    }
    const std::wstring wide_title = WideFromCp1251(title);
    AppendMenuW(builder.current, MF_POPUP, reinterpret_cast<UINT_PTR>(drop_down),
                wide_title.c_str());
    builder.above.push_back(builder.current);
    builder.current = drop_down;
    SetMenu(builder.window, BarOf(builder));
}

void AddMenuItem(int item, std::string_view text) {
    MenuBuilder& builder = CurrentMenuBuilder();
    if (builder.current == nullptr) {
        return;
    }
    const std::wstring wide_text = WideFromCp1251(text);
    AppendMenuW(builder.current, MF_STRING, static_cast<UINT_PTR>(item), wide_text.c_str());
    SetMenu(builder.window, BarOf(builder));
}

int SetMenuItemChecked(int menu, int item, int checked) {
    HMENU bar = nullptr;
    MENUITEMINFOW info{};
    if (!ReadItemState(menu, item, bar, info)) {
        return 0;
    }
    if (checked != 0) {
        info.fState |= MFS_CHECKED;
    } else {
        info.fState &= ~static_cast<UINT>(MFS_CHECKED);
    }
    return SetMenuItemInfoW(bar, static_cast<UINT>(item), FALSE, &info);
}

int IsMenuItemChecked(int menu, int item) {
    HMENU bar = nullptr;
    MENUITEMINFOW info{};
    if (!ReadItemState(menu, item, bar, info)) {
        return 0;
    }
    return (info.fState & MFS_CHECKED) != 0 ? 1 : 0;
}

}  // namespace trinumero

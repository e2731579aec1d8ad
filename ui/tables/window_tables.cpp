#include "ui/tables/window_tables.h"

#include <cstdint>

namespace trinumero {

NumberedTable<WindowEntry>& WindowTable() {
    static NumberedTable<WindowEntry> table;
    return table;
}

NumberedTable<ControlEntry>& ControlTable() {
    static NumberedTable<ControlEntry> table;
    return table;
}

NumberedTable<MenuEntry>& MenuTable() {
    static NumberedTable<MenuEntry> table;
    return table;
}

ControlParent& CurrentControlParent() {
    // The font is taken once, with the first use of the parent record.
    static ControlParent parent{nullptr, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))};
    return parent;
}

MenuBuilder& CurrentMenuBuilder() {
    static MenuBuilder builder;
    return builder;
}

HWND WindowHandle(int window) {
    const WindowEntry* entry = WindowTable().Find(window);
    return entry != nullptr ? entry->handle : nullptr;
}

HWND ControlHandle(int control) {
    const ControlEntry* entry = ControlTable().Find(control);
    return entry != nullptr ? entry->handle : nullptr;
}

HINSTANCE ModuleInstance() {
    return GetModuleHandleW(nullptr);
}

int WindowNumberOf(HWND window) {
    for (HWND w = window; w != nullptr; w = GetParent(w)) {
        const auto value = reinterpret_cast<std::intptr_t>(GetPropW(w, kWindowNumberProperty));
        if (value != 0) {
            return static_cast<int>(value - 1);
        }
    }
    return -1;
}

int KnownControlNumber(HWND control) {
    if (control == nullptr) {
        return -1;
    }
    const auto id = static_cast<int>(GetWindowLongPtrW(control, GWLP_ID));
    const auto property = static_cast<int>(
        reinterpret_cast<std::intptr_t>(GetPropW(control, kControlNumberProperty)));
    if (id != property) {
        return -1;
    }
    const ControlEntry* entry = ControlTable().Find(id);
    return entry != nullptr && entry->handle == control ? id : -1;
}

}  // namespace trinumero

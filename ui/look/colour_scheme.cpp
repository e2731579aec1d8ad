#include "ui/look/colour_scheme.h"

#include "ui/look/dark_menu.h"
#include "ui/look/dark_title_bar.h"
#include "ui/look/scheme_colours.h"
#include "ui/tables/background_brushes.h"
#include "ui/tables/window_tables.h"

namespace trinumero {

namespace {

bool SystemHighContrastOn() {
    HIGHCONTRASTW setting{};
    setting.cbSize = sizeof setting;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) != FALSE &&
           (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

HighContrastQuery& CurrentQuery() {
    static HighContrastQuery query = SystemHighContrastOn;
    return query;
}

// The window takes its dark brushes, menu (once it has one) and title bar. It already counts as
// dark: the menu's items are owner-drawn dark before the title bar's nudge paints the bar, so that
// nothing shows the bar light and its rest dark.
void EnterDark(WindowEntry& entry, TitleBarRepaint repaint) {
    entry.dark_background = SharedBackgroundBrushes().Acquire(kDarkBackground);
    entry.dark_field_background = SharedBackgroundBrushes().Acquire(kDarkFieldBackground);
    SetMenuDark(entry, true);
    SetDarkTitleBar(entry.handle, true, repaint);
}

// The window's menu and title bar as the system draws them again, while it still exists, and its
// dark brushes let go. It already counts as what it becomes: the menu is the system's again before
// the title bar's nudge paints the bar, which is then drawn light all through.
void LeaveDark(WindowEntry& entry) {
    SetMenuDark(entry, false);
    if (IsWindow(entry.handle)) {
        SetDarkTitleBar(entry.handle, false, TitleBarRepaint::kNow);
    }
    if (entry.dark_background != nullptr) {
        SharedBackgroundBrushes().Release(kDarkBackground);
    }
    if (entry.dark_field_background != nullptr) {
        SharedBackgroundBrushes().Release(kDarkFieldBackground);
    }
    entry.dark_background = nullptr;
    entry.dark_field_background = nullptr;
}

}  // namespace

bool HighContrastOn() {
    return CurrentQuery()();
}

void SetHighContrastQuery(HighContrastQuery query) {
    CurrentQuery() = query != nullptr ? query : SystemHighContrastOn;
}

bool DarkAppsChosen() {
    DWORD light = 1;
    DWORD size = sizeof light;
    return RegGetValueW(HKEY_CURRENT_USER,
                        L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                        L"AppsUseLightTheme", RRF_RT_REG_DWORD, nullptr, &light,
                        &size) == ERROR_SUCCESS &&
           light == 0;
}

ColourScheme SystemColourScheme() {
    if (HighContrastOn()) {
        return ColourScheme::kHighContrast;
    }
    return DarkAppsChosen() ? ColourScheme::kDark : ColourScheme::kLight;
}

void StartColourScheme(WindowEntry& window) {
    window.scheme = SystemColourScheme();
    if (window.scheme == ColourScheme::kDark) {
        EnterDark(window, TitleBarRepaint::kAtFirstShow);
    }
}

void ColourMenuBar(int window) {
    WindowEntry* entry = WindowTable().Find(window);
    if (entry != nullptr && entry->scheme == ColourScheme::kDark) {
        SetMenuDark(*entry, true);
    }
}

void RefreshColourScheme(int window) {
    WindowEntry* entry = WindowTable().Find(window);
    if (entry == nullptr) {
        return;
    }
    const ColourScheme scheme = SystemColourScheme();
    const ColourScheme previous = entry->scheme;
    if (scheme == previous) {
        return;
    }
    // What the window counts as changes before anything of it is painted again.
    entry->scheme = scheme;
    if (previous == ColourScheme::kDark) {
        LeaveDark(*entry);
    }
    if (scheme == ColourScheme::kDark) {
        EnterDark(*entry, TitleBarRepaint::kNow);
    }
    // Every control asks for its colours again; the frame is drawn again in the new ones at the
    // next change.
    entry->frame_intact = false;
    RedrawWindow(entry->handle, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void EndColourScheme(WindowEntry& window) {
    if (window.scheme == ColourScheme::kDark) {
        LeaveDark(window);
    }
}

bool DrawsInSystemColours(int window) {
    const WindowEntry* entry = WindowTable().Find(window);
    return entry != nullptr && entry->scheme == ColourScheme::kHighContrast;
}

const WindowEntry* DarkWindowEntry(int window) {
    const WindowEntry* entry = WindowTable().Find(window);
    return entry != nullptr && entry->scheme == ColourScheme::kDark ? entry : nullptr;
}

const WindowEntry* DarkWindowEntryOf(HWND control) {
    const WindowEntry* found = nullptr;
    WindowTable().ForEach([&](int, WindowEntry& entry) {
        if (found == nullptr && entry.scheme == ColourScheme::kDark &&
            entry.handle == GetParent(control)) {
            found = &entry;
        }
    });
    return found;
}

COLORREF HighlightColourOf(int window) {
    return DrawsInSystemColours(window) ? GetSysColor(COLOR_HIGHLIGHT) : kHighlightColour;
}

}  // namespace trinumero

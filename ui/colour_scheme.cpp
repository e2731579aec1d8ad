#include "ui/colour_scheme.h"

#include "ui/highlight.h"
#include "ui/window_tables.h"

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

}  // namespace

bool HighContrastOn() {
    return CurrentQuery()();
}

void SetHighContrastQuery(HighContrastQuery query) {
    CurrentQuery() = query != nullptr ? query : SystemHighContrastOn;
}

void RefreshColourScheme(int window) {
    WindowEntry* entry = WindowTable().Find(window);
    if (entry == nullptr) {
        return;
    }
    const bool high_contrast = HighContrastOn();
    if (high_contrast == entry->high_contrast) {
        return;
    }
    entry->high_contrast = high_contrast;
    // Every control asks for its colours again; the frame of the old colours goes too.
    entry->framed_field = nullptr;
    RedrawWindow(entry->handle, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

bool DrawsInSystemColours(int window) {
    const WindowEntry* entry = WindowTable().Find(window);
    return entry != nullptr && entry->high_contrast;
}

COLORREF HighlightColourOf(int window) {
    return DrawsInSystemColours(window) ? GetSysColor(COLOR_HIGHLIGHT) : kHighlightColour;
}

}  // namespace trinumero

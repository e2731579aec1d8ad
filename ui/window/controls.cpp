#include "ui/window/controls.h"

#include <cstdint>
#include <string>

#include "support/wide_text_win32.h"
#include "ui/access/accessible_name.h"
#include "ui/look/dark_painting.h"
#include "ui/scale/window_dpi.h"
#include "ui/tables/background_brushes.h"
#include "ui/tables/window_tables.h"
#include "ui/window/field_subclass.h"

namespace trinumero {

namespace {

constexpr DWORD kChildStyle = WS_CHILD | WS_VISIBLE | WS_GROUP;

// Finds the entry of a control window even before its identifier is set.
ControlEntry* EntryOfWindow(HWND window) {
    const auto id = static_cast<int>(GetWindowLongPtrW(window, GWLP_ID));
    ControlEntry* entry = ControlTable().Find(id);
    if (entry != nullptr && entry->handle == window) {
        return entry;
    }
    ControlEntry* found = nullptr;
    ControlTable().ForEach([&](int, ControlEntry& candidate) {
        if (candidate.handle == window) {
            found = &candidate;
        }
    });
    return found;
}

void ReleaseBackground(ControlEntry& entry) {
    if (entry.background != kNoColour) {
        SharedBackgroundBrushes().Release(entry.background);
    }
    entry.background = kNoColour;
    entry.background_brush = nullptr;
}

// Installed on every control. In the dark scheme it answers the messages the group frame would
// otherwise draw itself in the visual style's colours with; on the control's last message it
// removes the control's accessible name annotation, releases its brush, removes its number and
// frees its entry. Every other message goes on unchanged to the procedure that was in place.
LRESULT CALLBACK ControlProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    ControlEntry* entry = EntryOfWindow(window);
    WNDPROC previous = entry != nullptr ? entry->previous_procedure : nullptr;
    if (entry != nullptr && entry->kind == ControlKind::kFrameBox) {
        if (const auto answer = AnswerDarkFrameBoxMessage(window, message, wparam, lparam)) {
            return *answer;
        }
    }
    if (message == WM_NCDESTROY && entry != nullptr) {
        const auto number = static_cast<int>(GetWindowLongPtrW(window, GWLP_ID));
        ForgetAccessibleName(window);
        ReleaseBackground(*entry);
        RemovePropW(window, kControlNumberProperty);
        if (ControlTable().Find(number) == entry) {
            ControlTable().Free(number);
        } else {
            *entry = ControlEntry{};
        }
    }
    return previous != nullptr ? CallWindowProcW(previous, window, message, wparam, lparam)
                               : DefWindowProcW(window, message, wparam, lparam);
}

// Answers a colour query: text colour and background as set, the system colour given
// for the background when only the text colour is set. Declines with neither set.
std::optional<LRESULT> AnswerColour(const ControlEntry& entry, HDC dc, int system_background) {
    if (entry.text_colour != kNoColour) {
        SetTextColor(dc, entry.text_colour);
        if (entry.background == kNoColour) {
            SetBkColor(dc, GetSysColor(system_background));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(system_background));
        }
    }
    if (entry.background != kNoColour) {
        SetBkColor(dc, entry.background);
        return reinterpret_cast<LRESULT>(entry.background_brush);
    }
    return std::nullopt;
}

HWND CreateControl(int control, ControlKind kind, const wchar_t* class_name, int x, int y,
                   int width, int height, std::string_view text, DWORD style,
                   DWORD extended_style) {
    if (control < 0) {
        return nullptr;
    }
    // A number names one control: a control still holding the number goes first.
    if (ControlEntry* old = ControlTable().Find(control); old != nullptr && IsWindow(old->handle)) {
        DestroyWindow(old->handle);
    }
    const HWND parent = CurrentControlParent().window;
    const LayoutBox layout{x, y, width, height};
    const RECT box = ControlRectIn(parent, layout);
    const std::wstring wide_text = WideFromCp1251(text);
    HWND window = CreateWindowExW(extended_style, class_name, wide_text.c_str(), style, box.left,
                                  box.top, box.right - box.left, box.bottom - box.top, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(-1)),
                                  ModuleInstance(), nullptr);
    if (window == nullptr) {
        return nullptr;
    }
    if (kind == ControlKind::kEditField) {
        // The field's own procedure stays reachable for the subclass procedure even after
        // the control's entry is gone during destruction.
        const LONG_PTR own = GetWindowLongPtrW(window, GWLP_WNDPROC);
        SetWindowLongPtrW(window, GWLP_USERDATA, own);
        SetWindowLongPtrW(window, GWLP_WNDPROC,
                          reinterpret_cast<LONG_PTR>(&FieldSubclassProcedure));
    }

    ControlEntry* entry = ControlTable().FindOrCreate(control);
    *entry = ControlEntry{};
    entry->handle = window;
    entry->kind = kind;
    entry->layout = layout;
    entry->previous_procedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlProcedure)));

    SetWindowLongPtrW(window, GWLP_ID, control);
    SetPropW(window, kControlNumberProperty,
             reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(control)));
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(ControlFontIn(parent)), 1);
    return window;
}

}  // namespace

HWND SetControlParent(HWND window) {
    CurrentControlParent().window = window;
    return window;
}

HWND CreateEditField(int control, int x, int y, int width, int height, std::string_view text,
                     DWORD field_flags) {
    return CreateControl(control, ControlKind::kEditField, L"Edit", x, y, width, height, text,
                         field_flags | kChildStyle | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
}

HWND CreateTextLabel(int control, int x, int y, int width, int height, std::string_view text,
                     DWORD label_flags) {
    return CreateControl(control, ControlKind::kTextLabel, L"Static", x, y, width, height, text,
                         label_flags | kChildStyle, 0);
}

HWND CreateFrameBox(int control, int x, int y, int width, int height, std::string_view caption) {
    return CreateControl(control, ControlKind::kFrameBox, L"Button", x, y, width, height, caption,
                         kChildStyle | BS_GROUPBOX, 0);
}

int SetControlColour(int control, int attribute, COLORREF colour) {
    ControlEntry* entry = ControlTable().Find(control);
    if (entry == nullptr || entry->handle == nullptr) {
        return 0;
    }
    if (attribute == kTextColourAttribute) {
        entry->text_colour = colour;
    } else if (attribute == kBackgroundColourAttribute) {
        ReleaseBackground(*entry);
        if (colour != kNoColour) {
            entry->background = colour;
            entry->background_brush = SharedBackgroundBrushes().Acquire(colour);
        }
    }
    return RedrawWindow(entry->handle, nullptr, nullptr,
                        RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE);
}

void LimitFieldLength(HWND field, int maximum) {
    SendMessageW(field, EM_LIMITTEXT, static_cast<WPARAM>(maximum), 0);
}

std::optional<LRESULT> AnswerColourQuery(HWND control, UINT message, HDC dc) {
    const int number = KnownControlNumber(control);
    if (number < 0) {
        return std::nullopt;
    }
    const ControlEntry& entry = *ControlTable().Find(number);
    switch (entry.kind) {
        case ControlKind::kTextLabel:
            if (message == WM_CTLCOLORSTATIC) {
                return AnswerColour(entry, dc, COLOR_BTNFACE);
            }
            break;
        case ControlKind::kEditField:
            // A read-only field asks with WM_CTLCOLORSTATIC; a disabled one is left to the
            // defaults.
            if (message == WM_CTLCOLOREDIT ||
                (message == WM_CTLCOLORSTATIC && IsWindowEnabled(control))) {
                return AnswerColour(entry, dc, COLOR_BTNHIGHLIGHT);
            }
            break;
        case ControlKind::kFrameBox:
            break;
    }
    return std::nullopt;
}

}  // namespace trinumero

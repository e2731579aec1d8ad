#include "ui/window/app_window.h"

#include <cstdint>
#include <string>

#include "support/digits.h"
#include "support/wide_text_win32.h"
#include "ui/events/event_model.h"
#include "ui/look/colour_scheme.h"
#include "ui/scale/display_scale.h"
#include "ui/scale/window_dpi.h"
#include "ui/tables/window_tables.h"
#include "ui/window/window_procedure.h"

namespace trinumero {

namespace {

constexpr WORD kIconResource = 1;

// "WindowClass_" and the window number as "%ld" writes it.
std::wstring ClassNameOf(int window) {
    std::wstring name = L"WindowClass_";
    if (window < 0) {
        name.push_back(L'-');
    }
    const auto number = static_cast<std::uint32_t>(window);
    AppendDigits(name, window < 0 ? 0u - number : number, 10);
    return name;
}

void RegisterWindowClass(const std::wstring& class_name) {
    WNDCLASSW window_class{};
    window_class.style = CS_DBLCLKS;
    window_class.lpfnWndProc = MainWindowProcedure;
    window_class.hInstance = ModuleInstance();
    window_class.hIcon = LoadIconW(ModuleInstance(), MAKEINTRESOURCEW(kIconResource));
    window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    window_class.lpszClassName = class_name.c_str();
    // Registering again for a window number used before is harmless; the result is not needed.
    RegisterClassW(&window_class);
}

}  // namespace

HWND CreateAppWindow(int window, int x, int y, int client_width, int client_height,
                     std::string_view title, DWORD flags) {
    WindowEntry* entry = WindowTable().FindOrCreate(window);
    if (entry == nullptr) {
        return nullptr;
    }
    const std::wstring class_name = ClassNameOf(window);
    RegisterWindowClass(class_name);

    DWORD style = flags;
    if ((flags & ~(kWindowOwnBits | WS_VISIBLE)) == 0) {
        style |= WS_CAPTION;
    }
    const bool show = (style & WS_VISIBLE) == 0;
    style &= ~(WS_VISIBLE | kWindowOwnBits);

    // The window is created at the system's DPI; no menu bar is counted, so one attached later
    // takes its rows out of the client area.
    const UINT system_dpi = SystemDpi();
    const RECT outer = OuterRectForClient(ScaleToDpi(client_width, system_dpi),
                                          ScaleToDpi(client_height, system_dpi), style, system_dpi);
    int outer_width = outer.right - outer.left;
    int outer_height = outer.bottom - outer.top;
    if ((flags & kWindowFlagCentred) != 0) {
        const int screen_width = GetSystemMetrics(SM_CXSCREEN);
        const int screen_height = GetSystemMetrics(SM_CYSCREEN);
        if (outer_width > screen_width) {
            outer_width = screen_width;
        }
        if (outer_height > screen_height) {
            outer_height = screen_height;
        }
        x = (screen_width - outer_width) / 2;
        y = (screen_height - outer_height) / 2;
    }

    const std::wstring wide_title = WideFromCp1251(title);
    HWND handle =
        CreateWindowExW(0, class_name.c_str(), wide_title.c_str(), style, x, y, outer_width,
                        outer_height, nullptr, nullptr, ModuleInstance(), nullptr);
    if (handle == nullptr) {
        UnregisterClassW(class_name.c_str(), ModuleInstance());
        WindowTable().Free(window);
        return nullptr;
    }
    entry->handle = handle;
    SetPropW(handle, kWindowNumberProperty,
             reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(window) + 1));
    StartColourScheme(*entry);
    // On a monitor whose DPI is not the system's, the window is sized for its own DPI at once,
    // about the same centre.
    const UINT dpi = WindowDpi(handle);
    if (dpi != system_dpi) {
        const RECT fitted = OuterRectForClient(ScaleToDpi(client_width, dpi),
                                               ScaleToDpi(client_height, dpi), style, dpi);
        const int fitted_width = fitted.right - fitted.left;
        const int fitted_height = fitted.bottom - fitted.top;
        SetWindowPos(handle, nullptr, x + (outer_width - fitted_width) / 2,
                     y + (outer_height - fitted_height) / 2, fitted_width, fitted_height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetWindowDpi(*entry, dpi);

    if (show) {
        ShowWindow(handle, (style & WS_MAXIMIZE) != 0 ? SW_MAXIMIZE : SW_SHOWNORMAL);
    }

    entry->accelerator_entries[0] = ACCEL{FVIRTKEY | FNOINVERT, VK_TAB, kCommandFocusForward};
    entry->accelerator_entries[1] =
        ACCEL{FVIRTKEY | FNOINVERT | FSHIFT, VK_TAB, kCommandFocusBackward};
    entry->accelerators = CreateAcceleratorTableW(entry->accelerator_entries, 2);
    return handle;
}

int SetWindowHidden(int window, int hidden) {
    HWND handle = WindowHandle(window);
    if (handle == nullptr) {
        return 0;
    }
    if (hidden != 0) {
        if (HWND owner = GetWindow(handle, GW_OWNER)) {
            SetActiveWindow(owner);
        }
        return ShowWindow(handle, SW_HIDE);
    }
    return ShowWindow(handle, IsZoomed(handle) ? SW_MAXIMIZE : SW_SHOWNORMAL);
}

int SetOnTop(int window, int on_top) {
    HWND handle = WindowHandle(window);
    if (handle == nullptr) {
        return 0;
    }
    return SetWindowPos(handle, on_top != 0 ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                        SWP_NOMOVE | SWP_NOSIZE);
}

void DestroyAppWindow(int window) {
    WindowEntry* entry = WindowTable().Find(window);
    if (entry == nullptr) {
        return;
    }
    if (entry->handle != nullptr) {
        RemovePropW(entry->handle, kWindowNumberProperty);
        DestroyWindow(entry->handle);
        EndColourScheme(*entry);
        // The window's menu bar went with it.
        MenuTable().ForEach([&](int number, MenuEntry& menu) {
            if (menu.window == entry->handle) {
                MenuTable().Free(number);
            }
        });
        if (CurrentMenuBuilder().window == entry->handle) {
            CurrentMenuBuilder() = MenuBuilder{};
        }
        if (CurrentControlParent().window == entry->handle) {
            CurrentControlParent().window = nullptr;
        }
    }
    UnregisterClassW(ClassNameOf(window).c_str(), ModuleInstance());
    if (entry->accelerators != nullptr) {
        DestroyAcceleratorTable(entry->accelerators);
    }
    WindowTable().Free(window);
}

void DestroyAllWindows() {
    WindowTable().ForEach([](int number, WindowEntry&) { DestroyAppWindow(number); });
}

}  // namespace trinumero

// The floor for start-up time: the main window as the user sees it at start (its class,
// style, size and place, its eight controls with their font and typing limits, its menu,
// and the program's manifest and icon) made with plain platform calls, and nothing else:
// no settings, no event model, no conversion, no highlight, no keyboard layout switch.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "support/wide_text_win32.h"
#include "ui/window/main_window_layout.h"

namespace {

using trinumero::ControlKind;
using trinumero::WideFromCp1251;

LRESULT CALLBACK BareWindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

HWND CreateBareWindow(HINSTANCE instance) {
    const trinumero::WindowLayout& layout = trinumero::kMainWindowLayout;
    WNDCLASSW window_class{};
    window_class.style = CS_DBLCLKS;
    window_class.lpfnWndProc = BareWindowProcedure;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    window_class.lpszClassName = L"WindowClass_0";
    RegisterClassW(&window_class);

    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT outer{0, 0, layout.client_width, layout.client_height};
    AdjustWindowRect(&outer, style, FALSE);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    const std::wstring title = WideFromCp1251(layout.title);
    return CreateWindowExW(0, L"WindowClass_0", title.c_str(), style,
                           (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                           (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr,
                           nullptr, instance, nullptr);
}

void AddControls(HWND window, HINSTANCE instance) {
    const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    for (const trinumero::ControlLayout& control : trinumero::kMainWindowControls) {
        DWORD style = WS_CHILD | WS_VISIBLE | WS_GROUP;
        DWORD extended_style = 0;
        const wchar_t* class_name = L"Static";
        switch (control.kind) {
            case ControlKind::kEditField:
                class_name = L"Edit";
                style |= control.flags | WS_TABSTOP | ES_AUTOHSCROLL;
                extended_style = WS_EX_CLIENTEDGE;
                break;
            case ControlKind::kTextLabel:
                style |= control.flags;
                break;
            case ControlKind::kFrameBox:
                class_name = L"Button";
                style |= BS_GROUPBOX;
                break;
        }
        const std::wstring text = WideFromCp1251(control.text);
        HWND made = CreateWindowExW(extended_style, class_name, text.c_str(), style, control.x,
                                    control.y, control.width, control.height, window,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.number)),
                                    instance, nullptr);
        SendMessageW(made, WM_SETFONT, font, 1);
    }
    for (const trinumero::FieldLimit& limit : trinumero::kFieldLimits) {
        SendMessageW(GetDlgItem(window, limit.number), EM_LIMITTEXT,
                     static_cast<WPARAM>(limit.maximum), 0);
    }
}

void AddMenu(HWND window) {
    const trinumero::MenuLayout& layout = trinumero::kMainMenuLayout;
    HMENU bar = CreateMenu();
    HMENU drop_down = CreateMenu();
    const std::wstring title = WideFromCp1251(layout.title);
    const std::wstring item = WideFromCp1251(layout.item_text);
    AppendMenuW(drop_down, MF_STRING, static_cast<UINT_PTR>(layout.item), item.c_str());
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(drop_down), title.c_str());
    SetMenu(window, bar);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    InitCommonControls();
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES;
    InitCommonControlsEx(&controls);

    HWND window = CreateBareWindow(instance);
    if (window == nullptr) {
        return 1;
    }
    AddControls(window, instance);
    AddMenu(window);
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ShowWindow(window, SW_SHOWNORMAL);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

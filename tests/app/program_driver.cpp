#include "tests/app/program_driver.h"

#include <chrono>
#include <thread>

#include "tests/kit/temp_redirect_win32.h"
#include "tests/kit/windows_win32.h"

#ifndef TRINUMERO_EXE
#error "TRINUMERO_EXE must name the program under test"
#endif

namespace trinumero::testing {
namespace {

using namespace std::chrono_literals;

std::wstring WideFromUtf8(const std::string& text) {
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

}  // namespace

// CMake gives the program's path as the build machine sees it; under Wine a Unix path is
// reached through drive Z:.
std::wstring ProgramPath() {
    std::wstring path = WideFromUtf8(TRINUMERO_EXE);
    if (!path.empty() && path[0] == L'/') {
        path = L"Z:" + path;
    }
    for (wchar_t& c : path) {
        if (c == L'/') {
            c = L'\\';
        }
    }
    return path;
}

namespace {

void SendKey(WORD virtual_key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtual_key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtual_key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

// The program inherits TMP and TEMP as they are while it starts.
StartedProcess StartWithTemp(const std::wstring& temp_directory) {
    const TempRedirect redirect(temp_directory);
    const std::wstring path = ProgramPath();
    return StartedProcess(L"\"" + path + L"\"", path);
}

}  // namespace

ProgramDriver::ProgramDriver(const std::wstring& temp_directory)
    : process_(StartWithTemp(temp_directory)) {}

bool ProgramDriver::DismissMessageBox(ShownMessage& message, DWORD timeout_ms) {
    HWND box = nullptr;
    if (!WaitUntil([&] { return (box = FindVisibleWindow(ProcessId(), L"#32770")) != nullptr; },
                   timeout_ms)) {
        return false;
    }
    message.caption = TextOf(box);
    message.text = TextOf(GetDlgItem(box, 0xFFFF));
    PressOk(box);
    return WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, timeout_ms);
}

bool ProgramDriver::WaitForMainWindow(DWORD timeout_ms) {
    return WaitUntil(
        [&] { return (window_ = FindVisibleWindow(ProcessId(), L"WindowClass_0")) != nullptr; },
        timeout_ms);
}

HWND ProgramDriver::Field(int control) const {
    return GetDlgItem(window_, control);
}

std::wstring ProgramDriver::FieldText(int control) const {
    return TextOf(Field(control));
}

bool ProgramDriver::IsTopmost() const {
    return (GetWindowLongPtrW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

void ProgramDriver::ClickField(int control) {
    SetForegroundWindow(window_);
    RECT rect{};
    GetWindowRect(Field(control), &rect);
    const int x = (rect.left + rect.right) / 2;
    const int y = (rect.top + rect.bottom) / 2;
    const int screen_width = GetSystemMetrics(SM_CXSCREEN);
    const int screen_height = GetSystemMetrics(SM_CYSCREEN);
    INPUT inputs[3] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
        input.mi.dx = x * 65535 / (screen_width - 1);
        input.mi.dy = y * 65535 / (screen_height - 1);
        input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    }
    inputs[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    SendInput(3, inputs, sizeof(INPUT));
    WaitUntil([&] { return GetForegroundWindow() == window_; }, 2000);
    Settle();
}

void ProgramDriver::PressKey(WORD virtual_key, bool with_control) {
    if (with_control) {
        SendKey(VK_CONTROL, false);
    }
    SendKey(virtual_key, false);
    SendKey(virtual_key, true);
    if (with_control) {
        SendKey(VK_CONTROL, true);
    }
}

void ProgramDriver::TypeKeys(const std::wstring& keys) {
    for (const wchar_t key : keys) {
        // At a fast typist's pace: Wine drops hardware keys that pile up faster than that.
        std::this_thread::sleep_for(30ms);
        if (key == L'\b') {
            PressKey(VK_BACK);
        } else if (key == L'-') {
            PressKey(VK_OEM_MINUS);
        } else if (key >= L'a' && key <= L'z') {
            PressKey(static_cast<WORD>(key - L'a' + 'A'));
        } else if (key >= L'A' && key <= L'Z') {
            SendKey(VK_SHIFT, false);
            PressKey(static_cast<WORD>(key));
            SendKey(VK_SHIFT, true);
        } else {
            PressKey(static_cast<WORD>(key));
        }
    }
}

void ProgramDriver::ChooseOnTopItem() {
    SetForegroundWindow(window_);
    // Each key waits for what the one before it brought, however slowly the program runs (in an
    // emulated machine, several times as slowly as here).
    const DWORD thread = GetWindowThreadProcessId(window_, nullptr);
    const auto in_menu = [thread] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(thread, &info) && (info.flags & GUI_INMENUMODE) != 0;
    };
    PressKey(VK_F10);
    WaitUntil(in_menu, 5000);
    PressKey(VK_DOWN);
    WaitUntil([&] { return FindVisibleWindow(ProcessId(), L"#32768") != nullptr; }, 5000);
    PressKey(VK_RETURN);
    WaitUntil([&] { return !in_menu(); }, 5000);
    Settle();
}

void ProgramDriver::PostOnTopToggle() {
    constexpr WPARAM kOnTopItem = 1;
    PostMessageW(window_, WM_COMMAND, kOnTopItem, 0);
}

void ProgramDriver::Settle() {
    // Input reaches the program through the server asynchronously; give it time, then
    // make sure its thread has come back to its message loop.
    std::this_thread::sleep_for(150ms);
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
}

COLORREF ProgramDriver::ClientPixel(int x, int y) const {
    POINT point{x, y};
    ClientToScreen(window_, &point);
    return GetPixel(WindowDc(nullptr).Get(), point.x, point.y);
}

DWORD ProgramDriver::Close() {
    PostMessageW(window_, WM_CLOSE, 0, 0);
    return process_.WaitForExit(10000).value_or(STILL_ACTIVE);
}

}  // namespace trinumero::testing

#include "tests/app/program_driver.h"

#include <chrono>
#include <thread>

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

// This process's environment with TMP and TEMP replaced.
std::wstring EnvironmentWithTemp(const std::wstring& directory) {
    std::wstring block;
    wchar_t* strings = GetEnvironmentStringsW();
    for (const wchar_t* entry = strings; *entry != L'\0'; entry += wcslen(entry) + 1) {
        const std::wstring line(entry);
        if (_wcsnicmp(line.c_str(), L"TMP=", 4) == 0 || _wcsnicmp(line.c_str(), L"TEMP=", 5) == 0) {
            continue;
        }
        block += line;
        block.push_back(L'\0');
    }
    FreeEnvironmentStringsW(strings);
    for (const wchar_t* name : {L"TMP=", L"TEMP="}) {
        block += name + directory;
        block.push_back(L'\0');
    }
    block.push_back(L'\0');
    return block;
}

// GetWindowText on another process's control returns its creation caption, not what was
// typed since: the text has to be asked for with WM_GETTEXT.
std::wstring TextOf(HWND window) {
    const auto length = static_cast<std::size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(length + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

void SendKey(WORD virtual_key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtual_key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtual_key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

}  // namespace

ProgramDriver::ProgramDriver(const std::wstring& temp_directory) {
    std::wstring environment = EnvironmentWithTemp(temp_directory);
    std::wstring path = ProgramPath();
    std::wstring command_line = L"\"" + path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(path.c_str(), command_line.data(), nullptr, nullptr, FALSE,
                        CREATE_UNICODE_ENVIRONMENT, environment.data(), nullptr, &startup,
                        &process_)) {
        exited_ = true;
    }
}

ProgramDriver::~ProgramDriver() {
    if (!exited_ && process_.hProcess != nullptr) {
        TerminateProcess(process_.hProcess, 99);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    if (process_.hProcess != nullptr) {
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
}

bool ProgramDriver::DismissMessageBox(ShownMessage& message, DWORD timeout_ms) {
    HWND box = nullptr;
    if (!WaitUntil([&] { return (box = FindVisibleWindow(ProcessId(), L"#32770")) != nullptr; },
                   timeout_ms)) {
        return false;
    }
    message.caption = TextOf(box);
    message.text = TextOf(GetDlgItem(box, 0xFFFF));
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
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
    PressKey(VK_F10);
    std::this_thread::sleep_for(100ms);
    PressKey(VK_DOWN);
    std::this_thread::sleep_for(100ms);
    PressKey(VK_RETURN);
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
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

DWORD ProgramDriver::Close() {
    PostMessageW(window_, WM_CLOSE, 0, 0);
    DWORD code = 259;
    if (WaitForSingleObject(process_.hProcess, 10000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process_.hProcess, &code);
        exited_ = true;
    }
    return code;
}

}  // namespace trinumero::testing

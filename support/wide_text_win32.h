#pragma once

// The program's texts are Windows-1251 bytes. The platform gets them through the
// wide-character functions after an explicit conversion, so that they read right
// whatever the system's ANSI code page is.

#include <windows.h>

#include <string>
#include <string_view>

namespace trinumero {

inline constexpr unsigned kRussianCodePage = 1251;

// Windows-1251 bytes to UTF-16.
std::wstring WideFromCp1251(std::string_view text);

// The window's whole text (GetWindowTextW); empty for a window that is gone.
std::wstring WindowText(HWND window);

}  // namespace trinumero

#pragma once

// The program's texts are Windows-1251 bytes. The platform gets them through the
// wide-character functions after an explicit conversion, so that they read right
// whatever the system's ANSI code page is.

#include <string>
#include <string_view>

namespace trinumero {

inline constexpr unsigned kRussianCodePage = 1251;

// Windows-1251 bytes to UTF-16.
std::wstring WideFromCp1251(std::string_view text);

}  // namespace trinumero

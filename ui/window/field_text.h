#pragma once

// A control's whole text as Windows-1251 bytes, one byte for each UTF-16 unit of the
// control, so character positions (caret, selection) stay the same in both. A character
// Windows-1251 lacks reads as the byte 0x98 (unassigned there): never a digit or letter,
// and never below 128, so the field check rejects it like any other foreign character.

#include <windows.h>

#include <string>
#include <string_view>

namespace trinumero {

inline constexpr char kForeignCharByte = '\x98';

std::string GetControlText1251(HWND control);

// Replaces the control's whole text. Non-zero on success.
int SetControlText1251(HWND control, std::string_view text);

// The conversion per UTF-16 unit behind GetControlText1251.
std::string Cp1251PerUnit(std::wstring_view text);

}  // namespace trinumero

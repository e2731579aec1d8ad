#include "ui/window/field_text.h"

#include <array>

#include "support/wide_text_win32.h"

namespace trinumero {

namespace {

// UTF-16 unit of each Windows-1251 byte from 128 up.
const std::array<wchar_t, 128>& UpperHalf() {
    static const std::array<wchar_t, 128> table = [] {
        std::array<wchar_t, 128> units{};
        for (std::size_t i = 0; i < units.size(); ++i) {
            const char byte = static_cast<char>(0x80 + i);
            const std::wstring wide = WideFromCp1251(std::string_view(&byte, 1));
            units[i] = wide.size() == 1 ? wide[0] : L'\0';
        }
        return units;
    }();
    return table;
}

}  // namespace

std::string Cp1251PerUnit(std::wstring_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    const auto& upper = UpperHalf();
    for (const wchar_t unit : text) {
        if (unit < 0x80) {
            bytes.push_back(static_cast<char>(unit));
            continue;
        }
        char byte = kForeignCharByte;
        for (std::size_t i = 0; i < upper.size(); ++i) {
            if (upper[i] == unit) {
                byte = static_cast<char>(0x80 + i);
                break;
            }
        }
        bytes.push_back(byte);
    }
    return bytes;
}

std::string GetControlText1251(HWND control) {
    return Cp1251PerUnit(WindowText(control));
}

int SetControlText1251(HWND control, std::string_view text) {
    const std::wstring wide = WideFromCp1251(text);
    return SetWindowTextW(control, wide.c_str());
}

}  // namespace trinumero

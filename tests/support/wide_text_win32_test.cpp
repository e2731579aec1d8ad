// The Russian texts reach the platform as UTF-16, whatever the ANSI code page.
#include "support/wide_text_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

using trinumero::WideFromCp1251;

TEST(WideText, TestsRunUnderAWesternAnsiCodePage) {
    // The runner fixes a Western locale so that no test passes by a lucky code page.
    EXPECT_NE(GetACP(), 1251u);
}

TEST(WideText, ConvertsWindows1251ToUtf16) {
    struct Case {
        const char* narrow;
        const wchar_t* wide;
    };
    const Case cases[] = {
        {"", L""},
        {"0x1F", L"0x1F"},
        {"Настройки", L"\u041D\u0430\u0441\u0442\u0440\u043E\u0439\u043A\u0438"},
        {"\x97", L"\u2014"},
        {"\xA8\xB8", L"\u0401\u0451"},
        {"\xC0\xFF", L"\u0410\u044F"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WideFromCp1251(c.narrow), std::wstring(c.wide)) << c.narrow;
    }
}

}  // namespace

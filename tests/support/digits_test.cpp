#include "support/digits.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

TEST(AppendDigits, WritesTheValueInItsBaseAfterWhatIsThere) {
    struct Case {
        std::uint32_t value;
        unsigned base;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {0, 10, L"x0"},
        {7, 10, L"x7"},
        {4294967295u, 10, L"x4294967295"},
        {0x1a2b, 16, L"x1a2b"},
        {0x100, 16, L"x100"},
        {4294967295u, 16, L"xffffffff"},
        {5, 2, L"x101"},
        {4294967295u, 2, L"x11111111111111111111111111111111"},
    };
    for (const Case& c : cases) {
        std::wstring text = L"x";
        trinumero::AppendDigits(text, c.value, c.base);
        EXPECT_EQ(text, c.expected) << c.value << " base " << c.base;
    }
}

}  // namespace

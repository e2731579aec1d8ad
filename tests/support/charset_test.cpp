// The program's narrow literals are compiled to Windows-1251 bytes from UTF-8 sources.
#include <gtest/gtest.h>

#include <string>

#include "support/charset_check.h"
#include "tests/kit/settings_line.h"

namespace {

TEST(Charset, NarrowLiteralsAreWindows1251Bytes) {
    EXPECT_EQ(std::string("Поверх остальных окон"), trinumero::testing::kOnTopKey);
    // The em dash has its own byte in Windows-1251.
    EXPECT_EQ(std::string("—"), std::string("\x97"));
    EXPECT_EQ(std::string("Ё"), std::string("\xA8"));
    EXPECT_EQ(std::string("я"), std::string("\xFF"));
}

}  // namespace

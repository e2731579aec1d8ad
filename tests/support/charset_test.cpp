// The program's narrow literals are compiled to Windows-1251 bytes from UTF-8 sources.
#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Charset, NarrowLiteralsAreWindows1251Bytes) {
    const std::string key = "Поверх остальных окон";
    const std::string expected =
        "\xCF\xEE\xE2\xE5\xF0\xF5\x20\xEE\xF1\xF2\xE0\xEB\xFC\xED\xFB\xF5\x20\xEE\xEA\xEE\xED";
    EXPECT_EQ(key, expected);
    EXPECT_EQ(key.size(), 21u);
    // The em dash has its own byte in Windows-1251.
    EXPECT_EQ(std::string("—"), std::string("\x97"));
    EXPECT_EQ(std::string("Ё"), std::string("\xA8"));
    EXPECT_EQ(std::string("я"), std::string("\xFF"));
}

}  // namespace

#include "engine/text_ops.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace trinumero;

TEST(TextOps, LengthAndFirstCharCodeReadBytesAsUnsigned) {
    EXPECT_EQ(TextLength(""), 0);
    EXPECT_EQ(TextLength("\xC0\xC1 "), 3);
    EXPECT_EQ(FirstCharCode(""), 0);
    EXPECT_EQ(FirstCharCode("$1"), 36);
    EXPECT_EQ(FirstCharCode("\xFF"), 255);
}

TEST(TextOps, MidTextClampsStartAndCount) {
    struct Case {
        int start;
        int count;
        const char* expected;
    };
    const Case cases[] = {
        {1, 2, "ab"}, {0, 1, "a"}, {-5, 2, "ab"}, {3, 10, "cd"}, {4, 1, "d"},
        {5, 1, ""},   {99, 1, ""}, {2, 0, ""},    {2, -3, ""},   {2, 2, "bc"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MidText("abcd", c.start, c.count), c.expected) << c.start << "," << c.count;
    }
}

TEST(TextOps, CaseFoldingTouchesOnlyAsciiLetters) {
    EXPECT_EQ(ToLowerText("AZ09az[@`\xC0"), "az09az[@`\xC0");
}

TEST(TextOps, TrimSpacesRemovesOnlySpacesAtTheEnds) {
    EXPECT_EQ(TrimSpaces("  a b  "), "a b");
    EXPECT_EQ(TrimSpaces("\t a \t"), "\t a \t");
    EXPECT_EQ(TrimSpaces("    "), "");
    EXPECT_EQ(TrimSpaces(""), "");
}

}  // namespace

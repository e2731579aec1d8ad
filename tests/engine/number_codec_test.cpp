#include "engine/number_codec.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "reference_codec.h"

namespace {

using trinumero::FormatBin;
using trinumero::FormatDec;
using trinumero::FormatHex;
using trinumero::ParseBinText;
using trinumero::ParseDecText;
using trinumero::ParseHexText;
using trinumero::Value;

constexpr Value kMax = std::numeric_limits<Value>::max();
constexpr Value kSevenBytes = (Value{1} << 56) - 1;

struct ParseCase {
    std::string text;
    Value expected;
};

TEST(ParseHexText, ReadsDigitsLeadInsBlanksAndStopsAtTheFirstStranger) {
    const std::vector<ParseCase> cases = {
        {"", 0},
        {"$", 0},
        {"$$1", 0},  // the second '$' ends the scan after one shift of 0
        {"  $ 1f ", 31},
        {"ff", 255},
        {"FF", 255},
        {"fF", 255},
        {"FF ", 255},
        {"FF\t", 4080},  // a tab is not trimmed and counts as a digit 0
        {"1G2", 16},
        {"12 34", 288},
        {"1F$", 496},
        {std::string(14, 'F'), kSevenBytes},
        {"1" + std::string(16, '0'), 0},  // the 1 is shifted out
        {std::string(16, 'F'), kMax},
        {"   ", 0},
        {"\xC0", 0},
        {"A\xC0", 0xA0},
        {"0x1F", 0},  // 'x' ends the scan after the 0
    };
    for (const ParseCase& c : cases) {
        EXPECT_EQ(ParseHexText(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(ParseBinText, ReadsDigitsLeadInsBlanksAndStopsAtTheFirstStranger) {
    const std::vector<ParseCase> cases = {
        {"", 0},
        {"%", 0},
        {"%101", 5},
        {" % 11 ", 3},
        {"102", 4},
        {"1 1", 2},
        {std::string(56, '1'), kSevenBytes},
        {std::string(65, '1'), kMax},
        {"1" + std::string(64, '0'), 0},
        {"%%1", 0},
        {"11\t", 6},
    };
    for (const ParseCase& c : cases) {
        EXPECT_EQ(ParseBinText(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(ParseDecText, ReadsBlanksOneSignAndWrapsModulo2To64) {
    const std::vector<ParseCase> cases = {
        {"", 0},
        {"  +42abc", 42},
        {"\t7", 7},
        {"- 5", 0},
        {"--5", 0},
        {"+-5", 0},
        {"-5", kMax - 4},
        {"-0", 0},
        {"-", 0},
        {"18446744073709551615", kMax},
        {"18446744073709551616", 0},
        {"18446744073709551617", 1},
        {"99999999999999999", 99999999999999999ull},
        {"12 34", 12},
        {" \t -1", kMax},
        {"7 ", 7},
        {"\xB9"
         "5",
         0},  // bytes from 128 up are never digits
        {"-9223372036854775808", Value{1} << 63},
    };
    for (const ParseCase& c : cases) {
        EXPECT_EQ(ParseDecText(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(FormatNumbers, WriteEachSystemWithoutLeadingZeros) {
    struct Case {
        Value value;
        const char* hex;
        const char* dec;
        const char* bin;
    };
    const std::string sixty_one_ones_then_011 = std::string(61, '1') + "011";
    const std::vector<Case> cases = {
        {0, "0", "0", "0"},
        {1, "1", "1", "1"},
        {255, "FF", "255", "11111111"},
        {Value{1} << 32, "100000000", "4294967296", nullptr},
        {kSevenBytes, "FFFFFFFFFFFFFF", "72057594037927935", nullptr},
        {99999999999999999ull, "16345785D89FFFF", "99999999999999999", nullptr},
        {(Value{1} << 63) - 1, "7FFFFFFFFFFFFFFF", "9223372036854775807", nullptr},
        {Value{1} << 63, "8000000000000000", "-9223372036854775808", nullptr},
        {kMax, "FFFFFFFFFFFFFFFF", "-1", nullptr},
        {kMax - 4, "FFFFFFFFFFFFFFFB", "-5", sixty_one_ones_then_011.c_str()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatHex(c.value).View(), c.hex) << c.value;
        EXPECT_EQ(FormatDec(c.value).View(), c.dec) << c.value;
        if (c.bin != nullptr) {
            EXPECT_EQ(FormatBin(c.value).View(), c.bin) << c.value;
        }
    }
    EXPECT_EQ(FormatBin(Value{1} << 32).View(), "1" + std::string(32, '0'));
    EXPECT_EQ(FormatBin(99999999999999999ull).Size(), 57u);
    EXPECT_EQ(FormatBin(kMax).View(), std::string(64, '1'));
}

std::vector<Value> BoundaryValues() {
    std::vector<Value> values = {0, 1, 2, kSevenBytes, (Value{1} << 63) - 1, Value{1} << 63, kMax};
    for (int bit = 0; bit < 64; ++bit) {
        const Value power = Value{1} << bit;
        values.insert(values.end(), {power - 1, power, power + 1});
    }
    std::mt19937_64 random(20261207);
    for (int i = 0; i < 20000; ++i) {
        // Mix full-width values with short ones, which are what users mostly type.
        const Value v = random();
        values.push_back(i % 2 == 0 ? v : v >> (random() % 64));
    }
    return values;
}

TEST(NumberCodec, EveryFormatParsesBackToItsValue) {
    for (const Value v : BoundaryValues()) {
        ASSERT_EQ(ParseHexText(FormatHex(v)), v) << FormatHex(v).View();
        ASSERT_EQ(ParseDecText(FormatDec(v)), v) << FormatDec(v).View();
        ASSERT_EQ(ParseBinText(FormatBin(v)), v) << FormatBin(v).View();
    }
}

TEST(NumberCodec, FormatsAgreeWithTheReferenceModel) {
    for (const Value v : BoundaryValues()) {
        ASSERT_EQ(FormatHex(v).View(), reference::FormatHex(v));
        ASSERT_EQ(FormatDec(v).View(), reference::FormatDec(v));
        ASSERT_EQ(FormatBin(v).View(), reference::FormatBin(v));
    }
}

// Random texts over everything that matters to a parser: digits of every base, letters
// of both cases inside and outside the alphabets, blanks, signs, lead-ins, upper-half bytes.
std::string RandomText(std::mt19937_64& random) {
    static const std::string kPieces = "0123456789abcdefABCDEFgGzZxX \t+-$%\x80\xB9\xC0\xE0\xFF.";
    const auto length = static_cast<std::size_t>(random() % 28);
    std::string text;
    for (std::size_t i = 0; i < length; ++i) {
        // Runs of blanks and lead-ins at the start are where the rules are subtle.
        if (i < 3 && random() % 3 == 0) {
            text += " \t$%+-"[random() % 6];
        } else {
            text += kPieces[random() % kPieces.size()];
        }
    }
    return text;
}

TEST(NumberCodec, ParsersAgreeWithTheReferenceModelOnRandomTexts) {
    std::mt19937_64 random(7);
    for (int i = 0; i < 200000; ++i) {
        const std::string text = RandomText(random);
        ASSERT_EQ(ParseHexText(text), reference::ParseHex(text)) << '"' << text << '"';
        ASSERT_EQ(ParseDecText(text), reference::ParseDec(text)) << '"' << text << '"';
        ASSERT_EQ(ParseBinText(text), reference::ParseBin(text)) << '"' << text << '"';
    }
}

// Long runs of valid digits with the odd stranger: the texts users really produce, and
// the ones that take the parsers' fast paths for whole runs of digits.
std::string RandomDigitRun(std::mt19937_64& random, const std::string& alphabet) {
    static const std::string kStrangers =
        " \t$%+-gG\xC0\xFF"
        "2";
    const auto length = static_cast<std::size_t>(random() % 72);
    std::string text;
    for (std::size_t i = 0; i < length; ++i) {
        text += random() % 24 == 0 ? kStrangers[random() % kStrangers.size()]
                                   : alphabet[random() % alphabet.size()];
    }
    return text;
}

TEST(NumberCodec, ParsersAgreeWithTheReferenceModelOnLongDigitRuns) {
    std::mt19937_64 random(11);
    for (int i = 0; i < 50000; ++i) {
        const std::string bin = RandomDigitRun(random, "01");
        ASSERT_EQ(ParseBinText(bin), reference::ParseBin(bin)) << '"' << bin << '"';
        const std::string hex = RandomDigitRun(random, "0123456789abcdefABCDEF");
        ASSERT_EQ(ParseHexText(hex), reference::ParseHex(hex)) << '"' << hex << '"';
        const std::string dec = RandomDigitRun(random, "0123456789");
        ASSERT_EQ(ParseDecText(dec), reference::ParseDec(dec)) << '"' << dec << '"';
    }
}

}  // namespace

// Parsing, lookup, integer conversion and output of the settings file's text.
#include "settings/settings_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "support/charset_check.h"
#include "support/on_top_text.h"
#include "tests/kit/settings_line.h"

namespace {

using trinumero::BuildSettingsOutput;
using trinumero::FindSettingValue;
using trinumero::kPlainTextMode;
using trinumero::kUtf8TextMode;
using trinumero::ParseSettingsText;
using trinumero::PutSettingEntry;
using trinumero::SettingIntegerFromText;
using trinumero::SettingsEntryKind;
using trinumero::SettingsEntryList;
using trinumero::SettingsKeysEqual;
using trinumero::SettingTextFromInteger;
using trinumero::Utf8FromLatin1;

const std::string& kKey = trinumero::testing::kOnTopKey;

struct Entry {
    SettingsEntryKind kind;
    std::string text;
    std::string value;

    friend bool operator==(const Entry&, const Entry&) = default;
};

std::ostream& operator<<(std::ostream& out, const Entry& entry) {
    const char* kinds[] = {"section", "comment", "key"};
    return out << kinds[static_cast<int>(entry.kind)] << " [" << entry.text << "] [" << entry.value
               << "]";
}

std::vector<Entry> Parse(std::string_view text) {
    SettingsEntryList list;
    ParseSettingsText(text, list);
    std::vector<Entry> entries;
    for (const auto& entry : list) {
        entries.push_back({entry.Kind(), std::string(entry.Text()), std::string(entry.Value())});
    }
    return entries;
}

constexpr auto kSection = SettingsEntryKind::kSection;
constexpr auto kComment = SettingsEntryKind::kComment;
constexpr auto kKeyEntry = SettingsEntryKind::kKey;

TEST(SettingsTextParse, LinesGiveEntriesInOrder) {
    struct Case {
        std::string text;
        std::vector<Entry> expected;
    };
    const Case cases[] = {
        {"", {}},
        {"\r\n\n\r  \t \r\n", {}},
        {"a=1", {{kKeyEntry, "a", "1"}}},
        {" \tkey \t=\t 1 \t\r\n", {{kKeyEntry, "key", "1 \t"}}},
        {"key", {{kKeyEntry, "key", ""}}},
        {"key  \r\nnext=2", {{kKeyEntry, "key", ""}, {kKeyEntry, "next", "2"}}},
        {"=5", {{kKeyEntry, "", "5"}}},
        {"  = ", {{kKeyEntry, "", ""}}},
        {"a=b = c;d", {{kKeyEntry, "a", "b = c;d"}}},
        {"x;y=1", {{kKeyEntry, "x;y", "1"}}},
        {"k=[v]", {{kKeyEntry, "k", "[v]"}}},
        {"; comment", {{kComment, "comment", ""}}},
        {";  two", {{kComment, " two", ""}}},
        {";\ttab", {{kComment, "\ttab", ""}}},
        {"\t ;k=1", {{kComment, "k=1", ""}}},
        {";", {{kComment, "", ""}}},
        {"[ sec ] junk=1\nk=v", {{kSection, " sec ", ""}, {kKeyEntry, "k", "v"}}},
        {"[open\nk=v", {{kSection, "open", ""}, {kKeyEntry, "k", "v"}}},
        {"[]", {{kSection, "", ""}}},
        {"a=1\rb=2\nc=3\r\nd=4\n\r\n\re=5",
         {{kKeyEntry, "a", "1"},
          {kKeyEntry, "b", "2"},
          {kKeyEntry, "c", "3"},
          {kKeyEntry, "d", "4"},
          {kKeyEntry, "e", "5"}}},
        {std::string("a\0b=1\0x\r\n\0", 10),
         {{kKeyEntry, std::string("a\0b", 3), std::string("1\0x", 3)},
          {kKeyEntry, std::string("\0", 1), ""}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Parse(c.text), c.expected) << "text: " << c.text;
    }
}

TEST(SettingsTextParse, StopsAtTheEndOfTheGivenText) {
    // The bytes after the view must not be taken for part of the last line.
    const std::string buffer =
        "k=1"
        "2\nz=9";
    EXPECT_EQ(Parse(std::string_view(buffer).substr(0, 3)),
              (std::vector<Entry>{{kKeyEntry, "k", "1"}}));
    EXPECT_EQ(Parse(std::string_view(buffer).substr(0, 1)),
              (std::vector<Entry>{{kKeyEntry, "k", ""}}));
}

TEST(SettingsTextKeys, CompareAsciiLettersWithoutCaseOnly) {
    struct Case {
        std::string a;
        std::string b;
        bool equal;
    };
    const Case cases[] = {
        {"OnTop", "ontop", true},
        {"ONTOP", "onTop", true},
        {"", "", true},
        {"a", "", false},
        {"ab", "abc", false},
        {"[", "{", false},  // one case bit apart but not letters
        {"@", "`", false},
        {"^", "~", false},
        {kKey, kKey, true},
        {"П", "п", false},  // Cyrillic letters are compared as bytes
        {"\xC0", "\xE0", false},
        {std::string("a\0b", 3), std::string("A\0B", 3), true},
        {std::string("a\0b", 3), std::string("a\0c", 3), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SettingsKeysEqual(c.a, c.b), c.equal) << c.a << " / " << c.b;
    }
}

TEST(SettingsTextKeys, Latin1BytesBecomeTwoByteUtf8) {
    EXPECT_EQ(Utf8FromLatin1("abc"), "abc");
    EXPECT_EQ(Utf8FromLatin1("a\x80\xBF\xC0\xFF"), "a\xC2\x80\xC2\xBF\xC3\x80\xC3\xBF");
    EXPECT_EQ(Utf8FromLatin1("П"), "\xC3\x8F");
    EXPECT_EQ(Utf8FromLatin1(""), "");
}

TEST(SettingsTextLookup, FindsTheFirstKeyBeforeAnySection) {
    const std::string utf8_file_key = Utf8FromLatin1(kKey) + " = 1";
    // "Поверх остальных окон" as real UTF-8, as an editor would save it.
    const std::string real_utf8_file_key =
        "\xD0\x9F\xD0\xBE\xD0\xB2\xD0\xB5\xD1\x80\xD1\x85 \xD0\xBE\xD1\x81\xD1\x82\xD0\xB0\xD0\xBB"
        "\xD1\x8C\xD0\xBD\xD1\x8B\xD1\x85 \xD0\xBE\xD0\xBA\xD0\xBE\xD0\xBD=1";
    const std::string plain_file_key = kKey + "=1";
    struct Case {
        std::string text;
        int mode;
        std::string key;
        const char* value;  // nullptr: not found
    };
    const Case cases[] = {
        {"a=1\na=2", kPlainTextMode, "a", "1"},
        {"A=1\na=2", kPlainTextMode, "a", "1"},
        {"; a=0\na=1", kPlainTextMode, "a", "1"},
        {"[s]\na=1", kPlainTextMode, "a", nullptr},
        {"b=1\n[s]\na=1", kPlainTextMode, "a", nullptr},
        {"a=1\n[s]\na=2", kPlainTextMode, "a", "1"},
        {"ab=1", kPlainTextMode, "a", nullptr},
        {"=1", kPlainTextMode, "", "1"},
        {plain_file_key, kPlainTextMode, kKey, "1"},
        {"ПОВЕРХ ОСТАЛЬНЫХ ОКОН=1", kPlainTextMode, kKey, nullptr},
        {utf8_file_key, kUtf8TextMode, kKey, "1"},
        {utf8_file_key, kPlainTextMode, kKey, nullptr},
        {plain_file_key, kUtf8TextMode, kKey, nullptr},
        {real_utf8_file_key, kUtf8TextMode, kKey, nullptr},
        {real_utf8_file_key, kPlainTextMode, kKey, nullptr},
    };
    for (const Case& c : cases) {
        SettingsEntryList list;
        ParseSettingsText(c.text, list);
        const auto* found = FindSettingValue(list, c.mode, c.key);
        EXPECT_EQ(found == nullptr ? "(not found)" : std::string(found->Value()),
                  c.value == nullptr ? "(not found)" : c.value)
            << c.text << " in mode " << c.mode;
    }
}

TEST(SettingsTextInteger, ReadsAsAtoiDoes) {
    struct Case {
        std::string text;
        int value;
    };
    const Case cases[] = {
        {"", 0},
        {"word", 0},
        {"0x1", 0},
        {"-5", -5},
        {"12abc", 12},
        {"+1", 1},
        {"1", 1},
        {"7", 7},
        {"-1", -1},
        {"007", 7},
        {"-0", 0},
        {" \t\v\f\r\n42", 42},
        {"- 5", 0},
        {"+-1", 0},
        {"1 2", 1},
        {std::string("3\0"
                     "4",
                     3),
         3},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SettingIntegerFromText(c.text), c.value) << c.text;
    }
}

TEST(SettingsTextInteger, ValuesBeyondTheRangeSaturate) {
    struct Case {
        const char* text;
        int value;
    };
    const Case cases[] = {
        {"2147483648", INT_MAX},
        {"4294967296", INT_MAX},  // wraps to 0 when taken modulo 2^32
        {"99999999999999999999999999999999", INT_MAX},
        {"-2147483649", INT_MIN},
        {"-4294967296", INT_MIN},
        {"-99999999999999999999999999999999", INT_MIN},
        {"00000000000000000000000000000001", 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SettingIntegerFromText(c.text), c.value) << c.text;
    }
}

TEST(SettingsTextInteger, WritesAsPercentD) {
    EXPECT_EQ(SettingTextFromInteger(0), "0");
    EXPECT_EQ(SettingTextFromInteger(1), "1");
    EXPECT_EQ(SettingTextFromInteger(-1), "-1");
    EXPECT_EQ(SettingTextFromInteger(1234567), "1234567");
    EXPECT_EQ(SettingTextFromInteger(INT_MAX), "2147483647");
    EXPECT_EQ(SettingTextFromInteger(INT_MIN), "-2147483648");
}

// The program's own key, as it is compiled, gives the line byte for byte.
TEST(SettingsTextOutput, WritesTheOnTopLineByteForByte) {
    for (const int value : {0, 1}) {
        SettingsEntryList list;
        PutSettingEntry(list, trinumero::kOnTopText, SettingTextFromInteger(value));
        EXPECT_EQ(BuildSettingsOutput(list), trinumero::testing::OnTopLine(value));
    }
}

TEST(SettingsTextOutput, PutReplacesAnEqualKeyInPlace) {
    SettingsEntryList list;
    PutSettingEntry(list, "first", "1");
    PutSettingEntry(list, "second", "2");
    PutSettingEntry(list, "FIRST", "-3");
    PutSettingEntry(list, "third", "");
    EXPECT_EQ(BuildSettingsOutput(list), "FIRST = -3\r\nsecond = 2\r\nthird = \r\n");
}

TEST(SettingsTextOutput, OnlyKeyEntriesAreWritten) {
    SettingsEntryList list;
    EXPECT_EQ(BuildSettingsOutput(list), "");
    ParseSettingsText("; note\n[section]\nk = v \n", list);
    PutSettingEntry(list, "K", "w");
    PutSettingEntry(list, "n", "1");
    EXPECT_EQ(BuildSettingsOutput(list), "K = w\r\nn = 1\r\n");
}

TEST(SettingsTextOutput, PutCanReuseTheEntrysOwnTexts) {
    SettingsEntryList list;
    PutSettingEntry(list, "key", "value");
    const auto& entry = list.front();
    // The entry's own key and value given back to it must survive the replacement.
    PutSettingEntry(list, entry.Text(), entry.Value());
    EXPECT_EQ(BuildSettingsOutput(list), "key = value\r\n");
}

}  // namespace

// The controller driven the way a user types: each action that changes a field is
// followed by a conversion, as the main loop does for a contents-changed event.
#include "engine/conversion_controller.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/field_check.h"
#include "field_store.h"

namespace {

using trinumero::ConvertFromField;
using trinumero::kBinField;
using trinumero::kDecField;
using trinumero::kHexField;
using trinumero::testing::FieldStore;

class Conversion : public ::testing::Test {
  protected:
    // The program converts after every change of a field's contents.
    void Changed(bool changed, int field) {
        if (changed) {
            ConvertFromField(store_, field);
        }
    }
    void TypeText(int field, const std::string& text) {
        for (const char c : text) {
            Changed(store_.Type(field, c), field);
        }
    }
    void ExpectFields(const std::string& hex, const std::string& dec, const std::string& bin) {
        EXPECT_EQ(store_.Text(kHexField), hex);
        EXPECT_EQ(store_.Text(kDecField), dec);
        EXPECT_EQ(store_.Text(kBinField), bin);
    }

    FieldStore store_;
};

TEST_F(Conversion, TypingIntoEachFieldFillsTheOtherTwo) {
    TypeText(kHexField, "f");
    ExpectFields("F", "15", "1111");
    TypeText(kHexField, "f");
    ExpectFields("FF", "255", "11111111");

    TypeText(kDecField, "7");  // the caret stands at the start after the program's write
    ExpectFields("1C57", "7255", "1110001010111");

    Changed(store_.Paste(kBinField, "%"), kBinField);  // rejected, nothing converts
    store_.Select(kBinField, 0, 100);
    TypeText(kBinField, "101");
    ExpectFields("5", "5", "101");
    EXPECT_EQ(store_.Beeps(), 1);
}

TEST_F(Conversion, ARejectedCharacterIsSelectedBeepedAndConvertsNothing) {
    TypeText(kHexField, "5");
    TypeText(kHexField, "g");
    ExpectFields("5G", "5", "101");
    EXPECT_EQ(store_.Selection(kHexField).start, 1);
    EXPECT_EQ(store_.Selection(kHexField).end, 2);
    EXPECT_EQ(store_.Beeps(), 1);

    // The selected stranger is replaced by the next keystroke, which is tested in turn.
    TypeText(kHexField, "a");
    ExpectFields("5A", "90", "1011010");
    EXPECT_EQ(store_.Beeps(), 1);
}

TEST_F(Conversion, EachFieldRejectsWhatIsOutsideItsAlphabet) {
    struct Case {
        int field;
        char typed;
        bool rejected;
    };
    const std::vector<Case> cases = {
        {kHexField, 'a', false}, {kHexField, 'F', false},   {kHexField, '9', false},
        {kHexField, 'g', true},  {kHexField, 'G', true},    {kHexField, ' ', true},
        {kHexField, '$', true},  {kHexField, '\xE0', true}, {kDecField, '0', false},
        {kDecField, '9', false}, {kDecField, '-', true},    {kDecField, '+', true},
        {kDecField, ' ', true},  {kDecField, 'a', true},    {kBinField, '0', false},
        {kBinField, '1', false}, {kBinField, '2', true},    {kBinField, '%', true},
    };
    for (const Case& c : cases) {
        FieldStore store;
        store.Type(c.field, '1');
        ConvertFromField(store, c.field);
        const std::vector<std::string> before = {store.Text(0), store.Text(1), store.Text(2)};
        store.Type(c.field, c.typed);
        ConvertFromField(store, c.field);
        EXPECT_EQ(store.Beeps(), c.rejected ? 1 : 0) << c.field << " '" << c.typed << "'";
        if (c.rejected) {
            for (int other = 0; other < 3; ++other) {
                if (other != c.field) {
                    EXPECT_EQ(store.Text(other), before[static_cast<std::size_t>(other)]);
                }
            }
        }
    }
}

TEST_F(Conversion, ACharacterTypedInTheMiddleIsTheOneTested) {
    TypeText(kDecField, "19");
    store_.PlaceCaret(kDecField, 1);
    TypeText(kDecField, "x");
    EXPECT_EQ(store_.Text(kDecField), "1x9");
    EXPECT_EQ(store_.Beeps(), 1);
    EXPECT_EQ(store_.Selection(kDecField).start, 1);
    EXPECT_EQ(store_.Selection(kDecField).end, 2);
    EXPECT_EQ(store_.Text(kHexField), "13");
}

TEST_F(Conversion, APasteIsJudgedByItsLastCharacter) {
    TypeText(kHexField, "5");
    store_.PlaceCaret(kHexField, 1);
    Changed(store_.Paste(kHexField, "G1"), kHexField);
    // 'G' reads as one more digit 0 and ends the number: 0x50.
    ExpectFields("5G1", "80", "1010000");
    EXPECT_EQ(store_.Beeps(), 0);
}

TEST_F(Conversion, APastedNegativeNumberFillsAllSixtyFourBits) {
    Changed(store_.Paste(kDecField, "-5"), kDecField);
    ExpectFields("FFFFFFFFFFFFFFFB", "-5", std::string(61, '1') + "011");
}

TEST_F(Conversion, ProgramWritesAreNotBoundByTheTypingLimits) {
    TypeText(kDecField, "99999999999999999");
    ExpectFields("16345785D89FFFF", "99999999999999999",
                 "101100011010001010111100001011101"
                 "100010011111111111111111");
    // The user, however, cannot type an 18th decimal digit.
    EXPECT_FALSE(store_.Type(kDecField, '9'));
}

TEST_F(Conversion, TypingLimitsAreFourteenSeventeenAndFiftySix) {
    const struct {
        int field;
        char digit;
        std::size_t limit;
    } cases[] = {{kHexField, 'F', 14}, {kDecField, '1', 17}, {kBinField, '1', 56}};
    for (const auto& c : cases) {
        FieldStore store;
        for (std::size_t i = 0; i < c.limit + 3; ++i) {
            if (store.Type(c.field, c.digit)) {
                ConvertFromField(store, c.field);
            }
        }
        EXPECT_EQ(store.Text(c.field).size(), c.limit);
    }
    FieldStore store;
    for (int i = 0; i < 14; ++i) {
        store.Type(kHexField, 'F');
    }
    ConvertFromField(store, kHexField);
    EXPECT_EQ(store.Text(kDecField), "72057594037927935");
    EXPECT_EQ(store.Text(kBinField), std::string(56, '1'));
}

TEST_F(Conversion, DeletingDownToTheEmptyFieldWritesZeros) {
    TypeText(kBinField, "11");
    Changed(store_.Backspace(kBinField), kBinField);
    ExpectFields("1", "1", "1");
    Changed(store_.Backspace(kBinField), kBinField);
    ExpectFields("0", "0", "");
    EXPECT_EQ(store_.Beeps(), 0);
}

TEST_F(Conversion, ADeletionTestsTheCharacterNowBeforeTheCaret) {
    TypeText(kDecField, "123");
    store_.PlaceCaret(kDecField, 2);
    Changed(store_.Backspace(kDecField), kDecField);
    ExpectFields("D", "13", "1101");
    // Caret at the very start: the first character is tested.
    store_.PlaceCaret(kDecField, 0);
    Changed(store_.Delete(kDecField), kDecField);
    ExpectFields("3", "3", "11");
}

TEST_F(Conversion, ARejectedFirstCharacterWithTheCaretAtTheStartOnlyDropsTheSelection) {
    Changed(store_.Paste(kDecField, "yx5"), kDecField);  // judged by the 5; parses as 0
    ExpectFields("0", "yx5", "0");
    store_.PlaceCaret(kDecField, 0);
    store_.Log().clear();
    Changed(store_.Delete(kDecField), kDecField);
    EXPECT_EQ(store_.Text(kDecField), "x5");
    EXPECT_EQ(store_.Beeps(), 1);
    const std::vector<std::string> expected = {"GetFieldText 1",      "GetSelection 1",
                                               "LineFromChar 1 0",    "LineIndex 1 0",
                                               "SetSelection 1 -1 0", "ErrorBeep"};
    EXPECT_EQ(store_.Log(), expected);
}

TEST_F(Conversion, CallsHappenInTheirOrderAndTheEditedFieldIsNeverWritten) {
    const struct {
        int field;
        const char* typed;
        std::vector<std::string> writes;
    } cases[] = {
        {kHexField, "1", {"SetFieldText 1 1", "SetFieldText 2 1"}},
        {kDecField, "2", {"SetFieldText 0 2", "SetFieldText 2 10"}},
        {kBinField, "1", {"SetFieldText 0 1", "SetFieldText 1 1"}},
    };
    for (const auto& c : cases) {
        FieldStore store;
        store.Type(c.field, c.typed[0]);
        ConvertFromField(store, c.field);
        const std::string n = std::to_string(c.field);
        std::vector<std::string> expected = {"GetFieldText " + n, "GetSelection " + n,
                                             "LineFromChar " + n + " 1", "LineIndex " + n + " 0",
                                             "GetFieldText " + n};
        expected.insert(expected.end(), c.writes.begin(), c.writes.end());
        EXPECT_EQ(store.Log(), expected);
    }
}

TEST_F(Conversion, AnEmptiedFieldIsNotCheckedAndOtherControlsAreIgnored) {
    ConvertFromField(store_, kHexField);
    EXPECT_EQ(store_.Log(), (std::vector<std::string>{"GetFieldText 0", "GetFieldText 0",
                                                      "SetFieldText 1 0", "SetFieldText 2 0"}));
    store_.Log().clear();
    for (int control : {-1, 3, 7}) {
        ConvertFromField(store_, control);
    }
    EXPECT_TRUE(store_.Log().empty());
    EXPECT_EQ(store_.Beeps(), 0);
}

TEST(CheckTypedChar, UnknownKindsTestNothingAndKindsIgnoreLetterCase) {
    FieldStore store;
    store.Type(kDecField, '1');
    store.Type(kDecField, 'z');
    EXPECT_EQ(trinumero::CheckTypedChar(store, kDecField, FieldStore::HandleOf(1), "oct"), 0);
    EXPECT_EQ(trinumero::CheckTypedChar(store, kDecField, FieldStore::HandleOf(1), ""), 0);
    EXPECT_EQ(store.Beeps(), 0);
    EXPECT_EQ(trinumero::CheckTypedChar(store, kDecField, FieldStore::HandleOf(1), "DeC"), 1);
    EXPECT_EQ(trinumero::CheckTypedChar(store, kDecField, FieldStore::HandleOf(1), "HEX"), 1);
    EXPECT_EQ(store.Beeps(), 2);
}

}  // namespace

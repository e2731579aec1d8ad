// Opening, reading, creating and writing the settings file, against in-memory files.
#include "settings/settings_file_state.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "tests/kit/memory_file_system.h"
#include "tests/kit/settings_line.h"

namespace {

using trinumero::CloseSettings;
using trinumero::CreateSettingsFile;
using trinumero::kPlainTextMode;
using trinumero::OpenSettingsForRead;
using trinumero::ReadSettingLong;
using trinumero::SettingsFileState;
using trinumero::Utf8FromLatin1;
using trinumero::WriteSettingLong;
using trinumero::testing::FileStep;
using trinumero::testing::MemoryFileSystem;

const std::string& kKey = trinumero::testing::kOnTopKey;
constexpr wchar_t kPath[] = L"C:\\Temp\\\\Trinumero.ini";
const std::string kZeroLine = trinumero::testing::OnTopLine(0);
const std::string kOneLine = trinumero::testing::OnTopLine(1);

class SettingsFileStateTest : public ::testing::Test {
  protected:
    void TearDown() override {
        CloseSettings(state);
        EXPECT_EQ(files.open_count, 0);
    }

    // Opens a file holding content and returns the key's value (fallback -99).
    int ReadFrom(const std::string& content, const std::string& key = kKey) {
        files.files[kPath] = content;
        EXPECT_TRUE(OpenSettingsForRead(state, files, kPath));
        const int value = ReadSettingLong(state, key, -99);
        EXPECT_TRUE(CloseSettings(state));
        return value;
    }

    SettingsFileState state;
    MemoryFileSystem files;
};

TEST_F(SettingsFileStateTest, OpensForReadAndWriteSoOthersCanOnlyRead) {
    files.files[kPath] = "";
    EXPECT_TRUE(OpenSettingsForRead(state, files, kPath));
    ASSERT_EQ(files.opens.size(), 1u);
    EXPECT_EQ(files.opens[0].path, kPath);
    EXPECT_EQ(files.opens[0].mode, trinumero::FileOpenMode::kReadWrite);
}

TEST_F(SettingsFileStateTest, ReadOnlyFileIsOpenedForReadingOnly) {
    files.files[kPath] = kOneLine;
    files.read_only.insert(kPath);
    EXPECT_TRUE(OpenSettingsForRead(state, files, kPath));
    ASSERT_EQ(files.opens.size(), 2u);
    EXPECT_EQ(files.opens[1].mode, trinumero::FileOpenMode::kReadOnly);
    EXPECT_EQ(ReadSettingLong(state, kKey, 0), 1);
}

TEST_F(SettingsFileStateTest, MissingFileIsNotOpenedAndStateStaysEmpty) {
    EXPECT_FALSE(OpenSettingsForRead(state, files, kPath));
    EXPECT_EQ(files.opens.size(), 2u);
    EXPECT_EQ(state.handle, nullptr);
    EXPECT_EQ(ReadSettingLong(state, kKey, 5), 5);
    EXPECT_EQ(files.files.count(kPath), 0u);
}

TEST_F(SettingsFileStateTest, ReadingNeverChangesTheFile) {
    const std::string content = "; mine\r\n" + kOneLine + "[x]\r\n";
    files.files[kPath] = content;
    ASSERT_TRUE(OpenSettingsForRead(state, files, kPath));
    EXPECT_EQ(ReadSettingLong(state, kKey, 0), 1);
    EXPECT_TRUE(CloseSettings(state));
    EXPECT_EQ(files.files[kPath], content);
    EXPECT_EQ(files.write_calls, 0);
}

TEST_F(SettingsFileStateTest, ContentIsReadWithOneCallAfterTheMarkCheck) {
    EXPECT_EQ(ReadFrom(kOneLine), 1);
    // Three bytes to look for a byte-order mark, then the whole content at once.
    EXPECT_EQ(files.read_calls, 2);
}

TEST_F(SettingsFileStateTest, ValuesComeThroughTheFile) {
    struct Case {
        std::string content;
        int value;
    };
    const Case cases[] = {
        {"", -99},
        {"\xEF\xBB\xBF", -99},
        {"\xEF\xBB", -99},
        {kZeroLine, 0},
        {kOneLine, 1},
        {std::string(kKey) + "=1", 1},
        {" \t" + std::string(kKey) + " \t= \t1 \t\r\n", 1},
        {std::string(kKey) + " = 7", 7},
        {std::string(kKey) + " = -1", -1},
        {std::string(kKey) + " = 99999999999", INT_MAX},
        {std::string(kKey) + " = ", 0},
        {std::string(kKey) + " = on", 0},
        {std::string(kKey) + "\r\n= 1", 0},
        {"[main]\r\n" + kOneLine, -99},
        {kZeroLine + kOneLine, 0},
        {";" + kOneLine, -99},
        {"abc", -99},  // three bytes that are no mark: the position goes back to the start
        {std::string("x\0y=3\r\n", 7) + kOneLine, 1},
        {"\xEF\xBB\xBF" + Utf8FromLatin1(kKey) + " = 1", 1},
        {"\xEF\xBB\xBF" + kOneLine, -99},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadFrom(c.content), c.value) << c.content;
    }
    EXPECT_EQ(ReadFrom("abc=4", "ABC"), 4);
    EXPECT_EQ(ReadFrom("\xEF\xBB\xBF"
                       "abc=4",
                       "abc"),
              4);
}

TEST_F(SettingsFileStateTest, FailedSizeOrReadStillOpensWithNoEntries) {
    for (const FileStep step : {FileStep::kSize, FileStep::kRead}) {
        files.failing = step;
        EXPECT_EQ(ReadFrom(kOneLine), -99) << trinumero::testing::FileStepName(step);
    }
}

TEST_F(SettingsFileStateTest, ShortReadGivesTheEntriesOfWhatCameBack) {
    EXPECT_EQ(ReadFrom(kOneLine + "abc=4\r\n", "abc"), 4);
    files.short_read = kOneLine.size();
    EXPECT_EQ(ReadFrom(kOneLine + "abc=4\r\n", "abc"), -99);
    EXPECT_EQ(ReadFrom(kOneLine + "abc=4\r\n"), 1);
}

TEST_F(SettingsFileStateTest, OpeningClosesTheFileOpenBefore) {
    files.files[kPath] = kOneLine;
    files.files[L"other"] = "";
    ASSERT_TRUE(OpenSettingsForRead(state, files, kPath));
    ASSERT_TRUE(OpenSettingsForRead(state, files, L"other"));
    EXPECT_EQ(files.open_count, 1);
    EXPECT_EQ(ReadSettingLong(state, kKey, 3), 3);
    ASSERT_TRUE(CreateSettingsFile(state, files, kPath));
    EXPECT_EQ(files.open_count, 1);
    EXPECT_EQ(ReadSettingLong(state, kKey, 3), 3);
    EXPECT_FALSE(OpenSettingsForRead(state, files, L"missing"));
    EXPECT_EQ(files.open_count, 0);
}

TEST_F(SettingsFileStateTest, CreatedContentReplacesTheFileOnlyOnClose) {
    for (const int value : {0, 1}) {
        files.files[kPath] = std::string(100, 'x');
        ASSERT_TRUE(CreateSettingsFile(state, files, kPath));
        EXPECT_EQ(files.opens.back().mode, trinumero::FileOpenMode::kReplace);
        WriteSettingLong(state, kKey, value);
        EXPECT_EQ(files.files[kPath], std::string(100, 'x'));
        EXPECT_TRUE(CloseSettings(state));
        EXPECT_EQ(files.files[kPath], value == 0 ? kZeroLine : kOneLine);
    }
    EXPECT_EQ(files.write_calls, 2);
}

TEST_F(SettingsFileStateTest, CreatedFileNotWrittenStaysEmpty) {
    files.files[kPath] = kOneLine;
    ASSERT_TRUE(CreateSettingsFile(state, files, kPath));
    EXPECT_TRUE(CloseSettings(state));
    EXPECT_EQ(files.files[kPath], "");
    EXPECT_EQ(files.write_calls, 0);
}

TEST_F(SettingsFileStateTest, RepeatedWritesKeepOneLineWithTheLastValue) {
    ASSERT_TRUE(CreateSettingsFile(state, files, kPath));
    WriteSettingLong(state, "mode", 1);
    WriteSettingLong(state, "other", -5);
    WriteSettingLong(state, "MODE", INT_MIN);
    EXPECT_TRUE(CloseSettings(state));
    EXPECT_EQ(files.files[kPath], "MODE = -2147483648\r\nother = -5\r\n");
}

TEST_F(SettingsFileStateTest, RefusedCreateLeavesTheFileAndTheStateAlone) {
    files.files[kPath] = kOneLine;
    files.read_only.insert(kPath);
    EXPECT_FALSE(CreateSettingsFile(state, files, kPath));
    EXPECT_EQ(state.handle, nullptr);
    WriteSettingLong(state, kKey, 0);
    EXPECT_TRUE(CloseSettings(state));
    EXPECT_EQ(files.files[kPath], kOneLine);
}

// A save with one step failing either puts the whole new content in place or reports the
// failure and keeps the old file.
TEST_F(SettingsFileStateTest, EveryFailedStepOfASaveIsReportedAndKeepsTheOldFile) {
    for (const FileStep step : trinumero::testing::kEveryFileStep) {
        SCOPED_TRACE(trinumero::testing::FileStepName(step));
        MemoryFileSystem failing;
        SettingsFileState fresh;
        failing.files[kPath] = "previous";
        failing.failing = step;
        const bool created = CreateSettingsFile(fresh, failing, kPath);
        WriteSettingLong(fresh, kKey, 1);
        const bool saved = CloseSettings(fresh) && created;
        EXPECT_EQ(saved, !trinumero::testing::SaveTakes(step));
        EXPECT_EQ(failing.files[kPath], saved ? kOneLine : "previous");
        EXPECT_EQ(failing.open_count, 0);
        EXPECT_EQ(fresh.handle, nullptr);
    }
}

TEST_F(SettingsFileStateTest, CloseOfAnUnmodifiedFileReportsOnlyTheClose) {
    files.files[kPath] = kOneLine;
    files.failing = FileStep::kWrite;
    ASSERT_TRUE(OpenSettingsForRead(state, files, kPath));
    EXPECT_TRUE(CloseSettings(state));
    files.failing = FileStep::kClose;
    ASSERT_TRUE(OpenSettingsForRead(state, files, kPath));
    EXPECT_FALSE(CloseSettings(state));
}

TEST_F(SettingsFileStateTest, CloseReturnsTheStateToEmpty) {
    files.files[kPath] = "\xEF\xBB\xBFk=1\r\n";
    ASSERT_TRUE(OpenSettingsForRead(state, files, kPath));
    EXPECT_FALSE(state.entries.empty());
    EXPECT_TRUE(CloseSettings(state));
    EXPECT_EQ(state.handle, nullptr);
    EXPECT_FALSE(state.modified);
    EXPECT_EQ(state.text, nullptr);
    EXPECT_EQ(state.text_end, 0u);
    EXPECT_EQ(state.text_mode, kPlainTextMode);
    EXPECT_TRUE(state.entries.empty());
    EXPECT_EQ(ReadSettingLong(state, "k", 8), 8);
    // Closing again with nothing open only clears the state.
    EXPECT_TRUE(CloseSettings(state));
}

TEST_F(SettingsFileStateTest, EmptyPathIsRefusedWithoutAskingThePlatform) {
    files.files[L""] = kOneLine;
    EXPECT_FALSE(OpenSettingsForRead(state, files, L""));
    EXPECT_FALSE(CreateSettingsFile(state, files, L""));
    EXPECT_TRUE(files.opens.empty());
}

TEST_F(SettingsFileStateTest, FileOverOneMebibyteGivesNoEntries) {
    const std::string padding(1024 * 1024 - kOneLine.size(), ' ');
    EXPECT_EQ(ReadFrom(kOneLine + padding), 1);
    EXPECT_EQ(ReadFrom(kOneLine + padding + " "), -99);
}

TEST_F(SettingsFileStateTest, WritingWithNothingOpenDoesNothing) {
    WriteSettingLong(state, kKey, 1);
    EXPECT_FALSE(state.modified);
    EXPECT_TRUE(state.entries.empty());
    EXPECT_TRUE(CloseSettings(state));
    EXPECT_TRUE(files.opens.empty());
}

}  // namespace

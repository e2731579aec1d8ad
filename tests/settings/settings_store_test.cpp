// The on-top setting in Trinumero.ini of the temporary directory, which each test points
// at a directory of its own and gives to the store as the path; failing file steps against
// in-memory files, on every platform.
#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "tests/kit/memory_file_system.h"
#include "tests/kit/settings_line.h"

#ifdef _WIN32
#include <windows.h>

#include "settings/settings_file_system_win32.h"
#include "settings/settings_temp_path_win32.h"
#include "tests/kit/files_win32.h"
#include "tests/kit/temp_redirect_win32.h"
#endif

namespace {

using trinumero::LoadOnTopSetting;
using trinumero::MessageRequester;
using trinumero::SaveOnTopSetting;
using trinumero::SettingsFileState;
using trinumero::SettingsStoreServices;
using trinumero::testing::FileStep;
using trinumero::testing::MemoryFileSystem;
using trinumero::testing::OnTopLine;

struct Shown {
    std::string title;
    std::string text;
    unsigned flags;

    friend bool operator==(const Shown&, const Shown&) = default;
};

std::ostream& operator<<(std::ostream& out, const Shown& shown) {
    return out << shown.title << " / " << shown.text << " / " << shown.flags;
}

class RecordingRequester final : public MessageRequester {
  public:
    int Show(std::string_view title, std::string_view text, unsigned flags) override {
        shown.push_back({std::string(title), std::string(text), flags});
        return 1;  // OK
    }
    std::vector<Shown> shown;
};

// Their texts are checked where the program shows them (tests/app/end_to_end_test.cpp); here
// which message comes when, and as a stop message with an OK button.
const Shown kReadMessage{trinumero::kReadFailureTitle, trinumero::kReadFailureText, 16};
const Shown kSaveMessage{trinumero::kSaveFailureTitle, trinumero::kSaveFailureText, 16};

#ifdef _WIN32
using trinumero::BuildSettingsFilePath;
using trinumero::GetTempDirectory;
using trinumero::Win32SettingsFileSystem;
using trinumero::Win32TempPathCalls;
using trinumero::testing::kOnTopKey;
using trinumero::testing::ReadWholeFile;
using trinumero::testing::TempDirectory;
using trinumero::testing::TempRedirect;
using trinumero::testing::WriteWholeFile;

class SettingsStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.Made());
        path = BuildSettingsFilePath(calls);
        file_path = dir.File(L"Trinumero.ini");
    }

    TempDirectory dir;
    TempRedirect redirect{dir.Path()};
    Win32TempPathCalls calls;
    std::wstring path;
    std::wstring file_path;  // the same file, named with one backslash
    SettingsFileState state;
    Win32SettingsFileSystem files;
    RecordingRequester requester;
    SettingsStoreServices services{state, files, requester};
};

// TMP names the folder as given, by its short form, or a folder that does not exist (whose
// long form cannot be had): the path is Trinumero.ini in the folder's long form, or as
// given when there is none.
TEST_F(SettingsStoreTest, PathIsTrinumeroIniInTheTemporaryFolder) {
    std::vector<wchar_t> short_form(MAX_PATH + 1);
    const DWORD length = GetShortPathNameW(dir.Path().c_str(), short_form.data(),
                                           static_cast<DWORD>(short_form.size()));
    ASSERT_GT(length, 0u);
    ASSERT_LT(length, short_form.size());
    const std::wstring missing = dir.File(L"not there");
    const std::pair<std::wstring, std::wstring> cases[] = {
        {dir.Path(), dir.Path()},
        {std::wstring(short_form.data(), length), dir.Path()},
        {missing, missing},
    };
    for (const auto& [tmp, folder] : cases) {
        redirect.To(tmp);
        EXPECT_EQ(GetTempDirectory(calls), folder + L"\\") << tmp;
        EXPECT_EQ(BuildSettingsFilePath(calls), folder + L"\\\\Trinumero.ini") << tmp;
    }
}

TEST_F(SettingsStoreTest, LongTemporaryPathIsNotCut) {
    // The longest temporary path the platform gives, which is 260 characters or more with
    // its backslash where the platform allows it.
    std::wstring longest;
    for (std::size_t length = 4 * MAX_PATH; length > dir.Path().size() + 1; --length) {
        const std::wstring candidate =
            dir.Path() + L"\\" + std::wstring(length - dir.Path().size() - 1, L'd');
        redirect.To(candidate);
        std::vector<wchar_t> raw(8 * MAX_PATH);
        const DWORD raw_length = GetTempPathW(static_cast<DWORD>(raw.size()), raw.data());
        if (raw_length > 0 && raw_length < raw.size()) {
            longest.assign(raw.data(), raw_length);
            break;
        }
    }
    ASSERT_FALSE(longest.empty());
    std::printf("longest temporary path here: %zu characters\n", longest.size());
    EXPECT_EQ(GetTempDirectory(calls), longest);
}

TEST_F(SettingsStoreTest, FirstStartCreatesTheFileWithZeroSilently) {
    EXPECT_EQ(LoadOnTopSetting(path, services), 0);
    EXPECT_TRUE(requester.shown.empty());
    EXPECT_EQ(ReadWholeFile(file_path), OnTopLine(0));
}

TEST_F(SettingsStoreTest, LoadedValueIsHandedOnUnchangedAndTheFileLeftAlone) {
    struct Case {
        std::string content;
        int value;
    };
    const Case cases[] = {
        {OnTopLine(1), 1},
        {kOnTopKey + "=7", 7},
        {"  " + kOnTopKey + " = -1  \n", -1},
        {"", 0},
        {"[section]\r\n" + OnTopLine(1), 0},
        {kOnTopKey + " = yes\r\n", 0},
        {"other = 1\r\n", 0},
        {kOnTopKey + " = 99999999999\r\n", 2147483647},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(WriteWholeFile(file_path, c.content));
        EXPECT_EQ(LoadOnTopSetting(path, services), c.value) << c.content;
        EXPECT_EQ(ReadWholeFile(file_path), c.content);
    }
    EXPECT_TRUE(requester.shown.empty());
}

TEST_F(SettingsStoreTest, UnusableFileShowsTheSaveThenTheReadMessageAndGivesZero) {
    ASSERT_TRUE(CreateDirectoryW(file_path.c_str(), nullptr));
    EXPECT_EQ(LoadOnTopSetting(path, services), 0);
    EXPECT_EQ(requester.shown, (std::vector<Shown>{kSaveMessage, kReadMessage}));
}

TEST_F(SettingsStoreTest, ReadOnlyFileStartsSilentlyAndOnlyTogglesComplain) {
    ASSERT_TRUE(WriteWholeFile(file_path, OnTopLine(1)));
    ASSERT_TRUE(SetFileAttributesW(file_path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(LoadOnTopSetting(path, services), 1);
    EXPECT_TRUE(requester.shown.empty());
    SaveOnTopSetting(path, 0, services);
    EXPECT_EQ(requester.shown, (std::vector<Shown>{kSaveMessage}));
    EXPECT_EQ(ReadWholeFile(file_path), OnTopLine(1));
}

TEST_F(SettingsStoreTest, EachSaveWritesTheFileAfresh) {
    ASSERT_TRUE(WriteWholeFile(file_path, "; mine\r\nhand = made\r\n" + OnTopLine(0)));
    SaveOnTopSetting(path, 1, services);
    EXPECT_EQ(ReadWholeFile(file_path), OnTopLine(1));
    EXPECT_EQ(LoadOnTopSetting(path, services), 1);
    SaveOnTopSetting(path, 0, services);
    EXPECT_EQ(ReadWholeFile(file_path), OnTopLine(0));
    EXPECT_EQ(LoadOnTopSetting(path, services), 0);
    EXPECT_TRUE(requester.shown.empty());
}

TEST_F(SettingsStoreTest, SaveLeavesNoFileOpen) {
    SaveOnTopSetting(path, 1, services);
    EXPECT_EQ(state.handle, nullptr);
    EXPECT_NE(trinumero::testing::OpenExistingFile(file_path, GENERIC_READ | GENERIC_WRITE, 0),
              nullptr);
}

#endif  // _WIN32

// Every step of a save that fails is reported, and the file does not appear; the steps a
// save does not take change nothing.
TEST(SettingsStoreFailures, EveryFailedStepOfASaveIsReported) {
    const wchar_t path[] = L"C:\\temp\\\\Trinumero.ini";
    for (const FileStep step : trinumero::testing::kEveryFileStep) {
        SCOPED_TRACE(trinumero::testing::FileStepName(step));
        MemoryFileSystem files;
        SettingsFileState state;
        RecordingRequester requester;
        files.failing = step;
        SaveOnTopSetting(path, 1, SettingsStoreServices{state, files, requester});
        const bool fails = trinumero::testing::SaveTakes(step);
        EXPECT_EQ(requester.shown, fails ? std::vector<Shown>{kSaveMessage} : std::vector<Shown>{});
        EXPECT_EQ(files.open_count, 0);
        const auto file = files.files.find(path);
        EXPECT_EQ(file == files.files.end() ? "no file" : file->second,
                  fails ? "no file" : OnTopLine(1));
    }
}

TEST(SettingsStoreFailures, FirstStartWithAFailingWriteReportsBothMessages) {
    MemoryFileSystem files;
    SettingsFileState state;
    RecordingRequester requester;
    files.failing = FileStep::kWrite;
    EXPECT_EQ(LoadOnTopSetting(L"T.ini", SettingsStoreServices{state, files, requester}), 0);
    // The new content never took the name: there is still no file to read.
    EXPECT_EQ(requester.shown, (std::vector<Shown>{kSaveMessage, kReadMessage}));
    EXPECT_EQ(files.files.count(L"T.ini"), 0u);
}

}  // namespace

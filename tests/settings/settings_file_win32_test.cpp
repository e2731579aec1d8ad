// The settings file on real files, through the platform's file calls.
#include "settings/settings_file_system_win32.h"

#include "settings/replacement_file_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include "tests/kit/files_win32.h"
#include "tests/kit/fresh_files.h"
#include "tests/kit/processes_win32.h"
#include "tests/kit/settings_line.h"
#include "tests/kit/windows_win32.h"

namespace {

using trinumero::CloseSettings;
using trinumero::CreateSettingsFile;
using trinumero::KernelHandle;
using trinumero::OpenSettingsForRead;
using trinumero::ReadSettingLong;
using trinumero::WriteSettingLong;
using trinumero::testing::ListFolder;
using trinumero::testing::OnTopLine;
using trinumero::testing::ReadWholeFile;
using trinumero::testing::TempDirectory;
using trinumero::testing::WriteWholeFile;

const std::string& kKey = trinumero::testing::kOnTopKey;

class SettingsFileWin32Test : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir.Made()); }
    void TearDown() override { CloseSettings(state); }

    // A handle of another program on the file; empty when refused.
    KernelHandle OpenOther(DWORD access, DWORD share) const {
        return trinumero::testing::OpenExistingFile(path, access, share);
    }

    // Tries to replace the file with the line for 1.
    bool Save() {
        if (!CreateSettingsFile(state, files, path)) {
            return false;
        }
        WriteSettingLong(state, kKey, 1);
        return CloseSettings(state);
    }

    // The key's value, -99 when it is not found, -1000 when the file does not open.
    int Read() {
        if (!OpenSettingsForRead(state, files, path)) {
            return -1000;
        }
        const int value = ReadSettingLong(state, kKey, -99);
        EXPECT_TRUE(CloseSettings(state));
        return value;
    }

    trinumero::SettingsFileState state;
    trinumero::Win32SettingsFileSystem files;
    TempDirectory dir;
    std::wstring path = dir.File(L"Trinumero.ini");
};

TEST_F(SettingsFileWin32Test, WritesTheOnTopLineReplacingThePreviousContent) {
    for (const int value : {0, 1}) {
        ASSERT_TRUE(WriteWholeFile(path, std::string(200, 'x') + "\r\n" + OnTopLine(1)));
        ASSERT_TRUE(CreateSettingsFile(state, files, path));
        WriteSettingLong(state, kKey, value);
        EXPECT_TRUE(CloseSettings(state));
        EXPECT_EQ(ReadWholeFile(path), OnTopLine(value));
        EXPECT_EQ(Read(), value);
    }
}

TEST_F(SettingsFileWin32Test, CreatesAMissingFile) {
    EXPECT_FALSE(OpenSettingsForRead(state, files, path));
    EXPECT_TRUE(Save());
    EXPECT_EQ(ReadWholeFile(path), OnTopLine(1));
}

TEST_F(SettingsFileWin32Test, OldFileStaysWholeUntilTheNewOneIsClosedAndNothingIsLeftOver) {
    ASSERT_TRUE(WriteWholeFile(path, "old content"));
    const std::vector<std::wstring> before = ListFolder(dir.Path());
    ASSERT_TRUE(CreateSettingsFile(state, files, path));
    WriteSettingLong(state, kKey, 0);
    EXPECT_EQ(ReadWholeFile(path), "old content");
    EXPECT_TRUE(CloseSettings(state));
    EXPECT_EQ(ReadWholeFile(path), OnTopLine(0));
    EXPECT_EQ(ListFolder(dir.Path()), before);
    // Abandoned: the new content goes, the old file stays.
    ASSERT_TRUE(CreateSettingsFile(state, files, path));
    state.handle.reset();
    EXPECT_EQ(ReadWholeFile(path), OnTopLine(0));
    EXPECT_EQ(ListFolder(dir.Path()), before);
}

// The whole content is read as it is, NUL bytes included; an empty file or one holding only
// the byte-order mark opens with no entries; reading never changes the file.
TEST_F(SettingsFileWin32Test, ReadsTheWholeContentAsItIs) {
    const std::pair<std::string, int> cases[] = {
        {"", -99},
        {"\xEF\xBB\xBF", -99},
        {std::string("\0\0\0\r\n", 5) + OnTopLine(1), 1},
        {"; note\r\n\t" + std::string(kKey) + " = 7 \n", 7},
        {"[main]\r\n" + OnTopLine(1), -99},
    };
    for (const auto& [content, value] : cases) {
        ASSERT_TRUE(WriteWholeFile(path, content));
        EXPECT_EQ(Read(), value) << content;
        EXPECT_EQ(ReadWholeFile(path), content);
    }
}

TEST_F(SettingsFileWin32Test, ReadOnlyAndHiddenFilesAreReadButNotReplaced) {
    // CREATE_ALWAYS with normal attributes refuses them on Windows.
    for (const DWORD attribute : {FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_HIDDEN}) {
        const std::string content = OnTopLine(1) + "extra = 2\r\n";
        ASSERT_TRUE(WriteWholeFile(path, content));
        ASSERT_TRUE(SetFileAttributesW(path.c_str(), attribute));
        if ((GetFileAttributesW(path.c_str()) & attribute) == 0) {
            continue;  // a file system without a hidden attribute
        }
        EXPECT_EQ(Read(), 1) << attribute;
        EXPECT_FALSE(CreateSettingsFile(state, files, path)) << attribute;
        EXPECT_EQ(ReadWholeFile(path), content) << attribute;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST_F(SettingsFileWin32Test, DirectoryInPlaceOfTheFileIsNeitherReadNorReplaced) {
    ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
    EXPECT_FALSE(OpenSettingsForRead(state, files, path));
    EXPECT_EQ(ReadSettingLong(state, kKey, 3), 3);
    EXPECT_FALSE(CreateSettingsFile(state, files, path));
    WriteSettingLong(state, kKey, 1);
    EXPECT_TRUE(CloseSettings(state));
    EXPECT_NE(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

TEST_F(SettingsFileWin32Test, MissingDirectoryIsNeitherReadNorCreated) {
    const std::wstring missing = dir.File(L"missing\\Trinumero.ini");
    EXPECT_FALSE(OpenSettingsForRead(state, files, missing));
    EXPECT_FALSE(CreateSettingsFile(state, files, missing));
}

TEST_F(SettingsFileWin32Test, FileHeldWithoutWriteSharingIsReadButNotReplaced) {
    ASSERT_TRUE(WriteWholeFile(path, OnTopLine(1)));
    const std::vector<std::wstring> before = ListFolder(dir.Path());
    KernelHandle other = OpenOther(GENERIC_READ, FILE_SHARE_READ);
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(Read(), 1);
    // The new content is written beside it; only putting it in place is refused.
    EXPECT_FALSE(Save());
    other.reset();
    EXPECT_EQ(ReadWholeFile(path), OnTopLine(1));
    EXPECT_EQ(ListFolder(dir.Path()), before);
}

// The saver's waits, counted instead of slept: past half the tenth of a second the holder lets go.
TEST_F(SettingsFileWin32Test, AHolderThatLetsGoWithinATenthOfASecondIsWaitedFor) {
    ASSERT_TRUE(WriteWholeFile(path, OnTopLine(0)));
    KernelHandle other = OpenOther(GENERIC_READ, FILE_SHARE_READ);
    ASSERT_NE(other, nullptr);
    static DWORD waited = 0;
    static const KernelHandle saver_waits(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    static const KernelHandle let_go(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    std::thread holder([&other] {
        WaitForSingleObject(saver_waits.get(), 10000);
        other.reset();
        SetEvent(let_go.get());
    });
    const trinumero::PlacingWait counted = [](DWORD milliseconds) {
        if ((waited += milliseconds) > 50) {
            SignalObjectAndWait(saver_waits.get(), let_go.get(), 10000, FALSE);
        }
    };
    const std::string line = OnTopLine(1);
    const std::unique_ptr<trinumero::SettingsFile> file =
        trinumero::OpenReplacement(path, trinumero::CreateFreshFile, counted);
    const bool saved = file != nullptr && file->Write(line) == line.size() && file->Close();
    holder.join();
    EXPECT_TRUE(saved);
    EXPECT_EQ(ReadWholeFile(path), line);
    EXPECT_EQ(ListFolder(dir.Path()), std::vector<std::wstring>{L"Trinumero.ini"});
}

TEST_F(SettingsFileWin32Test, AFreshNameInUseIsPassedOverAndRemovedOnceLeftBehind) {
    const std::wstring held = trinumero::testing::FreshFileStem(GetCurrentProcessId()) + L".0";
    ASSERT_TRUE(WriteWholeFile(dir.File(held), ""));
    KernelHandle other = trinumero::testing::OpenExistingFile(dir.File(held), GENERIC_WRITE, 0);
    ASSERT_NE(other, nullptr);
    EXPECT_TRUE(Save());
    EXPECT_EQ(ListFolder(dir.Path()), (std::vector<std::wstring>{L"Trinumero.ini", held}));
    // Let go, it is what an earlier process of the same id left: the next save removes it.
    other.reset();
    EXPECT_TRUE(Save());
    EXPECT_EQ(ListFolder(dir.Path()), std::vector<std::wstring>{L"Trinumero.ini"});
    EXPECT_EQ(ReadWholeFile(path), OnTopLine(1));
}

// The first fresh name refused with each error: a name whose file waits to be deleted while a
// virus scanner still holds it answers access denied on Windows (Wine has no such state), one
// held open a sharing violation. Those are passed over; a missing folder ends the save.
TEST_F(SettingsFileWin32Test, AFreshNameRefusedForNowIsPassedOverAndOtherFailuresEndTheSave) {
    static DWORD first_error = 0;
    static int creations = 0;
    const trinumero::FreshFileCreator refuse_first = [](const std::wstring& fresh) {
        if (creations++ == 0) {
            SetLastError(first_error);
            return INVALID_HANDLE_VALUE;
        }
        return trinumero::CreateFreshFile(fresh);
    };
    const struct {
        DWORD error;
        bool saved;
        int creations;
    } cases[] = {{ERROR_ACCESS_DENIED, true, 2},
                 {ERROR_SHARING_VIOLATION, true, 2},
                 {ERROR_FILE_EXISTS, true, 2},
                 {ERROR_PATH_NOT_FOUND, false, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        ASSERT_TRUE(WriteWholeFile(path, OnTopLine(0)));
        first_error = c.error;
        creations = 0;
        std::unique_ptr<trinumero::SettingsFile> file =
            trinumero::OpenReplacement(path, refuse_first);
        EXPECT_EQ(file != nullptr, c.saved);
        if (file != nullptr) {
            const std::string line = OnTopLine(1);
            EXPECT_EQ(file->Write(line), line.size());
            EXPECT_TRUE(file->Close());
        }
        EXPECT_EQ(creations, c.creations);
        EXPECT_EQ(ReadWholeFile(path), OnTopLine(c.saved ? 1 : 0));
        EXPECT_EQ(ListFolder(dir.Path()), std::vector<std::wstring>{L"Trinumero.ini"});
    }
}

TEST_F(SettingsFileWin32Test, FileHeldByAWriterIsNotOpened) {
    ASSERT_TRUE(WriteWholeFile(path, OnTopLine(1)));
    const KernelHandle other =
        OpenOther(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_NE(other, nullptr);
    EXPECT_FALSE(OpenSettingsForRead(state, files, path));
}

TEST_F(SettingsFileWin32Test, OthersMayOnlyReadWhileTheFileIsOpen) {
    ASSERT_TRUE(WriteWholeFile(path, OnTopLine(0)));
    ASSERT_TRUE(OpenSettingsForRead(state, files, path));
    EXPECT_NE(OpenOther(GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE), nullptr);
    EXPECT_EQ(OpenOther(GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_TRUE(CloseSettings(state));
    // Closed: the file can be taken exclusively again.
    EXPECT_NE(OpenOther(GENERIC_READ | GENERIC_WRITE, 0), nullptr);
}

TEST_F(SettingsFileWin32Test, FileOverOneMebibyteIsNotRead) {
    ASSERT_TRUE(WriteWholeFile(path, OnTopLine(1) + std::string(2'000'000, ' ')));
    EXPECT_EQ(Read(), -99);
}

// Makes Trinumero.ini another name of the file other.txt: a Unix symbolic link made by ln
// (Wine's CreateSymbolicLinkW makes nothing), or a hard link.
bool LinkToOther(const TempDirectory& dir, bool symbolic) {
    if (!symbolic) {
        return CreateHardLinkW(dir.File(L"Trinumero.ini").c_str(), dir.File(L"other.txt").c_str(),
                               nullptr) != FALSE;
    }
    const trinumero::testing::StartedProcess ln(L"ln -s other.txt Trinumero.ini", L"Z:\\bin\\ln",
                                                dir.Path());
    return ln.Started() &&
           trinumero::testing::WaitUntil(
               [&dir] { return trinumero::testing::FileExists(dir.File(L"Trinumero.ini")); }, 5000);
}

TEST_F(SettingsFileWin32Test, SaveReplacesALinkNotTheFileItNames) {
    for (const bool symbolic : {true, false}) {
        const std::wstring other = dir.File(L"other.txt");
        ASSERT_TRUE(WriteWholeFile(other, "someone else's file"));
        ASSERT_TRUE(LinkToOther(dir, symbolic)) << symbolic;
        ASSERT_EQ(ReadWholeFile(path), "someone else's file") << symbolic;
        EXPECT_TRUE(Save()) << symbolic;
        EXPECT_EQ(ReadWholeFile(other), "someone else's file") << symbolic;
        EXPECT_EQ(ReadWholeFile(path), OnTopLine(1)) << symbolic;
        DeleteFileW(path.c_str());
    }
}

}  // namespace

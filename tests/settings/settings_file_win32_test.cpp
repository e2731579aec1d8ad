// The settings file on real files, through the platform's file calls.
#include "settings/settings_file_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/charset_check.h"
#include "tests/settings/temp_directory.h"

namespace {

using trinumero::CloseSettings;
using trinumero::CreateSettingsFile;
using trinumero::OpenSettingsForRead;
using trinumero::ReadSettingLong;
using trinumero::WriteSettingLong;
using trinumero::testing::ReadWholeFile;
using trinumero::testing::TempDirectory;
using trinumero::testing::WriteWholeFile;

constexpr char kKey[] = "Поверх остальных окон";

std::string OnTopLine(char digit) {
    std::string line =
        "\xCF\xEE\xE2\xE5\xF0\xF5\x20\xEE\xF1\xF2\xE0\xEB\xFC\xED\xFB\xF5\x20\xEE\xEA\xEE\xED\x20"
        "\x3D\x20\x30\x0D\x0A";
    line[24] = digit;
    return line;
}

// The test folders' names are ASCII.
std::wstring Wide(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

class SettingsFileWin32Test : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir.Made()); }
    void TearDown() override { CloseSettings(); }

    // A handle of another program on the file.
    HANDLE OpenOther(DWORD access, DWORD share) const {
        return CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    }

    // Tries to replace the file with the line for 1.
    bool Save() {
        if (CreateSettingsFile(wide_path) == 0) {
            return false;
        }
        WriteSettingLong(kKey, 1);
        return CloseSettings();
    }

    int Read(int fallback = -99) {
        if (OpenSettingsForRead(wide_path) == 0) {
            return -1000;
        }
        const int value = ReadSettingLong(kKey, fallback);
        EXPECT_TRUE(CloseSettings());
        return value;
    }

    // The names in the folder, sorted.
    std::vector<std::string> Listing() const {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        const HANDLE search = FindFirstFileA(dir.File("*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                names.emplace_back(found.cFileName);
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    TempDirectory dir;
    std::string path = dir.File("Trinumero.ini");
    std::wstring wide_path = Wide(path);
};

TEST_F(SettingsFileWin32Test, WritesTheDocumentedBytesReplacingThePreviousContent) {
    for (const int value : {0, 1}) {
        ASSERT_TRUE(WriteWholeFile(path, std::string(200, 'x') + "\r\n" + OnTopLine('1')));
        ASSERT_NE(CreateSettingsFile(wide_path), 0u);
        WriteSettingLong(kKey, value);
        EXPECT_TRUE(CloseSettings());
        EXPECT_EQ(ReadWholeFile(path), OnTopLine(static_cast<char>('0' + value)));
        EXPECT_EQ(Read(), value);
    }
}

TEST_F(SettingsFileWin32Test, CreatesAMissingFile) {
    EXPECT_EQ(OpenSettingsForRead(wide_path), 0u);
    EXPECT_TRUE(Save());
    EXPECT_EQ(ReadWholeFile(path), OnTopLine('1'));
}

TEST_F(SettingsFileWin32Test, OldFileStaysWholeUntilTheNewOneIsClosedAndNothingIsLeftOver) {
    ASSERT_TRUE(WriteWholeFile(path, "old content"));
    const std::vector<std::string> before = Listing();
    ASSERT_NE(CreateSettingsFile(wide_path), 0u);
    WriteSettingLong(kKey, 0);
    EXPECT_EQ(ReadWholeFile(path), "old content");
    EXPECT_TRUE(CloseSettings());
    EXPECT_EQ(ReadWholeFile(path), OnTopLine('0'));
    EXPECT_EQ(Listing(), before);
    // Abandoned: the new content goes, the old file stays.
    ASSERT_NE(CreateSettingsFile(wide_path), 0u);
    trinumero::ProcessSettingsFileState().handle.reset();
    EXPECT_EQ(ReadWholeFile(path), OnTopLine('0'));
    EXPECT_EQ(Listing(), before);
}

TEST_F(SettingsFileWin32Test, EmptyAndMarkOnlyFilesOpenWithoutEntries) {
    for (const std::string& content : {std::string(), std::string("\xEF\xBB\xBF")}) {
        ASSERT_TRUE(WriteWholeFile(path, content));
        EXPECT_EQ(Read(5), 5);
        EXPECT_EQ(ReadWholeFile(path), content);
    }
}

TEST_F(SettingsFileWin32Test, ReadsWhatTheFileHolds) {
    struct Case {
        std::string content;
        int value;
    };
    const Case cases[] = {
        {std::string(kKey) + "=1", 1},
        {"; note\r\n\t" + std::string(kKey) + " = 7 \n", 7},
        {"[main]\r\n" + OnTopLine('1'), -99},
        {std::string("\0\0\0\r\n", 5) + OnTopLine('1'), 1},
        {std::string(kKey) + " = 4294967296", 2147483647},
        {"\xEF\xBB\xBF" + std::string(kKey) + "=1", -99},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(WriteWholeFile(path, c.content));
        EXPECT_EQ(Read(), c.value) << c.content;
    }
}

TEST_F(SettingsFileWin32Test, ReadOnlyFileIsReadButNotReplaced) {
    const std::string content = OnTopLine('1') + "extra = 2\r\n";
    ASSERT_TRUE(WriteWholeFile(path, content));
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(Read(), 1);
    EXPECT_EQ(CreateSettingsFile(wide_path), 0u);
    EXPECT_EQ(ReadWholeFile(path), content);
}

TEST_F(SettingsFileWin32Test, HiddenFileIsReadButNotReplaced) {
    const std::string content = OnTopLine('1') + "extra = 2\r\n";
    ASSERT_TRUE(WriteWholeFile(path, content));
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
    if ((GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN) == 0) {
        GTEST_SKIP() << "this file system keeps no hidden attribute";
    }
    EXPECT_EQ(Read(), 1);
    // CREATE_ALWAYS with normal attributes refuses a hidden file.
    EXPECT_EQ(CreateSettingsFile(wide_path), 0u);
    EXPECT_EQ(ReadWholeFile(path), content);
}

TEST_F(SettingsFileWin32Test, DirectoryInPlaceOfTheFileIsNeitherReadNorReplaced) {
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    EXPECT_EQ(OpenSettingsForRead(wide_path), 0u);
    EXPECT_EQ(ReadSettingLong(kKey, 3), 3);
    EXPECT_EQ(CreateSettingsFile(wide_path), 0u);
    WriteSettingLong(kKey, 1);
    EXPECT_TRUE(CloseSettings());
    EXPECT_NE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

TEST_F(SettingsFileWin32Test, MissingDirectoryIsNeitherReadNorCreated) {
    const std::wstring missing = Wide(dir.File("missing\\Trinumero.ini"));
    EXPECT_EQ(OpenSettingsForRead(missing), 0u);
    EXPECT_EQ(CreateSettingsFile(missing), 0u);
}

TEST_F(SettingsFileWin32Test, FileHeldWithoutWriteSharingIsReadButNotReplaced) {
    ASSERT_TRUE(WriteWholeFile(path, OnTopLine('1')));
    const std::vector<std::string> before = Listing();
    const HANDLE other = OpenOther(GENERIC_READ, FILE_SHARE_READ);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Read(), 1);
    // The new content is written beside it; only putting it in place is refused.
    EXPECT_FALSE(Save());
    CloseHandle(other);
    EXPECT_EQ(ReadWholeFile(path), OnTopLine('1'));
    EXPECT_EQ(Listing(), before);
}

TEST_F(SettingsFileWin32Test, FileHeldByAWriterIsNotOpened) {
    ASSERT_TRUE(WriteWholeFile(path, OnTopLine('1')));
    const HANDLE other =
        OpenOther(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    EXPECT_EQ(OpenSettingsForRead(wide_path), 0u);
    CloseHandle(other);
}

TEST_F(SettingsFileWin32Test, OthersMayOnlyReadWhileTheFileIsOpen) {
    ASSERT_TRUE(WriteWholeFile(path, OnTopLine('0')));
    ASSERT_NE(OpenSettingsForRead(wide_path), 0u);
    const HANDLE reader = OpenOther(GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
    EXPECT_NE(reader, INVALID_HANDLE_VALUE);
    if (reader != INVALID_HANDLE_VALUE) {
        CloseHandle(reader);
    }
    const HANDLE writer = OpenOther(GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    if (writer != INVALID_HANDLE_VALUE) {
        CloseHandle(writer);
    }
    EXPECT_TRUE(CloseSettings());
}

TEST_F(SettingsFileWin32Test, FileOverOneMebibyteIsNotRead) {
    ASSERT_TRUE(WriteWholeFile(path, OnTopLine('1') + std::string(2'000'000, ' ')));
    EXPECT_EQ(Read(), -99);
}

// Makes Trinumero.ini another name of the file other.txt: a Unix symbolic link made by ln
// (Wine's CreateSymbolicLinkW makes nothing), or a hard link.
bool LinkToOther(const TempDirectory& dir, bool symbolic) {
    if (!symbolic) {
        return CreateHardLinkA(dir.File("Trinumero.ini").c_str(), dir.File("other.txt").c_str(),
                               nullptr) != FALSE;
    }
    char command[] = "ln -s other.txt Trinumero.ini";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA("Z:\\bin\\ln", command, nullptr, nullptr, FALSE, 0, nullptr,
                        dir.Path().c_str(), &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    for (int wait = 0; wait < 250; ++wait) {
        if (GetFileAttributesA(dir.File("Trinumero.ini").c_str()) != INVALID_FILE_ATTRIBUTES) {
            return true;
        }
        Sleep(20);
    }
    return false;
}

TEST_F(SettingsFileWin32Test, SaveReplacesALinkNotTheFileItNames) {
    for (const bool symbolic : {true, false}) {
        const std::string other = dir.File("other.txt");
        ASSERT_TRUE(WriteWholeFile(other, "someone else's file"));
        ASSERT_TRUE(LinkToOther(dir, symbolic)) << symbolic;
        ASSERT_EQ(ReadWholeFile(path), "someone else's file") << symbolic;
        EXPECT_TRUE(Save()) << symbolic;
        EXPECT_EQ(ReadWholeFile(other), "someone else's file") << symbolic;
        EXPECT_EQ(ReadWholeFile(path), OnTopLine('1')) << symbolic;
        DeleteFileA(path.c_str());
    }
}

TEST_F(SettingsFileWin32Test, TheHandleIsTheOpenFile) {
    ASSERT_TRUE(WriteWholeFile(path, OnTopLine('1')));
    const auto handle = OpenSettingsForRead(wide_path);
    ASSERT_NE(handle, 0u);
    EXPECT_EQ(GetFileType(reinterpret_cast<HANDLE>(handle)), static_cast<DWORD>(FILE_TYPE_DISK));
    EXPECT_TRUE(CloseSettings());
    // Closed: the file can be taken exclusively again.
    const HANDLE exclusive = OpenOther(GENERIC_READ | GENERIC_WRITE, 0);
    EXPECT_NE(exclusive, INVALID_HANDLE_VALUE);
    CloseHandle(exclusive);
}

}  // namespace

// The settings file's place in the temporary folder, over a stand-in for the platform.
#include "settings/settings_temp_path.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/kit/temp_path_stand_in.h"

namespace {

using trinumero::BuildSettingsFilePath;
using trinumero::TextOfSizedCall;
using trinumero::testing::TempPathStandIn;

TEST(SettingsTempPath, BufferGrowsToTheRoomAskedFor) {
    struct Case {
        std::size_t length;
        std::size_t room;
        int calls;
    };
    const Case cases[] = {
        {259, 261, 1}, {260, 261, 1}, {261, 261, 2}, {5000, 261, 2}, {32767, 261, 2}, {10, 0, 2},
    };
    for (const Case& c : cases) {
        TempPathStandIn platform;
        platform.temp_path = L"C:\\" + std::wstring(c.length - 3, L'x');
        const auto call = [&platform](std::uint32_t size, wchar_t* buffer) {
            return platform.TempPath(size, buffer);
        };
        EXPECT_EQ(TextOfSizedCall(call, c.room), platform.temp_path) << c.length;
        EXPECT_EQ(platform.calls, c.calls) << c.length;
    }
}

TEST(SettingsTempPath, FailureGivesNothing) {
    EXPECT_EQ(TextOfSizedCall([](std::uint32_t, wchar_t*) { return std::uint32_t{0}; }, 10),
              std::nullopt);
    // A call that asks for more every time must not be followed for ever.
    int calls = 0;
    EXPECT_EQ(TextOfSizedCall(
                  [&calls](std::uint32_t size, wchar_t*) {
                      ++calls;
                      return size + 10;
                  },
                  10),
              std::nullopt);
    EXPECT_LT(calls, 10);
}

TEST(SettingsTempPath, PathIsInTheFolderOrEmptyWhenNoFullFolderCanBeHad) {
    const std::wstring folder = L"C:\\Users\\\x0418\x0432\x0430\x043D\\Temp\\";
    const std::wstring long_folder = L"C:\\" + std::wstring(300, L'l') + L"\\";
    struct Case {
        std::optional<std::wstring> temp_path;
        std::optional<std::wstring> long_path;
        int greedy_long_path;
        std::wstring expected;
    };
    const Case cases[] = {
        {folder, long_folder, 1, long_folder + L"\\Trinumero.ini"},
        {folder, std::nullopt, 0, folder + L"\\Trinumero.ini"},
        {folder, long_folder, 9, folder + L"\\Trinumero.ini"},
        {std::nullopt, long_folder, 0, L""},
        {L"tmp\\", std::nullopt, 0, L""},
        {std::wstring(L"C:\\\0x\\", 6), std::nullopt, 0, L""},
    };
    for (const Case& c : cases) {
        TempPathStandIn platform;
        platform.temp_path = c.temp_path;
        platform.long_path = c.long_path;
        platform.greedy_long_path = c.greedy_long_path;
        EXPECT_EQ(BuildSettingsFilePath(platform), c.expected);
    }
}

}  // namespace

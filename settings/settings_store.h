#pragma once

// The on-top setting, kept in Trinumero.ini in the user's temporary directory.
//
// How the main flow uses it:
//   - at start-up, once the text facilities are ready and before the main window exists,
//     SettingsFilePath() builds the path (it stays the same for the whole run) and
//     LoadOnTopSetting() reads the setting, creating the file with 0 on the first run;
//   - on every toggle of the menu item "Поверх остальных окон": set or clear the check mark,
//     SaveOnTopSetting(SettingsFilePath(), 1 or 0), then make the window topmost or not;
//   - at the end of the program CloseSettings() (settings_file_win32.h) closes a file that is
//     still open.
// Failures are shown to the user in a message box and the program goes on with defaults.
//
// The overloads taking SettingsStoreServices do the same work with a replaceable file state,
// file system and requester.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "settings/settings_file_state.h"
#include "support/charset_check.h"

namespace trinumero {

// The key of the setting in the file, Windows-1251; also the caption of the menu item.
inline constexpr char OnTopKey[] = "Поверх остальных окон";

inline constexpr unsigned kSettingsMessageFlags = 16;  // MB_OK | MB_ICONHAND
inline constexpr char kReadFailureTitle[] = "Модуль чтения настроек";
inline constexpr char kReadFailureText[] =
    "По неизвестной причине неудалось прочитать настройки\n\r"
    "Настройки установлены по умолчанию!";
inline constexpr char kSaveFailureTitle[] = "Модуль сохранения настроек";
inline constexpr char kSaveFailureText[] = "По неизвестной причине неудалось сохранить настройки";

// Shows a failure to the user and waits until it is acknowledged.
class MessageRequester {
  public:
    virtual ~MessageRequester() = default;
    virtual int Show(std::string_view title, std::string_view text, unsigned flags) = 0;
};

// The program's requester: a modal message box (ShowMessage).
class MessageBoxRequester final : public MessageRequester {
  public:
    int Show(std::string_view title, std::string_view text, unsigned flags) override;
};

struct SettingsStoreServices {
    SettingsFileState& file;
    SettingsFileSystem& files;
    MessageRequester& requester;
};

// A platform call that fills a buffer of the given size with a text and returns its length;
// 0 on failure; the room it needs (its NUL included) when the buffer is too small.
using SizedTextCall = std::function<std::uint32_t(std::uint32_t size, char* buffer)>;

// The text of such a call, made with room bytes first and again with the room it asks for;
// nullopt when it fails.
std::optional<std::string> TextOfSizedCall(const SizedTextCall& call, std::size_t room);

// The user's temporary directory as GetTempPathA gives it, in its long form where the
// platform can tell it; it ends with a backslash.
std::string GetTempDirectory();

// GetTempDirectory() followed by "\Trinumero.ini" (the doubled backslash reads as one).
std::string BuildSettingsFilePath();

// The settings file's path for this run: built by the first call, the same text afterwards.
const std::string& SettingsFilePath();

// Reads the setting once at start-up. A file that cannot be opened is first created with 0;
// when it still cannot be read, the user is told and the setting is 0. A file that opens is
// never rewritten here. The value is handed on as read: 0 is off, anything else on.
std::int32_t LoadOnTopSetting(std::string_view path, const SettingsStoreServices& services);
// The same for SettingsFilePath() with the process's file and message boxes.
std::int32_t LoadOnTopSetting();

// Writes the file afresh with the one line of the setting; tells the user when the file
// cannot be created or written.
void SaveOnTopSetting(std::string_view path, std::int32_t value,
                      const SettingsStoreServices& services);
// The same with the process's file and message boxes.
void SaveOnTopSetting(std::string_view path, std::int32_t value);

}  // namespace trinumero

#pragma once

// The on-top setting with the process's settings file, the platform's files and message
// boxes.
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
// The path is handed to the main flow in UTF-8 and made UTF-16 again for the file: every
// folder name the platform can give comes through unchanged. A folder whose name is no valid
// UTF-16 gives an empty path, which counts as a file that cannot be used.

#include <cstdint>
#include <string>
#include <string_view>

#include "settings/settings_store.h"

namespace trinumero {

// The settings file's path for this run, in UTF-8: built by the first call, the same text
// afterwards; empty when the temporary folder cannot be had.
const std::string& SettingsFilePath();

// LoadOnTopSetting for SettingsFilePath() with the process's file and message boxes.
std::int32_t LoadOnTopSetting();

// SaveOnTopSetting for a path in UTF-8 with the process's file and message boxes.
void SaveOnTopSetting(std::string_view path, std::int32_t value);

}  // namespace trinumero

#pragma once

// The on-top setting, kept in Trinumero.ini in the user's temporary folder: loading it once
// at start-up and saving it on every toggle, over the file state, file system and requester
// the caller gives (the program's own: the process's settings file, the platform's files and
// message boxes).

#include <cstdint>
#include <string_view>

#include "settings/settings_file_state.h"
#include "settings/settings_requester.h"
#include "support/on_top_text.h"

namespace trinumero {

// The key of the setting in the file: the setting's name, also the caption of its menu item.
inline constexpr const char (&OnTopKey)[sizeof kOnTopText] = kOnTopText;

struct SettingsStoreServices {
    SettingsFileState& file;
    SettingsFileSystem& files;
    MessageRequester& requester;
};

// Reads the setting once at start-up. A file that cannot be opened is first created with 0;
// when it still cannot be read, the user is told and the setting is 0. A file that opens is
// never rewritten here. The value is handed on as read: 0 is off, anything else on. An
// empty path, a folder that could not be had, counts as a file that can be neither opened
// nor created.
std::int32_t LoadOnTopSetting(std::wstring_view path, const SettingsStoreServices& services);

// Writes the file afresh with the one line of the setting; tells the user when the file
// cannot be created or written, and the old file then stays as it was.
void SaveOnTopSetting(std::wstring_view path, std::int32_t value,
                      const SettingsStoreServices& services);

}  // namespace trinumero

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

// The setting at start-up. A missing file is created with 0 first, so that the user finds
// the file to edit; one that opens is never rewritten, so that lines a user added stay until
// the next toggle. The value is handed on as read (0 off, anything else on), and every
// failure ends in 0 after telling the user. An empty path (no temporary folder to be had)
// fails like a file that can be neither opened nor created.
std::int32_t LoadOnTopSetting(std::wstring_view path, const SettingsStoreServices& services);

// Writes the file afresh with the one line of the setting. A failure is the user's to know
// (the caller goes on either way), and leaves the old file as it was.
void SaveOnTopSetting(std::wstring_view path, std::int32_t value,
                      const SettingsStoreServices& services);

}  // namespace trinumero

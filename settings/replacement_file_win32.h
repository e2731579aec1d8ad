#pragma once

// How a save puts new content in place of the settings file. It never writes into the file
// that is there: the new content goes into a fresh file of the same folder, which reaches the
// disk and is then renamed over the name through its own handle. A link in the file's place
// is replaced, not written through, and the old file stays whole until the new one is.
//
// The fresh file is marked to be deleted with its handle until the moment it takes the name,
// so a failed or abandoned save, and a process that dies while writing, leave nothing behind.
// Only a death in the instant between creating and marking the file, or between clearing the
// mark and the rename, can leave one; the next save in that folder removes it once its writer
// is gone. A holder of the old file for a moment (a virus scanner, another instance reading
// it) is waited for, about 100 ms, before the save fails.

#include <windows.h>

#include <memory>
#include <string>

#include "settings/settings_file_state.h"

namespace trinumero {

// Fresh files are named "~tn" (for "Trinumero, new"), the writer's process id in
// hexadecimal, "." and the attempt: never longer than "Trinumero.ini", so that a folder deep
// enough for the settings file has room for them too.
inline constexpr wchar_t kFreshFilePrefix[] = L"~tn";

// Creates the fresh file of that name, only if there is none, for writing, renaming and
// deleting; INVALID_HANDLE_VALUE and the error through GetLastError when it cannot.
using FreshFileCreator = HANDLE (*)(const std::wstring& fresh_path);
HANDLE CreateFreshFile(const std::wstring& fresh_path);

// New content for the file at path, put in place by a successful Close; nullptr when the
// file there must be left alone (a directory, a read-only, hidden or system file, as creating
// it anew would refuse) or no fresh file can be made. Tests may create the fresh files
// through a stand-in.
std::unique_ptr<SettingsFile> OpenReplacement(const std::wstring& path,
                                              FreshFileCreator create = CreateFreshFile);

}  // namespace trinumero

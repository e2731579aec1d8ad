#pragma once

// How a save puts new content in place of the settings file. It never writes into the file
// that is there: the new content goes into a fresh file of the same folder, which reaches the
// disk and is then renamed over the name through its own handle. A link in the file's place
// is replaced, not written through, and the old file stays whole until the new one is.
//
// The fresh file (named as settings/fresh_file_name.h says) is marked to be deleted with its
// handle until the moment it takes the name, so a failed or abandoned save, and a process that
// dies while writing, leave nothing behind. Only a death in the instant between creating and
// marking the file, or between clearing the mark and the rename, can leave one; the next save
// in that folder removes it once its writer is gone (settings/abandoned_fresh_files_win32.h). A
// holder of the old file for a moment (a virus scanner, another instance reading it) is waited
// for, about 100 ms, before the save fails.

#include <windows.h>

#include <memory>
#include <string>

#include "settings/settings_file_state.h"

namespace trinumero {

// Creates the fresh file of that name, only if there is none, for writing, renaming and
// deleting; INVALID_HANDLE_VALUE and the error through GetLastError when it cannot.
using FreshFileCreator = HANDLE (*)(const std::wstring& fresh_path);
HANDLE CreateFreshFile(const std::wstring& fresh_path);

// Waits that many milliseconds before the next try of putting the new content in place.
using PlacingWait = void (*)(DWORD milliseconds);
void WaitBeforeNextTry(DWORD milliseconds);

// New content for the file at path, put in place by a successful Close; nullptr when the
// file there must be left alone (a directory, a read-only, hidden or system file, as creating
// it anew would refuse) or no fresh file can be made. Tests may create the fresh files, and
// see the waits for a holder of the old file, through stand-ins.
std::unique_ptr<SettingsFile> OpenReplacement(const std::wstring& path,
                                              FreshFileCreator create = CreateFreshFile,
                                              PlacingWait wait = WaitBeforeNextTry);

}  // namespace trinumero

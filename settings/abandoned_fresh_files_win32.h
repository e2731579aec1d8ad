#pragma once

// The sweep of abandoned fresh files (settings/fresh_file_name.h). A save's fresh file goes
// with its handle, but one whose writer died in the instant between creating and marking it,
// or between clearing the mark and the rename, stays in the folder; so does any fresh file on
// a file system that cannot mark files to be deleted, when its writer dies. Each save sweeps
// its folder first.

#include <string>

namespace trinumero {

// Removes the fresh files in the folder (a path ending with its separator) whose writer is
// certainly gone. A fresh file whose writer still runs is never touched: it may be in the
// middle of its save.
void RemoveAbandonedFreshFiles(const std::wstring& folder);

}  // namespace trinumero

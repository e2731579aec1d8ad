#pragma once

// Folders and files for the tests under Windows: a fresh folder of each test's own, removed
// with everything in it at the end, and whole-file reads and writes. Paths are UTF-16, so
// that folders can be named in any script.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/handles_win32.h"

namespace trinumero::testing {

class TempDirectory {
  public:
    // A new folder in the process's temporary folder; name_part tells it apart and may hold
    // spaces.
    explicit TempDirectory(std::wstring_view name_part = L"trinumero test");
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;
    ~TempDirectory();

    bool Made() const { return !path_.empty(); }
    // Without a trailing backslash.
    const std::wstring& Path() const { return path_; }
    std::wstring File(std::wstring_view name) const;

  private:
    std::wstring path_;
};

// The existing file opened as another program would open it; empty when the platform
// refuses, with the reason in GetLastError.
KernelHandle OpenExistingFile(const std::wstring& path, DWORD access, DWORD share);
// The whole content, or nothing when the file cannot be read.
std::optional<std::string> ReadWholeFile(const std::wstring& path);
bool WriteWholeFile(const std::wstring& path, std::string_view content);
bool FileExists(const std::wstring& path);
// The names in the folder, sorted, without "." and "..".
std::vector<std::wstring> ListFolder(const std::wstring& path);

}  // namespace trinumero::testing

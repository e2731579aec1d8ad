#pragma once

// The temporary folder from the platform: GetTempPathW, and GetLongPathNameW looked up at run
// time in "Kernel32.DLL", loaded from the system folder, so that where it is missing the
// folder of GetTempPathW stands.

#include <windows.h>

#include <cstdint>
#include <string>

#include "settings/settings_temp_path.h"
#include "support/handles_win32.h"

namespace trinumero {

// Holds Kernel32.DLL loaded while it lives.
class Win32TempPathCalls final : public TempPathCalls {
  public:
    Win32TempPathCalls();

    std::uint32_t TempPath(std::uint32_t size, wchar_t* buffer) override;
    bool HasLongPathName() const override { return long_path_name_ != nullptr; }
    std::uint32_t LongPathName(const wchar_t* path, std::uint32_t size, wchar_t* buffer) override;

    using GetLongPathNameFunction = DWORD(WINAPI*)(LPCWSTR, LPWSTR, DWORD);

  private:
    LibraryHandle kernel_;
    GetLongPathNameFunction long_path_name_ = nullptr;
};

// The settings file's path, from the platform's temporary folder; empty when the folder
// cannot be had. The main flow builds it once and keeps it for the run.
std::wstring SettingsFilePath();

}  // namespace trinumero

#pragma once

// An open file of the platform (CreateFileW's handle) behind the settings steps' file
// interface: its size, reads, writes and end, through GetFileSize, ReadFile, SetFilePointer,
// WriteFile and SetEndOfFile. Closing or destroying it closes the handle.

#include <windows.h>

#include "settings/settings_file_state.h"

namespace trinumero {

class Win32File : public SettingsFile {
  public:
    explicit Win32File(HANDLE handle) : handle_(handle) {}
    Win32File(const Win32File&) = delete;
    Win32File& operator=(const Win32File&) = delete;
    ~Win32File() override { CloseOwnHandle(); }

    std::optional<std::uint64_t> Size() override;
    std::optional<std::size_t> Read(std::span<char> into) override;
    bool SeekToStart() override;
    std::optional<std::size_t> Write(std::span<const char> bytes) override;
    bool SetEnd() override;
    bool Close() override { return CloseOwnHandle(); }

  protected:
    HANDLE Handle() const { return handle_; }
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    // Closes the handle once; true when it was closed now or before.
    bool CloseOwnHandle();

  private:
    HANDLE handle_;
};

}  // namespace trinumero

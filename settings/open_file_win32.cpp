#include "settings/open_file_win32.h"

#include <utility>

namespace trinumero {

std::optional<std::uint64_t> Win32File::Size() {
    DWORD high = 0;
    const DWORD low = GetFileSize(handle_, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
        return std::nullopt;
    }
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

std::optional<std::size_t> Win32File::Read(std::span<char> into) {
    if (into.size() > MAXDWORD) {
        return std::nullopt;
    }
    DWORD got = 0;
    if (!ReadFile(handle_, into.data(), static_cast<DWORD>(into.size()), &got, nullptr)) {
        return std::nullopt;
    }
    return got;
}

bool Win32File::SeekToStart() {
    return SetFilePointer(handle_, 0, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER;
}

std::optional<std::size_t> Win32File::Write(std::span<const char> bytes) {
    if (bytes.size() > MAXDWORD) {
        return std::nullopt;
    }
    DWORD written = 0;
    if (!WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
        return std::nullopt;
    }
    return written;
}

bool Win32File::SetEnd() {
    return SetEndOfFile(handle_) != FALSE;
}

bool Win32File::CloseOwnHandle() {
    if (handle_ == INVALID_HANDLE_VALUE) {
        return true;
    }
    return CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != FALSE;
}

}  // namespace trinumero

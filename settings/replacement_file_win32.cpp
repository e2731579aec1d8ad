#include "settings/replacement_file_win32.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "settings/abandoned_fresh_files_win32.h"
#include "settings/fresh_file_name.h"
#include "settings/open_file_win32.h"

namespace trinumero {

namespace {

// Waits, in milliseconds, before each new try of putting new content in place while the
// file it replaces is held by someone else for a moment (a virus scanner, an indexer, another
// instance of the program reading it): about 100 ms in all. A holder that stays longer makes
// the save fail.
constexpr std::array<DWORD, 6> kPlacingWaits{2, 5, 10, 18, 25, 40};

// Whether a failure to put new content in place may pass: the file it replaces is open.
bool HeldForAMoment(DWORD error) {
    return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ||
           error == ERROR_LOCK_VIOLATION;
}

// Whether a fresh name could not be had because of the file under it, so that the next
// name may do: a file is there, or one is waiting to be deleted while something (a virus
// scanner) still holds it, which refuses every open with access denied, or one is held open.
bool NameTakenForNow(DWORD error) {
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ||
           error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
}

// Marks the open file to be deleted when its last handle is closed, or clears the mark.
bool MarkForDeletion(HANDLE file, bool deleted) {
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = deleted ? TRUE : FALSE;
    return SetFileInformationByHandle(file, FileDispositionInfo, &disposition,
                                      sizeof disposition) != FALSE;
}

// How many words hold that many bytes.
constexpr std::size_t WordsFor(std::size_t bytes) {
    return (bytes + sizeof(std::uint64_t) - 1) / sizeof(std::uint64_t);
}

// The record that renames an open file to path, replacing what is there, in storage
// aligned for the record: its fixed part, then words enough for the name.
std::vector<std::uint64_t> RenameRecord(const std::wstring& path) {
    const std::size_t name_bytes = path.size() * sizeof(wchar_t);
    std::vector<std::uint64_t> storage(WordsFor(sizeof(FILE_RENAME_INFO)) + WordsFor(name_bytes));
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(storage.data());
    rename->ReplaceIfExists = TRUE;
    rename->RootDirectory = nullptr;
    rename->FileNameLength = static_cast<DWORD>(name_bytes);
    std::copy(path.begin(), path.end(), rename->FileName);  // the zero storage ends it
    return storage;
}

// Fresh content that Close renames over the target, through its own handle, so that it is
// never closed under its fresh name; marked to be deleted with the handle until then.
class ReplacementFile final : public Win32File {
  public:
    ReplacementFile(HANDLE handle, std::wstring fresh_path, std::wstring target_path,
                    PlacingWait wait)
        : Win32File(handle),
          fresh_path_(std::move(fresh_path)),
          target_path_(std::move(target_path)),
          wait_(wait),
          marked_(MarkForDeletion(handle, true)) {}
    ~ReplacementFile() override { Release(); }

    bool Close() override {
        if (!IsOpen()) {
            return true;
        }
        // The content reaches the disk before the name does: after a power cut the name
        // holds either the old file or the whole new one.
        const bool placed = FlushFileBuffers(Handle()) != FALSE && PutInPlace();
        return Release() && placed;
    }

  private:
    // Renames the file over the target. The mark for deletion is cleared only for the
    // moment of each try (a rename would take it along to the target) and set again while
    // a holder of the target is waited for.
    bool PutInPlace() {
        std::vector<std::uint64_t> rename = RenameRecord(target_path_);
        const auto size = static_cast<DWORD>(rename.size() * sizeof(std::uint64_t));
        for (std::size_t attempt = 0;; ++attempt) {
            marked_ = marked_ && !MarkForDeletion(Handle(), false);
            if (!marked_ && SetFileInformationByHandle(Handle(), FileRenameInfo, rename.data(),
                                                       size) != FALSE) {
                fresh_path_.clear();
                return true;
            }
            const DWORD error = GetLastError();
            marked_ = MarkForDeletion(Handle(), true);
            if (attempt == kPlacingWaits.size() || !HeldForAMoment(error)) {
                return false;
            }
            wait_(kPlacingWaits[attempt]);
        }
    }

    // Closes the handle; fresh content that is not in place goes with it, or, where the
    // file system would not mark it, right after.
    bool Release() {
        if (!IsOpen()) {
            return true;
        }
        const bool closed = CloseOwnHandle();
        if (!fresh_path_.empty() && !marked_) {
            DeleteFileW(fresh_path_.c_str());
        }
        return closed;
    }

    std::wstring fresh_path_;  // empty once the content is in place
    std::wstring target_path_;
    PlacingWait wait_;
    bool marked_;  // to be deleted when closed
};

// A file that a save must leave alone, as creating it anew (CREATE_ALWAYS with normal
// attributes) leaves it: a directory, a read-only file, and a hidden or system file. Moving over
// the name would replace them all (Wine running as root even writes into them), so the
// refusal is made here, before anything is created.
bool RefusesReplacing(const std::wstring& path) {
    const DWORD existing = GetFileAttributesW(path.c_str());
    if (existing == INVALID_FILE_ATTRIBUTES) {
        return false;  // nothing to replace
    }
    return (existing & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                        FILE_ATTRIBUTE_SYSTEM)) != 0;
}

// The folder part of path, with its trailing separator; empty for a bare name.
std::wstring FolderOf(const std::wstring& path) {
    const std::size_t folder_end = path.find_last_of(L"\\/:");
    return path.substr(0, folder_end == std::wstring::npos ? 0 : folder_end + 1);
}

}  // namespace

void WaitBeforeNextTry(DWORD milliseconds) {
    Sleep(milliseconds);
}

HANDLE CreateFreshFile(const std::wstring& fresh_path) {
    // CREATE_NEW never opens what is already there, a link included; DELETE lets the file be
    // renamed and marked through its handle.
    return CreateFileW(fresh_path.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ, nullptr,
                       CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::unique_ptr<SettingsFile> OpenReplacement(const std::wstring& path, FreshFileCreator create,
                                              PlacingWait wait) {
    if (RefusesReplacing(path)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    const std::wstring folder = FolderOf(path);
    RemoveAbandonedFreshFiles(folder);
    for (int attempt = 0; attempt < kFreshNameAttempts; ++attempt) {
        std::wstring fresh = folder;
        AppendFreshFileName(fresh, GetCurrentProcessId(), attempt);
        const HANDLE handle = create(fresh);
        if (handle != INVALID_HANDLE_VALUE) {
            return std::make_unique<ReplacementFile>(handle, std::move(fresh), path, wait);
        }
        if (!NameTakenForNow(GetLastError())) {
            return nullptr;
        }
    }
    return nullptr;
}

}  // namespace trinumero

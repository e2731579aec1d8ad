#include "settings/settings_file_win32.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/digits.h"
#include "support/handles_win32.h"

namespace trinumero {

namespace {

static_assert(kFileGenericRead == GENERIC_READ && kFileGenericWrite == GENERIC_WRITE);
static_assert(kFileShareRead == FILE_SHARE_READ);
static_assert(kFileCreateAlways == CREATE_ALWAYS && kFileOpenExisting == OPEN_EXISTING);
static_assert(kFileAttributeNormal == FILE_ATTRIBUTE_NORMAL);

// How many fresh names a save tries before it gives up: something else may hold one (a virus
// scanner), so that it can be neither removed nor created.
constexpr int kFreshNameAttempts = 8;

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

// Marks the open file to be deleted when its last handle is closed, or clears the mark.
bool MarkForDeletion(HANDLE file, bool deleted) {
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = deleted ? TRUE : FALSE;
    return SetFileInformationByHandle(file, FileDispositionInfo, &disposition,
                                      sizeof disposition) != FALSE;
}

// The record that renames an open file to path, replacing what is there, in storage
// aligned for the record.
std::vector<std::uint64_t> RenameRecord(const std::wstring& path) {
    const std::size_t name_bytes = path.size() * sizeof(wchar_t);
    std::vector<std::uint64_t> storage(
        (sizeof(FILE_RENAME_INFO) + name_bytes + sizeof(std::uint64_t) - 1) /
        sizeof(std::uint64_t));
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(storage.data());
    rename->ReplaceIfExists = TRUE;
    rename->RootDirectory = nullptr;
    rename->FileNameLength = static_cast<DWORD>(name_bytes);
    std::copy(path.begin(), path.end(), rename->FileName);  // the zero storage ends it
    return storage;
}

// An open file. One that holds the new content of a save (target_path set) is written to
// disk and renamed over target_path by Close, through its own handle, so that it is never
// closed under its fresh name. Until then it is marked to be deleted when its handle is
// closed: a failed save, an abandoned one and a process that dies while writing leave no
// fresh file behind. Only a death in the instant between creating and marking the file, or
// between clearing the mark and the rename, can leave one; the next save removes it
// (RemoveAbandonedFreshFiles).
class Win32SettingsFile final : public SettingsFile {
  public:
    explicit Win32SettingsFile(HANDLE handle, std::wstring fresh_path = {},
                               std::wstring target_path = {})
        : handle_(handle),
          fresh_path_(std::move(fresh_path)),
          target_path_(std::move(target_path)),
          marked_(!target_path_.empty() && MarkForDeletion(handle_, true)) {}
    Win32SettingsFile(const Win32SettingsFile&) = delete;
    Win32SettingsFile& operator=(const Win32SettingsFile&) = delete;
    ~Win32SettingsFile() override { Release(); }

    SettingsHandle Handle() const override { return reinterpret_cast<SettingsHandle>(handle_); }

    std::optional<std::uint64_t> Size() override {
        DWORD high = 0;
        const DWORD low = GetFileSize(handle_, &high);
        if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
            return std::nullopt;
        }
        return (static_cast<std::uint64_t>(high) << 32) | low;
    }

    std::optional<std::size_t> Read(std::span<char> into) override {
        if (into.size() > MAXDWORD) {
            return std::nullopt;
        }
        DWORD got = 0;
        if (!ReadFile(handle_, into.data(), static_cast<DWORD>(into.size()), &got, nullptr)) {
            return std::nullopt;
        }
        return got;
    }

    bool SeekToStart() override {
        return SetFilePointer(handle_, 0, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER;
    }

    std::optional<std::size_t> Write(std::span<const char> bytes) override {
        if (bytes.size() > MAXDWORD) {
            return std::nullopt;
        }
        DWORD written = 0;
        if (!WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                       nullptr)) {
            return std::nullopt;
        }
        return written;
    }

    bool SetEnd() override { return SetEndOfFile(handle_) != FALSE; }

    bool Close() override {
        if (handle_ == INVALID_HANDLE_VALUE) {
            return true;
        }
        // The content reaches the disk before the name does: after a power cut the name
        // holds either the old file or the whole new one.
        const bool placed =
            target_path_.empty() || (FlushFileBuffers(handle_) != FALSE && PutInPlace());
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
            marked_ = marked_ && !MarkForDeletion(handle_, false);
            if (!marked_ &&
                SetFileInformationByHandle(handle_, FileRenameInfo, rename.data(), size) != FALSE) {
                fresh_path_.clear();
                return true;
            }
            const DWORD error = GetLastError();
            marked_ = MarkForDeletion(handle_, true);
            if (attempt == kPlacingWaits.size() || !HeldForAMoment(error)) {
                return false;
            }
            Sleep(kPlacingWaits[attempt]);
        }
    }

    // Closes the handle; fresh content that is not in place goes with it, or, where the
    // file system would not mark it, right after.
    bool Release() {
        if (handle_ == INVALID_HANDLE_VALUE) {
            return true;
        }
        const bool closed = CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != FALSE;
        if (!fresh_path_.empty() && !marked_) {
            DeleteFileW(fresh_path_.c_str());
        }
        return closed;
    }

    HANDLE handle_;
    std::wstring fresh_path_;  // empty once the content is in place
    std::wstring target_path_;
    bool marked_;  // to be deleted when closed
};

// A file that a save must leave alone, as CREATE_ALWAYS leaves it: a directory, a read-only
// file, and a hidden or system file unless the same attributes are asked for. Moving over
// the name would replace them all (Wine running as root even writes into them), so the
// refusal is made here, before anything is created.
bool RefusesReplacing(const std::wstring& path, const FileOpenMode& mode) {
    const DWORD existing = GetFileAttributesW(path.c_str());
    if (existing == INVALID_FILE_ATTRIBUTES) {
        return false;  // nothing to replace
    }
    const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    return (existing & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0 ||
           (existing & kept & ~static_cast<DWORD>(mode.attributes)) != 0;
}

// The folder part of path, with its trailing separator; empty for a bare name.
std::wstring FolderOf(const std::wstring& path) {
    const std::size_t folder_end = path.find_last_of(L"\\/:");
    return path.substr(0, folder_end == std::wstring::npos ? 0 : folder_end + 1);
}

// A name for new content in the folder of path, "~tn", the process id in hexadecimal, "."
// and the attempt (0 to 7): never longer than "Trinumero.ini", so that a folder deep enough
// for the settings file has room for it too.
std::wstring FreshFilePath(const std::wstring& path, int attempt) {
    std::wstring fresh = FolderOf(path) + L"~tn";
    AppendDigits(fresh, GetCurrentProcessId(), 16);
    fresh.push_back(L'.');
    AppendDigits(fresh, static_cast<std::uint32_t>(attempt), 10);
    return fresh;
}

// The id of the process that wrote a file of that name, when the name is one of
// FreshFilePath's.
std::optional<DWORD> FreshFileWriter(std::wstring_view name) {
    constexpr std::size_t kPrefix = 3;  // "~tn"
    if (name.size() < kPrefix + 3 || name.size() > kPrefix + 10 || name.substr(0, 3) != L"~tn" ||
        name[name.size() - 2] != L'.' || name.back() < L'0' ||
        name.back() >= L'0' + kFreshNameAttempts) {
        return std::nullopt;
    }
    DWORD writer = 0;
    for (const wchar_t digit : name.substr(kPrefix, name.size() - kPrefix - 2)) {
        const auto lower = static_cast<wchar_t>(digit | 0x20);
        const bool decimal = digit >= L'0' && digit <= L'9';
        if (!decimal && (lower < L'a' || lower > L'f')) {
            return std::nullopt;
        }
        writer = writer * 16 + static_cast<DWORD>(decimal ? digit - L'0' : lower - L'a' + 10);
    }
    return writer;
}

// Whether the process is certainly gone: no process has the id, or the one that has it has
// ended. This process writes its fresh files only inside a save, so one of its id found
// before the save began was left by an earlier process of the same id. A process that
// cannot be asked counts as running.
bool ProcessIsGone(DWORD process_id) {
    if (process_id == GetCurrentProcessId()) {
        return true;
    }
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, process_id);
    if (process == nullptr) {
        return GetLastError() == ERROR_INVALID_PARAMETER;
    }
    const bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

// Removes the fresh files in the folder whose writer is gone. This version's fresh files
// go with their handle, but one whose writer died in the instant between clearing the mark
// and the rename stays, and older versions left theirs after any crash. A fresh file whose
// writer still runs is never touched: it may be in the middle of its save.
void RemoveAbandonedFreshFiles(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    const FindHandle search(FindFirstFileExW((folder + L"~tn*").c_str(), FindExInfoBasic, &found,
                                             FindExSearchNameMatch, nullptr, 0));
    if (search.get() == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        const std::optional<DWORD> writer = FreshFileWriter(found.cFileName);
        if (writer && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
            ProcessIsGone(*writer)) {
            DeleteFileW((folder + found.cFileName).c_str());
        }
    } while (FindNextFileW(search.get(), &found));
}

// New content for path in a fresh file beside it (CREATE_NEW never opens what is already
// there, a link included), opened with the right to rename and delete it; the file is
// renamed over path when it is closed.
std::unique_ptr<SettingsFile> OpenReplacement(const std::wstring& path, const FileOpenMode& mode) {
    if (RefusesReplacing(path, mode)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    RemoveAbandonedFreshFiles(FolderOf(path));
    for (int attempt = 0; attempt < kFreshNameAttempts; ++attempt) {
        std::wstring fresh = FreshFilePath(path, attempt);
        const HANDLE handle = CreateFileW(fresh.c_str(), mode.access | DELETE, mode.share, nullptr,
                                          CREATE_NEW, mode.attributes, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            return std::make_unique<Win32SettingsFile>(handle, std::move(fresh), path);
        }
        if (GetLastError() != ERROR_FILE_EXISTS) {
            return nullptr;
        }
    }
    return nullptr;
}

}  // namespace

Win32SettingsFileSystem& ProcessFileSystem() {
    static Win32SettingsFileSystem files;
    return files;
}

std::unique_ptr<SettingsFile> Win32SettingsFileSystem::Open(std::wstring_view path,
                                                            const FileOpenMode& mode) {
    const std::wstring path_text(path);
    if (mode.creation == CREATE_ALWAYS) {
        return OpenReplacement(path_text, mode);
    }
    const HANDLE handle = CreateFileW(path_text.c_str(), mode.access, mode.share, nullptr,
                                      mode.creation, mode.attributes, nullptr);
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr) {
        return nullptr;
    }
    return std::make_unique<Win32SettingsFile>(handle);
}

SettingsFileState& ProcessSettingsFileState() {
    static SettingsFileState state;
    return state;
}

SettingsHandle OpenSettingsForRead(std::wstring_view path) {
    return OpenSettingsForRead(ProcessSettingsFileState(), ProcessFileSystem(), path);
}

std::int32_t ReadSettingLong(std::string_view key, std::int32_t fallback) {
    return ReadSettingLong(ProcessSettingsFileState(), key, fallback);
}

SettingsHandle CreateSettingsFile(std::wstring_view path) {
    return CreateSettingsFile(ProcessSettingsFileState(), ProcessFileSystem(), path);
}

void WriteSettingLong(std::string_view key, std::int32_t value) {
    WriteSettingLong(ProcessSettingsFileState(), key, value);
}

bool CloseSettings() {
    return CloseSettings(ProcessSettingsFileState());
}

}  // namespace trinumero

#include "settings/settings_file_win32.h"

#include <windows.h>

#include <string>
#include <utility>

#include "support/digits.h"

namespace trinumero {

namespace {

static_assert(kFileGenericRead == GENERIC_READ && kFileGenericWrite == GENERIC_WRITE);
static_assert(kFileShareRead == FILE_SHARE_READ);
static_assert(kFileCreateAlways == CREATE_ALWAYS && kFileOpenExisting == OPEN_EXISTING);
static_assert(kFileAttributeNormal == FILE_ATTRIBUTE_NORMAL);

// How many fresh names a save tries before it gives up: another save of the same process
// id may hold one, or a crash may have left one behind.
constexpr int kFreshNameAttempts = 8;

// An open file. One that holds the new content of a save (fresh_path set) is moved over
// target_path by Close, and deleted by a failed Close or by the destructor.
class Win32SettingsFile final : public SettingsFile {
  public:
    explicit Win32SettingsFile(HANDLE handle, std::wstring fresh_path = {},
                               std::wstring target_path = {})
        : handle_(handle),
          fresh_path_(std::move(fresh_path)),
          target_path_(std::move(target_path)) {}
    Win32SettingsFile(const Win32SettingsFile&) = delete;
    Win32SettingsFile& operator=(const Win32SettingsFile&) = delete;
    ~Win32SettingsFile() override {
        if (handle_ != INVALID_HANDLE_VALUE) {
            CloseHandle(handle_);
        }
        if (!fresh_path_.empty()) {
            DeleteFileW(fresh_path_.c_str());
        }
    }

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
        const HANDLE handle = std::exchange(handle_, INVALID_HANDLE_VALUE);
        const bool closed = CloseHandle(handle) != FALSE;
        if (fresh_path_.empty()) {
            return closed;
        }
        const std::wstring fresh = std::exchange(fresh_path_, std::wstring());
        const bool moved =
            closed && MoveFileExW(fresh.c_str(), target_path_.c_str(),
                                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
        if (!moved) {
            DeleteFileW(fresh.c_str());
        }
        return moved;
    }

  private:
    HANDLE handle_;
    std::wstring fresh_path_;
    std::wstring target_path_;
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

// A name for new content in the folder of path, "~tn", the process id in hexadecimal, "."
// and the attempt (0 to 7): never longer than "Trinumero.ini", so that a folder deep enough
// for the settings file has room for it too.
std::wstring FreshFilePath(const std::wstring& path, int attempt) {
    const std::size_t folder_end = path.find_last_of(L"\\/:");
    const std::size_t name_start = folder_end == std::wstring::npos ? 0 : folder_end + 1;
    std::wstring fresh = path.substr(0, name_start) + L"~tn";
    AppendDigits(fresh, GetCurrentProcessId(), 16);
    fresh.push_back(L'.');
    AppendDigits(fresh, static_cast<std::uint32_t>(attempt), 10);
    return fresh;
}

// New content for path in a fresh file beside it (CREATE_NEW never opens what is already
// there, a link included); the file is moved over path when it is closed.
std::unique_ptr<SettingsFile> OpenReplacement(const std::wstring& path, const FileOpenMode& mode) {
    if (RefusesReplacing(path, mode)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    for (int attempt = 0; attempt < kFreshNameAttempts; ++attempt) {
        std::wstring fresh = FreshFilePath(path, attempt);
        const HANDLE handle = CreateFileW(fresh.c_str(), mode.access, mode.share, nullptr,
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

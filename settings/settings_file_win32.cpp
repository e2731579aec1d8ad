#include "settings/settings_file_win32.h"

#include <windows.h>

#include <string>
#include <utility>

namespace trinumero {

namespace {

static_assert(kFileGenericRead == GENERIC_READ && kFileGenericWrite == GENERIC_WRITE);
static_assert(kFileShareRead == FILE_SHARE_READ);
static_assert(kFileCreateAlways == CREATE_ALWAYS && kFileOpenExisting == OPEN_EXISTING);
static_assert(kFileAttributeNormal == FILE_ATTRIBUTE_NORMAL);

class Win32SettingsFile final : public SettingsFile {
  public:
    explicit Win32SettingsFile(HANDLE handle) : handle_(handle) {}
    Win32SettingsFile(const Win32SettingsFile&) = delete;
    Win32SettingsFile& operator=(const Win32SettingsFile&) = delete;
    ~Win32SettingsFile() override { Close(); }

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
        return CloseHandle(handle) != FALSE;
    }

  private:
    HANDLE handle_;
};

// Windows refuses to replace (CREATE_ALWAYS) a read-only file, and a hidden or system file
// unless the same attributes are asked for. Wine running as root replaces them all the
// same, so the refusal is made here as well: the settings file then behaves alike on both.
bool RefusesReplacing(const std::string& path, const FileOpenMode& mode) {
    if (mode.creation != CREATE_ALWAYS) {
        return false;
    }
    const DWORD existing = GetFileAttributesA(path.c_str());
    if (existing == INVALID_FILE_ATTRIBUTES || (existing & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return false;  // nothing to replace, or CreateFileA refuses a directory itself
    }
    const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    return (existing & FILE_ATTRIBUTE_READONLY) != 0 ||
           (existing & kept & ~static_cast<DWORD>(mode.attributes)) != 0;
}

}  // namespace

Win32SettingsFileSystem& ProcessFileSystem() {
    static Win32SettingsFileSystem files;
    return files;
}

std::unique_ptr<SettingsFile> Win32SettingsFileSystem::Open(std::string_view path,
                                                            const FileOpenMode& mode) {
    const std::string path_text(path);
    if (RefusesReplacing(path_text, mode)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    const HANDLE handle = CreateFileA(path_text.c_str(), mode.access, mode.share, nullptr,
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

SettingsHandle OpenSettingsForRead(std::string_view path) {
    return OpenSettingsForRead(ProcessSettingsFileState(), ProcessFileSystem(), path);
}

std::int32_t ReadSettingLong(std::string_view key, std::int32_t fallback) {
    return ReadSettingLong(ProcessSettingsFileState(), key, fallback);
}

SettingsHandle CreateSettingsFile(std::string_view path) {
    return CreateSettingsFile(ProcessSettingsFileState(), ProcessFileSystem(), path);
}

void WriteSettingLong(std::string_view key, std::int32_t value) {
    WriteSettingLong(ProcessSettingsFileState(), key, value);
}

bool CloseSettings() {
    return CloseSettings(ProcessSettingsFileState());
}

}  // namespace trinumero

#include "settings/settings_store.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "settings/settings_file_win32.h"
#include "support/handles_win32.h"
#include "ui/message_box.h"

namespace trinumero {

namespace {

static_assert(kSettingsMessageFlags == (MB_OK | MB_ICONHAND));

using GetLongPathNameFunction = DWORD(WINAPI*)(LPCSTR, LPSTR, DWORD);

SettingsStoreServices ProcessServices() {
    static MessageBoxRequester requester;
    return SettingsStoreServices{ProcessSettingsFileState(), ProcessFileSystem(), requester};
}

}  // namespace

int MessageBoxRequester::Show(std::string_view title, std::string_view text, unsigned flags) {
    return ShowMessage(title, text, flags);
}

std::optional<std::string> TextOfSizedCall(const SizedTextCall& call, std::size_t room) {
    std::vector<char> buffer(room > 0 ? room : 1);
    // The size asked for can change between calls; a few tries are plenty.
    for (int attempt = 0; attempt < 4; ++attempt) {
        const std::uint32_t length = call(static_cast<std::uint32_t>(buffer.size()), buffer.data());
        if (length == 0) {
            return std::nullopt;
        }
        if (length < buffer.size()) {
            return std::string(buffer.data(), length);
        }
        // Too small: length is the room needed, the terminating NUL included.
        buffer.resize(static_cast<std::size_t>(length) + 1);
    }
    return std::nullopt;
}

std::string GetTempDirectory() {
    // The directory may be longer than MAX_PATH: the buffer grows to what is asked for.
    const std::optional<std::string> directory = TextOfSizedCall(
        [](std::uint32_t size, char* buffer) { return GetTempPathA(size, buffer); }, MAX_PATH + 1);
    if (!directory) {
        return {};
    }
    // GetLongPathNameA is looked up rather than linked: where it is missing the text of
    // GetTempPathA stands.
    const LibraryHandle kernel(LoadLibraryA("Kernel32.DLL"));
    const FARPROC found = kernel ? GetProcAddress(kernel.get(), "GetLongPathNameA") : nullptr;
    if (found == nullptr) {
        return *directory;
    }
    const auto get_long_path_name =
        reinterpret_cast<GetLongPathNameFunction>(reinterpret_cast<void (*)()>(found));
    // A failed conversion (a directory that does not exist, say) leaves the text of
    // GetTempPathA, which still names the directory.
    const std::optional<std::string> long_form = TextOfSizedCall(
        [&](std::uint32_t size, char* buffer) {
            return get_long_path_name(directory->c_str(), buffer, size);
        },
        std::max<std::size_t>(MAX_PATH, directory->size()) + 1);
    return long_form.value_or(*directory);
}

std::string BuildSettingsFilePath() {
    return GetTempDirectory() + "\\Trinumero.ini";
}

const std::string& SettingsFilePath() {
    static const std::string path = BuildSettingsFilePath();
    return path;
}

std::int32_t LoadOnTopSetting(std::string_view path, const SettingsStoreServices& services) {
    if (OpenSettingsForRead(services.file, services.files, path) != 0) {
        CloseSettings(services.file);
    } else {
        SaveOnTopSetting(path, 0, services);
    }
    std::int32_t setting = 0;
    if (OpenSettingsForRead(services.file, services.files, path) != 0) {
        setting = ReadSettingLong(services.file, OnTopKey, 0);
        CloseSettings(services.file);
    } else {
        services.requester.Show(kReadFailureTitle, kReadFailureText, kSettingsMessageFlags);
    }
    return setting;
}

std::int32_t LoadOnTopSetting() {
    return LoadOnTopSetting(SettingsFilePath(), ProcessServices());
}

void SaveOnTopSetting(std::string_view path, std::int32_t value,
                      const SettingsStoreServices& services) {
    bool saved = false;
    if (CreateSettingsFile(services.file, services.files, path) != 0) {
        WriteSettingLong(services.file, OnTopKey, value);
        saved = CloseSettings(services.file);
    }
    if (!saved) {
        services.requester.Show(kSaveFailureTitle, kSaveFailureText, kSettingsMessageFlags);
    }
}

void SaveOnTopSetting(std::string_view path, std::int32_t value) {
    SaveOnTopSetting(path, value, ProcessServices());
}

}  // namespace trinumero

#include "settings/settings_store_win32.h"

#include <windows.h>

#include "settings/settings_file_win32.h"
#include "settings/settings_requester_win32.h"
#include "settings/settings_temp_path_win32.h"

namespace trinumero {

namespace {

SettingsStoreServices ProcessServices() {
    static MessageBoxRequester requester;
    return SettingsStoreServices{ProcessSettingsFileState(), ProcessFileSystem(), requester};
}

// Conversions that refuse what they cannot carry over unchanged: the result is then empty.
std::string Utf8FromWide(const std::wstring& wide) {
    const int size =
        WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(),
                            static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0 && WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(),
                                        static_cast<int>(wide.size()), utf8.data(), size, nullptr,
                                        nullptr) != size) {
        utf8.clear();
    }
    return utf8;
}

std::wstring WideFromUtf8(std::string_view utf8) {
    const int size = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                         static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0 && MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                        static_cast<int>(utf8.size()), wide.data(), size) != size) {
        wide.clear();
    }
    return wide;
}

std::string BuildProcessSettingsFilePath() {
    Win32TempPathCalls calls;
    return Utf8FromWide(BuildSettingsFilePath(calls));
}

}  // namespace

const std::string& SettingsFilePath() {
    static const std::string path = BuildProcessSettingsFilePath();
    return path;
}

std::int32_t LoadOnTopSetting() {
    return LoadOnTopSetting(WideFromUtf8(SettingsFilePath()), ProcessServices());
}

void SaveOnTopSetting(std::string_view path, std::int32_t value) {
    SaveOnTopSetting(WideFromUtf8(path), value, ProcessServices());
}

}  // namespace trinumero

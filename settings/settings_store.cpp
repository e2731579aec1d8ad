#include "settings/settings_store.h"

namespace trinumero {

std::int32_t LoadOnTopSetting(std::wstring_view path, const SettingsStoreServices& services) {
    if (OpenSettingsForRead(services.file, services.files, path)) {
        CloseSettings(services.file);
    } else {
        SaveOnTopSetting(path, 0, services);
    }
    std::int32_t setting = 0;
    if (OpenSettingsForRead(services.file, services.files, path)) {
        setting = ReadSettingLong(services.file, OnTopKey, 0);
        CloseSettings(services.file);
    } else {
        services.requester.Show(kReadFailureTitle, kReadFailureText, kSettingsMessageFlags);
    }
    return setting;
}

void SaveOnTopSetting(std::wstring_view path, std::int32_t value,
                      const SettingsStoreServices& services) {
    bool saved = false;
    if (CreateSettingsFile(services.file, services.files, path)) {
        WriteSettingLong(services.file, OnTopKey, value);
        saved = CloseSettings(services.file);
    }
    if (!saved) {
        services.requester.Show(kSaveFailureTitle, kSaveFailureText, kSettingsMessageFlags);
    }
}

}  // namespace trinumero

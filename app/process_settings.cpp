#include "app/process_settings.h"

#include "app/message_box_requester.h"
#include "settings/settings_file_system_win32.h"

namespace trinumero {

namespace {

SettingsFileState& ProcessSettingsFile() {
    static SettingsFileState state;
    return state;
}

}  // namespace

SettingsStoreServices ProcessSettingsServices() {
    static Win32SettingsFileSystem files;
    static MessageBoxRequester requester;
    return SettingsStoreServices{ProcessSettingsFile(), files, requester};
}

void CloseProcessSettings() {
    CloseSettings(ProcessSettingsFile());
}

}  // namespace trinumero

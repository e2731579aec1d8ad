#pragma once

// The program's settings store: the process's one settings file state (empty until a load or
// a save opens the file), over the platform's files, reporting to the user in message boxes.

#include "settings/settings_store.h"

namespace trinumero {

SettingsStoreServices ProcessSettingsServices();

// The end-of-program step: a settings file still open is written if modified, then closed.
void CloseProcessSettings();

}  // namespace trinumero

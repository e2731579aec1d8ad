#include "app/main_flow.h"

#include <commctrl.h>

#include "app/edit_field_access.h"
#include "app/process_settings.h"
#include "engine/conversion_controller.h"
#include "settings/settings_store.h"
#include "settings/settings_temp_path_win32.h"
#include "ui/events/event_model.h"
#include "ui/library/keyboard_layout.h"
#include "ui/library/library_slots.h"
#include "ui/look/highlight.h"
#include "ui/window/app_window.h"
#include "ui/window/controls.h"
#include "ui/window/main_window_layout.h"
#include "ui/window/menu.h"

namespace trinumero {
namespace {

void StartCommonControls() {
    InitCommonControls();
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES;
    InitCommonControlsEx(&controls);
}

// The check mark is the one record of the setting, so it changes first; a failed save has told
// the user already and changes nothing of the rest.
void ToggleOnTop(ProgramState& state) {
    state.on_top_check_state = IsMenuItemChecked(kMainMenuNumber, kOnTopMenuItem);
    const int on_top = state.on_top_check_state != 0 ? 0 : 1;
    SetMenuItemChecked(kMainMenuNumber, kOnTopMenuItem, on_top);
    SaveOnTopSetting(state.settings_path, on_top, ProcessSettingsServices());
    SetOnTop(kMainWindowNumber, on_top);
}

bool IsNumberField(int control) {
    return control >= kHexField && control <= kBinField;
}

}  // namespace

bool StartUp(ProgramState& state) {
    state = ProgramState{};
    StartCommonControls();

    state.settings_path = SettingsFilePath();
    // Loaded before the window exists, so that it opens in the right state at once; a
    // message shown here has no owner.
    state.on_top_setting = LoadOnTopSetting(state.settings_path, ProcessSettingsServices());

    const HWND window = CreateMainWindow();
    if (window == nullptr || SetControlParent(window) == nullptr) {
        return false;
    }
    SetWindowHidden(kMainWindowNumber, 1);

    const MainWindowParts parts = BuildMainWindowContents(state.on_top_setting);
    state.hex_field = parts.hex_field;
    state.dec_field = parts.dec_field;
    state.bin_field = parts.bin_field;

    // The window's state does not depend on the menu: it is applied without a menu bar too.
    SetOnTop(kMainWindowNumber, state.on_top_setting != 0 ? 1 : 0);
    SetWindowHidden(kMainWindowNumber, 0);

    state.keyboard_layout_result = SwitchKeyboardLayoutToUs();
    return true;
}

void RunEventLoopTurn(ProgramState& state) {
    state.event_code = WaitEvent();
    state.event_control = EventControl();
    state.event_subtype = EventSubtype();
    state.event_menu_item = EventMenuItem();

    if (state.event_code == kEventMenu && state.event_menu_item == kOnTopMenuItem) {
        ToggleOnTop(state);
    }
    if (state.event_code == kEventControl && state.event_subtype == kSubtypeContentsChanged &&
        IsNumberField(state.event_control)) {
        // The frame first: it marks the field being edited even when the check then rejects
        // the character.
        HighlightField(state.event_control, kMainWindowNumber);
        EditFieldAccess fields;
        ConvertFromField(fields, state.event_control);
    }
    if (state.event_code == kEventClose) {
        state.quit = 1;
    }
}

void ShutDown() {
    CloseProcessSettings();
    ReleaseAllLibraries();
    DestroyAllWindows();
}

int RunProgram() {
    ProgramState state;
    if (StartUp(state)) {
        while (state.quit != 1) {
            RunEventLoopTurn(state);
        }
    }
    ShutDown();
    return 0;
}

}  // namespace trinumero

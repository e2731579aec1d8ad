#pragma once

// The main window as data: its size, title and flags, its eight controls in their order
// of creation, the caption colour, the typing limits and the menu, and the calls that
// build it from these tables.

#include <windows.h>

#include <array>
#include <string_view>

#include "ui/window/controls.h"

namespace trinumero {

// Control numbers of the main window. The three fields are the ones the conversion engine
// addresses by the same numbers.
inline constexpr int kHexFieldControl = 0;
inline constexpr int kDecFieldControl = 1;
inline constexpr int kBinFieldControl = 2;
inline constexpr int kByteHeaderControl = 3;
inline constexpr int kDescriptionControl = 4;
inline constexpr int kBinaryFrameControl = 5;
inline constexpr int kHexCaptionControl = 6;
inline constexpr int kDecCaptionControl = 7;

inline constexpr int kMainWindowNumber = 0;
inline constexpr int kMainMenuNumber = 0;
inline constexpr int kOnTopMenuItem = 1;

struct WindowLayout {
    int number;
    int x;
    int y;
    int client_width;
    int client_height;
    std::string_view title;
    DWORD flags;
};

struct ControlLayout {
    int number;
    ControlKind kind;
    int x;
    int y;
    int width;
    int height;
    std::string_view text;
    DWORD flags;  // field flags or label flags; unused for the frame
    // The control whose text names this one for a screen reader; -1: its own rule applies.
    int named_by = -1;
};

struct FieldLimit {
    int number;
    int maximum;
};

struct MenuLayout {
    int menu;
    std::string_view title;
    int item;
    std::string_view item_text;
};

extern const WindowLayout kMainWindowLayout;
extern const std::array<ControlLayout, 8> kMainWindowControls;
extern const std::array<int, 2> kCaptionControls;
extern const COLORREF kCaptionColour;
extern const std::array<FieldLimit, 3> kFieldLimits;
extern const MenuLayout kMainMenuLayout;

// Texts of the description and the byte header (Windows-1251 bytes).
extern const std::string_view kDescriptionText;
extern const std::string_view kByteHeaderText;

// Creates the main window, centred and hidden. Its handle, or nullptr.
HWND CreateMainWindow();

struct MainWindowParts {
    HWND hex_field = nullptr;
    HWND dec_field = nullptr;
    HWND bin_field = nullptr;
    HMENU menu_bar = nullptr;
};

// Fills the window made the control parent: the controls in their order (each caption
// coloured right after it is made), their names for screen readers, the typing limits, and the
// menu bar with its title and item, checked when the on-top setting is non-zero. Without a
// menu bar the title, item and check mark are skipped.
MainWindowParts BuildMainWindowContents(int on_top_setting);

}  // namespace trinumero

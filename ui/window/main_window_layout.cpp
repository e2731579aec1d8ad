#include "ui/window/main_window_layout.h"

#include "support/charset_check.h"
#include "support/on_top_text.h"
#include "ui/access/accessible_name.h"
#include "ui/look/colour_scheme.h"
#include "ui/scale/window_dpi.h"
#include "ui/tables/window_tables.h"
#include "ui/window/app_window.h"
#include "ui/window/controls.h"
#include "ui/window/menu.h"

namespace trinumero {

namespace {

// The description has no line break of its own: the label wraps it, and the run of 51
// spaces stands between the two sentences.
constexpr char kDescription[] =
    "Конвертер систем исчисления, позволяет преобразовывать числа из одной системы исчисления в "
    "две "
    "другие."
    "                                                   "
    "Разрешающая способность — 7 байт.";
static_assert(sizeof(kDescription) - 1 == 186);

// Numbers the seven bytes of the binary field, 7 down to 1.
constexpr char kByteHeader[] =
    "     |       7      |       6       |       5      |       4       |      3       |       2   "
    "    |"
    "       1     |";
static_assert(sizeof(kByteHeader) - 1 == 113);

// Centred on the screen, created hidden (WS_VISIBLE means hidden in the flags word, see
// ui/window/app_window.h), with a caption, its system menu (the close button) and a minimise
// button; no resizing and no maximise button.
constexpr DWORD kMainWindowFlags =
    kWindowFlagCentred | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
static_assert(kMainWindowFlags == 0x10CA0001);

using Kind = ControlKind;

}  // namespace

const std::string_view kDescriptionText{kDescription, sizeof(kDescription) - 1};
const std::string_view kByteHeaderText{kByteHeader, sizeof(kByteHeader) - 1};

const WindowLayout kMainWindowLayout{
    kMainWindowNumber, 229, 183, 416, 230, "Конвертер систем исчмсления", kMainWindowFlags};

// In order of creation, which is also the order Tab visits the fields: binary, hex, decimal.
// The captions come after the fields they name, so a screen reader is told the names.
const std::array<ControlLayout, 8> kMainWindowControls{{
    {kBinFieldControl, Kind::kEditField, 30, 165, 357, 20, "", ES_RIGHT, kBinaryFrameControl},
    {kByteHeaderControl, Kind::kTextLabel, 30, 145, 365, 15, kByteHeaderText, SS_LEFT},
    {kHexFieldControl, Kind::kEditField, 60, 90, 100, 20, "", ES_UPPERCASE, kHexCaptionControl},
    {kDescriptionControl, Kind::kTextLabel, 20, 5, 380, 45, kDescriptionText, SS_LEFT},
    {kDecFieldControl, Kind::kEditField, 245, 90, 120, 20, "", 0, kDecCaptionControl},
    {kBinaryFrameControl, Kind::kFrameBox, 15, 125, 390, 75, "Двоичные числа", 0},
    {kHexCaptionControl, Kind::kTextLabel, 55, 59, 110, 30, "Шестнадцатеричные числа", SS_CENTER},
    {kDecCaptionControl, Kind::kTextLabel, 259, 60, 80, 30, "Десятичные числа", SS_CENTER},
}};

const std::array<int, 2> kCaptionControls{kHexCaptionControl, kDecCaptionControl};
const COLORREF kCaptionColour = RGB(51, 79, 204);
const std::array<FieldLimit, 3> kFieldLimits{
    {{kHexFieldControl, 14}, {kDecFieldControl, 17}, {kBinFieldControl, 56}}};
const MenuLayout kMainMenuLayout{kMainMenuNumber, "Настройки", kOnTopMenuItem, kOnTopText};

HWND CreateMainWindow() {
    const WindowLayout& layout = kMainWindowLayout;
    return CreateAppWindow(layout.number, layout.x, layout.y, layout.client_width,
                           layout.client_height, layout.title, layout.flags);
}

MainWindowParts BuildMainWindowContents(int on_top_setting) {
    MainWindowParts parts;
    for (const ControlLayout& control : kMainWindowControls) {
        HWND made = nullptr;
        switch (control.kind) {
            case Kind::kEditField:
                made = CreateEditField(control.number, control.x, control.y, control.width,
                                       control.height, control.text, control.flags);
                break;
            case Kind::kTextLabel:
                made = CreateTextLabel(control.number, control.x, control.y, control.width,
                                       control.height, control.text, control.flags);
                break;
            case Kind::kFrameBox:
                made = CreateFrameBox(control.number, control.x, control.y, control.width,
                                      control.height, control.text);
                break;
        }
        for (int caption : kCaptionControls) {
            if (control.number == caption) {
                SetControlColour(caption, kTextColourAttribute, kCaptionColour);
            }
        }
        if (control.number == kHexFieldControl) {
            parts.hex_field = made;
        } else if (control.number == kDecFieldControl) {
            parts.dec_field = made;
        } else if (control.number == kBinFieldControl) {
            parts.bin_field = made;
        }
    }
    for (const ControlLayout& control : kMainWindowControls) {
        if (control.named_by >= 0) {
            SetAccessibleNameSource(control.number, control.named_by);
        }
    }
    FitControlsToWindowDpi(kMainWindowNumber);
    for (const FieldLimit& limit : kFieldLimits) {
        LimitFieldLength(ControlHandle(limit.number), limit.maximum);
    }

    const MenuLayout& menu = kMainMenuLayout;
    parts.menu_bar = CreateMenuBar(menu.menu, WindowHandle(kMainWindowNumber));
    if (parts.menu_bar != nullptr) {
        AddMenuTitle(menu.title);
        AddMenuItem(menu.item, menu.item_text);
        SetMenuItemChecked(menu.menu, menu.item, on_top_setting != 0 ? 1 : 0);
        ColourMenuBar(kMainWindowNumber);
    }
    return parts;
}

}  // namespace trinumero

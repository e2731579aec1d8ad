#pragma once

// Colour schemes. The window draws in one of three:
// - light: the program's own colours on the system's, the window as it was designed;
// - dark, when the user has chosen dark apps (AppsUseLightTheme is 0 under
//   HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize): the program paints
//   dark what it paints itself or can colour with documented calls (ui/look/dark_painting.h);
// - high contrast, when the user's high-contrast theme is on, dark or not: the window draws
//   only in the system's colours, which the theme chooses. The captions lose their own blue
//   (they are drawn like every other label), and the frame round the edited field takes the
//   selection colour.
// The window follows a change of mode or theme while it runs, and draws itself again only when
// its scheme changed. In the light scheme nothing differs from the design.

#include <windows.h>

#include "ui/tables/window_types.h"

namespace trinumero {

struct WindowEntry;

// Whether the user's high-contrast theme is on.
bool HighContrastOn();

// Where HighContrastOn asks: the system (SPI_GETHIGHCONTRAST) unless another query is put here.
// Wine never reports high contrast, so the tests put their own.
using HighContrastQuery = bool (*)();
void SetHighContrastQuery(HighContrastQuery query);

// Whether the user has chosen dark apps; a missing value means light.
bool DarkAppsChosen();

// The scheme the system asks for now: high contrast wins over dark.
ColourScheme SystemColourScheme();

// Gives a new window the scheme the system asks for; in the dark scheme its title bar is made
// dark before the window is first shown.
void StartColourScheme(WindowEntry& window);

// Gives the window's menu the colours of its scheme, once the bar is built, and in the dark scheme
// has its items taken in and measured again: after a DPI change, and before a drop-down shows, so
// that an item added or changed since the menu turned dark is drawn dark too. In the light and
// high-contrast schemes it is left as the system draws it.
void ColourMenuBar(int window);

// Asks again for the window's scheme after the system's colours or settings changed; when it
// changed, the window, its controls and its menu bar are drawn again in the new one.
void RefreshColourScheme(int window);

// Lets go of what the window's scheme holds, when the window is gone.
void EndColourScheme(WindowEntry& window);

// Whether the window draws in the system's colours only; false for an unknown window.
bool DrawsInSystemColours(int window);

// The entry of the window when it draws dark; nullptr otherwise and for an unknown window.
const WindowEntry* DarkWindowEntry(int window);

// The entry of the control's window when it draws dark, else nullptr; in the light scheme
// without a call to the system, for the messages every repaint of a control brings.
const WindowEntry* DarkWindowEntryOf(HWND control);

// The colour of the frame round the edited field of the window.
COLORREF HighlightColourOf(int window);

}  // namespace trinumero

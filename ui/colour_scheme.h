#pragma once

// High contrast. With a high-contrast theme on, the window draws only in the system's colours,
// which the theme chooses: the captions lose their own blue (they are drawn like every other
// label), and the frame round the edited field takes the selection colour. The window follows a
// change of theme while it runs. With the theme off nothing differs.

#include <windows.h>

namespace trinumero {

// Whether the user's high-contrast theme is on.
bool HighContrastOn();

// Where HighContrastOn asks: the system (SPI_GETHIGHCONTRAST) unless another query is put here.
// Wine never reports high contrast, so the tests put their own.
using HighContrastQuery = bool (*)();
void SetHighContrastQuery(HighContrastQuery query);

// Asks again for the window's colours after the system's colours or settings changed; when high
// contrast went on or off, the window and its controls are drawn again.
void RefreshColourScheme(int window);

// Whether the window draws in the system's colours only; false for an unknown window.
bool DrawsInSystemColours(int window);

// The colour of the frame round the edited field of the window.
COLORREF HighlightColourOf(int window);

}  // namespace trinumero

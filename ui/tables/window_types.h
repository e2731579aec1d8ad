#pragma once

// The types the window, control and menu tables hold, for every part of the window layer: the
// colour scheme a window draws in, the kind of a control, where a control stands at 96 dpi, how a
// control's accessible name was taken, and the colour that is not set.

#include <windows.h>

namespace trinumero {

// -1 as a COLORREF: the colour is not set.
inline constexpr COLORREF kNoColour = CLR_INVALID;

// The colours a window draws in: the design's own (light), dark when the user has chosen dark
// apps, or the system's only while a high-contrast theme is on (ui/look/colour_scheme.h).
enum class ColourScheme { kLight, kDark, kHighContrast };

// The kinds of control this system makes; the kind decides how colour queries are answered.
enum class ControlKind { kEditField, kTextLabel, kFrameBox };

// Where something stands at 96 dpi, in its window's client area.
struct LayoutBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// A control's accessible name as the system's annotation service took it: not asked yet,
// annotated, or refused (the control then answers accessibility clients itself).
enum class NameAnnotation : unsigned char { kNotTried, kAnnotated, kRefused };

}  // namespace trinumero

#pragma once

// Tab and Shift+Tab move the keyboard focus between the eligible controls (enabled,
// visible, tab stops) of the active window, in their order of creation, wrapping round.

#include <vector>

namespace trinumero {

enum class FocusDirection { kForward, kBackward };

// Index of the control to focus among controls listed in creation order, given which of
// them are eligible and the index of the focused one (-1 when none is focused). Forward:
// the first eligible control after the focused one, else the first eligible one.
// Backward: the last eligible control before the focused one, else the last eligible
// one. -1 when no control is eligible.
int PickFocusTarget(const std::vector<bool>& eligible, int current, FocusDirection direction);

// Moves the focus within the active window of the thread (commands 1212 and 1213).
void MoveFocus(FocusDirection direction);

}  // namespace trinumero

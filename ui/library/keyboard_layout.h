#pragma once

// The switch to the US English keyboard layout at start-up, so that hexadecimal letters
// and digits reach the fields whatever input language the user had.

#include <cstdint>

namespace trinumero {

inline constexpr int kKeyboardLayoutSlot = 0;
inline constexpr std::uint32_t kUsEnglishLayout = 0x04090409;

// Activates US English for this thread through user32's ActivateKeyboardLayout, loaded
// into library slot 0 only for the call. Returns what the function returned (the
// previous layout), or 0 when it could not be called or failed.
std::uint32_t SwitchKeyboardLayoutToUs();

}  // namespace trinumero

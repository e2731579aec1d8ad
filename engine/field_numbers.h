#pragma once

// Control numbers of the three number fields, shared by the engine and the window.

namespace trinumero {

inline constexpr int kHexField = 0;
inline constexpr int kDecField = 1;
inline constexpr int kBinField = 2;

}  // namespace trinumero

#pragma once

// The name of the on-top setting, in Windows-1251: the caption of its menu item and the key
// it is stored under in the settings file are one and the same text.

#include "support/charset_check.h"

namespace trinumero {

inline constexpr char kOnTopText[] = "Поверх остальных окон";
static_assert(sizeof(kOnTopText) - 1 == 21);

}  // namespace trinumero

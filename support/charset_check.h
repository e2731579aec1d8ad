#pragma once

// Included by every file that holds Russian literals: they must compile to
// Windows-1251 bytes (one byte a letter), not to UTF-8.
static_assert(sizeof("Я") == 2,
              "narrow literals must be Windows-1251: compile with -fexec-charset=CP1251");

#pragma once

// Libraries loaded at run time into numbered slots, and functions called from them by
// name. The program uses it once, to switch the keyboard layout at start-up.

#include <cstdint>

namespace trinumero {

// Loads the library, one that Windows ships, from the system folder into the slot, releasing
// what the slot held before. Returns the module handle as a number, 0 when no name is given,
// the name has a folder part or the library does not load.
std::uintptr_t LoadLibrarySlot(int slot, const char* file_name);

// Calls the named function of the slot's library with two arguments, in the platform's
// standard calling convention. Returns its 32-bit result, or 0 when the slot is empty
// or the function is not found (then nothing is called).
std::uint32_t CallLibraryFunction(int slot, const char* function_name, std::uint32_t first,
                                  std::uint32_t second);

// Frees the slot's library; an empty slot is left alone.
void ReleaseLibrarySlot(int slot);

// Frees every library still loaded. Called once at shutdown.
void ReleaseAllLibraries();

// Whether the slot holds a library.
bool IsLibrarySlotLoaded(int slot);

}  // namespace trinumero

#pragma once

// The stack protector's guard value and its failure handler for the program's own code, in
// place of the runtime's libssp. That one seeds the guard through the crypto API before the
// program starts (advapi32 and a crypto provider DLL loaded into every run) and reports a
// failure on a console a GUI program does not have.
//
// Every function of the program with an array on its stack keeps a copy of the guard below
// its return address and checks it before it returns: a write past the array that reaches the
// return address changes the copy, and the process ends at once instead of running on.

#include <cstdint>

namespace trinumero {

// The guard before SeedStackGuard. Not zero, so that a string copy running over the guard
// cannot rebuild it.
inline constexpr std::uintptr_t kUnseededStackGuard =
    static_cast<std::uintptr_t>(0x2B992DDFA232ULL);

// Gives the guard a value of this run. Called once, before any function that checks the guard
// is running: from the program's first instruction (app/process_start.cpp). Until then the
// guard holds a fixed value, which still catches an overrun, only predictably.
void SeedStackGuard();

}  // namespace trinumero

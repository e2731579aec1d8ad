#pragma once

// A library loaded at run time, freed when its owner lets it go.

#include <windows.h>

#include <memory>
#include <type_traits>

namespace trinumero {

struct LibraryRelease {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};

using LibraryHandle = std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryRelease>;

}  // namespace trinumero

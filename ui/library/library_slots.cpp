#include "ui/library/library_slots.h"

#include <windows.h>

#include "support/handles_win32.h"
#include "support/numbered_table.h"
#include "support/system_library_win32.h"
#include "support/wide_text_win32.h"

namespace trinumero {
namespace {

struct LibrarySlot {
    LibraryHandle module;
};

// The library table: room for slots 0 to 15 when the services start, all empty.
NumberedTable<LibrarySlot>& Libraries() {
    static NumberedTable<LibrarySlot> table;
    return table;
}

// Arguments and result are pointer-sized so that the call is right on x86_64 too, where
// the first argument of ActivateKeyboardLayout is a 64-bit HKL.
using TwoArgumentFunction = std::uintptr_t(WINAPI*)(std::uintptr_t, std::uintptr_t);

}  // namespace

std::uintptr_t LoadLibrarySlot(int slot, const char* file_name) {
    LibrarySlot* entry = Libraries().FindOrCreate(slot);
    if (entry == nullptr) {
        return 0;
    }
    entry->module.reset();
    if (file_name == nullptr) {
        return 0;
    }
    // From the system folder only, never from the folder the program was started from.
    entry->module = LoadSystemLibrary(WideFromCp1251(file_name));
    return reinterpret_cast<std::uintptr_t>(entry->module.get());
}

std::uint32_t CallLibraryFunction(int slot, const char* function_name, std::uint32_t first,
                                  std::uint32_t second) {
    const LibrarySlot* entry = Libraries().Find(slot);
    if (function_name == nullptr || entry == nullptr || !entry->module) {
        return 0;
    }
    const FARPROC address = GetProcAddress(entry->module.get(), function_name);
    if (address == nullptr) {
        return 0;
    }
    const auto function = reinterpret_cast<TwoArgumentFunction>(reinterpret_cast<void*>(address));
    return static_cast<std::uint32_t>(function(first, second));
}

void ReleaseLibrarySlot(int slot) {
    if (LibrarySlot* entry = Libraries().Find(slot)) {
        entry->module.reset();
    }
}

void ReleaseAllLibraries() {
    Libraries().ForEach([](int, LibrarySlot& entry) { entry.module.reset(); });
}

bool IsLibrarySlotLoaded(int slot) {
    const LibrarySlot* entry = Libraries().Find(slot);
    return entry != nullptr && entry->module != nullptr;
}

}  // namespace trinumero

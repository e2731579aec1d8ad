#include "ui/library/keyboard_layout.h"

#include "ui/library/library_slots.h"

namespace trinumero {

std::uint32_t SwitchKeyboardLayoutToUs() {
    LoadLibrarySlot(kKeyboardLayoutSlot, "user32.dll");
    const std::uint32_t previous =
        CallLibraryFunction(kKeyboardLayoutSlot, "ActivateKeyboardLayout", kUsEnglishLayout, 0);
    ReleaseLibrarySlot(kKeyboardLayoutSlot);
    return previous;
}

}  // namespace trinumero

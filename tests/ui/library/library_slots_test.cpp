#include "ui/library/library_slots.h"
#include "ui/library/keyboard_layout.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

using namespace trinumero;

// Reference counts tell whether a slot really holds or released a library: a module
// handle stays valid only while someone holds it.
bool IsModuleLoaded(const char* name) {
    return GetModuleHandleA(name) != nullptr;
}

TEST(LibrarySlots, LoadCallAndReleaseByName) {
    ASSERT_FALSE(IsModuleLoaded("msacm32.dll")) << "test needs a library nobody loaded yet";
    const std::uintptr_t module = LoadLibrarySlot(3, "msacm32.dll");
    ASSERT_NE(module, 0u);
    EXPECT_TRUE(IsLibrarySlotLoaded(3));
    EXPECT_TRUE(IsModuleLoaded("msacm32.dll"));
    ReleaseLibrarySlot(3);
    EXPECT_FALSE(IsLibrarySlotLoaded(3));
    EXPECT_FALSE(IsModuleLoaded("msacm32.dll"));
    ReleaseLibrarySlot(3);  // an empty slot is left alone
}

TEST(LibrarySlots, CallsTheNamedFunctionWithItsTwoArguments) {
    ASSERT_NE(LoadLibrarySlot(1, "user32.dll"), 0u);
    // A two-argument WINAPI function with a known answer: the character of virtual key A.
    EXPECT_EQ(CallLibraryFunction(1, "MapVirtualKeyA", 'A', MAPVK_VK_TO_CHAR), 'A');
    EXPECT_EQ(CallLibraryFunction(1, "MapVirtualKeyA", '7', MAPVK_VK_TO_CHAR), '7');
    ReleaseLibrarySlot(1);
}

TEST(LibrarySlots, UnknownFunctionsEmptySlotsAndMissingLibrariesCallNothing) {
    EXPECT_EQ(CallLibraryFunction(2, "MapVirtualKeyA", 'A', MAPVK_VK_TO_CHAR), 0u)
        << "slot 2 is empty";
    EXPECT_EQ(CallLibraryFunction(500, "MapVirtualKeyA", 'A', MAPVK_VK_TO_CHAR), 0u)
        << "beyond the table";

    ASSERT_NE(LoadLibrarySlot(2, "user32.dll"), 0u);
    EXPECT_EQ(CallLibraryFunction(2, "NoSuchFunctionAnywhere", 1, 2), 0u);
    EXPECT_EQ(CallLibraryFunction(2, nullptr, 1, 2), 0u);

    EXPECT_EQ(LoadLibrarySlot(2, "no-such-library-xyz.dll"), 0u);
    EXPECT_FALSE(IsLibrarySlotLoaded(2)) << "a failed load leaves the slot empty";
    EXPECT_EQ(LoadLibrarySlot(2, nullptr), 0u);
}

TEST(LibrarySlots, SlotsBeyondTheRoomGrowTheTable) {
    ASSERT_NE(LoadLibrarySlot(40, "kernel32.dll"), 0u);
    EXPECT_TRUE(IsLibrarySlotLoaded(40));
    ReleaseAllLibraries();
    EXPECT_FALSE(IsLibrarySlotLoaded(40));
}

TEST(LibrarySlots, KeyboardLayoutSwitchLeavesSlotZeroEmptyAndUsActive) {
    SwitchKeyboardLayoutToUs();
    EXPECT_FALSE(IsLibrarySlotLoaded(kKeyboardLayoutSlot));
    EXPECT_EQ(
        CallLibraryFunction(kKeyboardLayoutSlot, "ActivateKeyboardLayout", kUsEnglishLayout, 0),
        0u);
    EXPECT_EQ(LOWORD(reinterpret_cast<std::uintptr_t>(GetKeyboardLayout(0))), 0x0409);
}

}  // namespace

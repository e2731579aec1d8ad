#pragma once

// The menu bar of a window, built title by title and item by item, and the check marks of
// its items. Texts are Windows-1251 bytes.

#include <windows.h>

#include <string_view>

namespace trinumero {

// Creates menu bar number `menu` for the window; it becomes the menu new items go into.
// Returns the bar, or nullptr.
HMENU CreateMenuBar(int menu, HWND window);

// Adds a drop-down with the title to the bar being built; later items go into it.
void AddMenuTitle(std::string_view title);

// Adds a command item to the current drop-down (or to the bar if there is none yet).
void AddMenuItem(int item, std::string_view text);

// Sets or clears the check mark of the item, looked up by its number. The result of
// writing the state back, 0 for an unknown menu or item.
int SetMenuItemChecked(int menu, int item, int checked);

// 1 when the item bears the check mark, otherwise 0 (also for an unknown menu or item).
int IsMenuItemChecked(int menu, int item);

}  // namespace trinumero

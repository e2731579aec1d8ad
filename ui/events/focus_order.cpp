#include "ui/events/focus_order.h"

#include <windows.h>

namespace trinumero {

int PickFocusTarget(const std::vector<bool>& eligible, int current, FocusDirection direction) {
    const int count = static_cast<int>(eligible.size());
    int first = -1;
    int last = -1;
    int after_current = -1;
    int before_current = -1;
    for (int i = 0; i < count; ++i) {
        if (!eligible[static_cast<std::size_t>(i)]) {
            continue;
        }
        if (first < 0) {
            first = i;
        }
        last = i;
        if (current >= 0 && i > current && after_current < 0) {
            after_current = i;
        }
        if (current >= 0 && i < current) {
            before_current = i;
        }
    }
    if (direction == FocusDirection::kForward) {
        return after_current >= 0 ? after_current : first;
    }
    return before_current >= 0 ? before_current : last;
}

namespace {

struct Descendants {
    std::vector<HWND> windows;
    std::vector<bool> eligible;
};

BOOL CALLBACK CollectDescendant(HWND window, LPARAM context) {
    auto* found = reinterpret_cast<Descendants*>(context);
    const bool tab_stop = (GetWindowLongPtrW(window, GWL_STYLE) & WS_TABSTOP) != 0;
    found->windows.push_back(window);
    found->eligible.push_back(tab_stop && IsWindowEnabled(window) && IsWindowVisible(window));
    return TRUE;
}

}  // namespace

void MoveFocus(FocusDirection direction) {
    HWND root = GetActiveWindow();
    if (root == nullptr) {
        return;
    }
    HWND focus = GetFocus();
    if (focus != nullptr && !IsChild(root, focus)) {
        focus = nullptr;
    }
    Descendants found;
    EnumChildWindows(root, CollectDescendant, reinterpret_cast<LPARAM>(&found));

    int current = -1;
    for (std::size_t i = 0; i < found.windows.size(); ++i) {
        if (found.windows[i] == focus) {
            current = static_cast<int>(i);
            break;
        }
    }
    const int target = PickFocusTarget(found.eligible, current, direction);
    if (target >= 0) {
        SetFocus(found.windows[static_cast<std::size_t>(target)]);
    }
}

}  // namespace trinumero

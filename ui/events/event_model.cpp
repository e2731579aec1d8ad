#include "ui/events/event_model.h"

#include "ui/events/focus_order.h"
#include "ui/tables/window_tables.h"

namespace trinumero {

EventRecord& Events() {
    static EventRecord record;
    return record;
}

namespace {

// The accelerator table of the (top-level) window, found through its window number.
HACCEL AcceleratorsOf(HWND window) {
    const WindowEntry* entry = WindowTable().Find(WindowNumberOf(window));
    return entry != nullptr ? entry->accelerators : nullptr;
}

}  // namespace

void RecordPendingEvent(int code, int item, int subtype) {
    EventRecord& record = Events();
    record.pending = code;
    record.item = item;
    record.subtype = subtype;
}

void DeferEvent(int code) {
    EventRecord& record = Events();
    if (record.window_number >= 0) {
        record.deferred.Append(code, record.window_number);
    }
}

LRESULT RecordCommand(WPARAM wparam, LPARAM lparam) {
    const auto sender = reinterpret_cast<HWND>(lparam);
    const int notification = HIWORD(wparam);
    if (sender != nullptr) {
        RecordPendingEvent(kEventControl, static_cast<int>(GetWindowLongPtrW(sender, GWLP_ID)),
                           notification);
        return 0;
    }
    if (notification == 0) {
        // A menu command: the item number travels in the item slot, the type stays as it was.
        EventRecord& record = Events();
        record.pending = kEventMenu;
        record.item = static_cast<int>(wparam);
        return 0;
    }
    // An accelerator: the two focus commands are handled here and raise no event.
    if (LOWORD(wparam) == kCommandFocusForward) {
        MoveFocus(FocusDirection::kForward);
    } else if (LOWORD(wparam) == kCommandFocusBackward) {
        MoveFocus(FocusDirection::kBackward);
    }
    return 0;
}

int WaitEvent() {
    EventRecord& record = Events();
    record.subtype = kSubtypeNone;

    if (const auto oldest = record.deferred.TakeOldest()) {
        record.window_number = oldest->window_number;
        record.pending = 0;
        return oldest->code;
    }

    MSG message{};
    GetMessageW(&message, nullptr, 0, 0);

    HWND active = GetActiveWindow();
    HACCEL accelerators = AcceleratorsOf(active);
    if (accelerators == nullptr || TranslateAcceleratorW(active, accelerators, &message) == 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }

    if (record.pending != 0) {
        const int code = record.pending;
        record.pending = 0;
        return code;
    }
    return static_cast<int>(message.message);
}

int EventControl() {
    return Events().item;
}
int EventSubtype() {
    return Events().subtype;
}
int EventMenuItem() {
    return Events().item;
}

}  // namespace trinumero

#include "ui/events/deferred_events.h"

namespace trinumero {

void DeferredEventQueue::Append(int code, int window_number) {
    if (!events_.empty() && events_.back().code == code &&
        events_.back().window_number == window_number) {
        return;
    }
    events_.push_back(DeferredEvent{code, window_number});
}

std::optional<DeferredEvent> DeferredEventQueue::TakeOldest() {
    if (events_.empty()) {
        return std::nullopt;
    }
    const DeferredEvent oldest = events_.front();
    events_.erase(events_.begin());
    return oldest;
}

}  // namespace trinumero

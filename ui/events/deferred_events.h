#pragma once

// Events that the window procedure cannot hand out at once (close, move, size, repaint,
// activation) wait here, oldest first, and are handed out one per wait before any
// further message is fetched.

#include <optional>
#include <vector>

namespace trinumero {

struct DeferredEvent {
    int code = 0;
    int window_number = 0;
};

class DeferredEventQueue {
  public:
    // Appends at the tail, unless the newest event is the same event of the same window:
    // a run of identical events reaches the loop as one.
    void Append(int code, int window_number);

    // The oldest event, taken out of the queue; nothing when the queue is empty.
    std::optional<DeferredEvent> TakeOldest();

    bool Empty() const { return events_.empty(); }
    void Clear() { events_.clear(); }

  private:
    // A few events at most wait at once: a vector, whose code is smaller than a deque's, serves.
    std::vector<DeferredEvent> events_;
};

}  // namespace trinumero

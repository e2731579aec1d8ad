#pragma once

// A table of records addressed by small non-negative numbers: windows, controls, menus
// and library slots are all kept this way. Using a number beyond the room grows the table
// to that number plus 16 more entries, all empty.

#include <cstddef>
#include <optional>
#include <vector>

namespace trinumero {

template <typename Entry>
class NumberedTable {
  public:
    static constexpr std::size_t kGrowth = 16;

    explicit NumberedTable(std::size_t initial_room = kGrowth) : entries_(initial_room) {}

    // The entry for the number, created empty (value-initialised) if there is none yet.
    // Negative numbers have no entry: nullptr.
    Entry* Take(int number) {
        if (number < 0) {
            return nullptr;
        }
        const auto index = static_cast<std::size_t>(number);
        if (index >= entries_.size()) {
            entries_.resize(index + kGrowth);
        }
        if (!entries_[index]) {
            entries_[index].emplace();
        }
        return &*entries_[index];
    }

    // The entry for the number, or nullptr when the number has none.
    Entry* Find(int number) {
        if (number < 0 || static_cast<std::size_t>(number) >= entries_.size()) {
            return nullptr;
        }
        auto& slot = entries_[static_cast<std::size_t>(number)];
        return slot ? &*slot : nullptr;
    }

    const Entry* Find(int number) const { return const_cast<NumberedTable*>(this)->Find(number); }

    // Forgets the entry for the number; an absent entry is left alone.
    void Free(int number) {
        if (Entry* entry = Find(number)) {
            (void)entry;
            entries_[static_cast<std::size_t>(number)].reset();
        }
    }

    std::size_t Room() const { return entries_.size(); }

    // Calls fn(number, entry) for every entry present, lowest number first.
    template <typename Fn>
    void ForEach(Fn&& fn) {
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            if (entries_[i]) {
                fn(static_cast<int>(i), *entries_[i]);
            }
        }
    }

  private:
    std::vector<std::optional<Entry>> entries_;
};

}  // namespace trinumero

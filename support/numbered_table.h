#pragma once

// A table of records addressed by small non-negative numbers: windows, controls, menus
// and library slots are all kept this way. Using a number beyond the room grows the table
// to that number plus 16 more entries, all empty.
//
// Every entry is a node of its own, so its address never changes while it exists: callers
// keep an Entry* across platform calls that may re-enter the window layer and take new
// numbers, which grows the table.

#include <cstddef>
#include <memory>
#include <vector>

namespace trinumero {

template <typename Entry>
class NumberedTable {
  public:
    static constexpr std::size_t kGrowth = 16;

    explicit NumberedTable(std::size_t initial_room = kGrowth) : entries_(initial_room) {}

    // The entry for the number, created empty (value-initialised) if there is none yet.
    // Negative numbers have no entry: nullptr.
    Entry* FindOrCreate(int number) {
        if (number < 0) {
            return nullptr;
        }
        const auto index = static_cast<std::size_t>(number);
        if (index >= entries_.size()) {
            // Grown slot by slot: resize() of a vector of unique_ptr trips a false
            // array-bounds warning of GCC 12 at -O3 for 32-bit targets.
            entries_.reserve(index + kGrowth);
            while (entries_.size() < index + kGrowth) {
                entries_.emplace_back();
            }
        }
        if (!entries_[index]) {
            entries_[index] = std::make_unique<Entry>();
        }
        return entries_[index].get();
    }

    // The entry for the number, or nullptr when the number has none.
    Entry* Find(int number) { return Holds(number) ? entries_[Index(number)].get() : nullptr; }
    const Entry* Find(int number) const {
        return Holds(number) ? entries_[Index(number)].get() : nullptr;
    }

    // Forgets the entry for the number; an absent entry is left alone.
    void Free(int number) {
        if (Holds(number)) {
            entries_[Index(number)].reset();
        }
    }

    // Calls fn(number, entry) for every entry present, lowest number first. fn may free the
    // entry it is given and take new numbers.
    template <typename Fn>
    void ForEach(Fn&& fn) {
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            if (Entry* entry = entries_[i].get()) {
                fn(static_cast<int>(i), *entry);
            }
        }
    }

  private:
    static std::size_t Index(int number) { return static_cast<std::size_t>(number); }
    bool Holds(int number) const { return number >= 0 && Index(number) < entries_.size(); }

    std::vector<std::unique_ptr<Entry>> entries_;
};

}  // namespace trinumero

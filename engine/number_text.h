#pragma once

// The text of a formatted number. It lives inline (64 binary digits at most), so
// formatting a keystroke's value never touches the heap.

#include <array>
#include <cstddef>
#include <string_view>

namespace trinumero {

class NumberText {
  public:
    static constexpr std::size_t kCapacity = 64;

    NumberText() { chars_[0] = '\0'; }

    // Makes the text count characters long and returns where to write them; formatters
    // fill it in place from the last digit back.
    char* Reserve(std::size_t count) {
        size_ = count;
        chars_[count] = '\0';
        return chars_.data();
    }

    std::string_view View() const { return {chars_.data(), size_}; }
    std::size_t Size() const { return size_; }

    operator std::string_view() const { return View(); }

    friend bool operator==(const NumberText& text, std::string_view other) {
        return text.View() == other;
    }

  private:
    std::array<char, kCapacity + 1> chars_;  // filled up to size_ and a terminator
    std::size_t size_ = 0;
};

}  // namespace trinumero

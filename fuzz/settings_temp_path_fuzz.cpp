// Fuzzes where the settings file is put: the input scripts a stand-in for GetTempPathW and
// GetLongPathNameW (which calls fail, which ask for more room, how long the folders are and
// what they hold), and the settings path built over it must be a full path: the folder the
// rules pick followed by "\Trinumero.ini", or empty when there is no usable folder; never
// "\Trinumero.ini" alone. A failure aborts.
//
// Input: flags (1: GetTempPathW fails, 2: GetLongPathNameW exists, 4: it fails), the two
// lengths (3 bytes each), the greedy call counts (2 bytes), then the characters the folders
// are filled with, repeated as needed.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "settings/settings_temp_path.h"
#include "tests/kit/temp_path_stand_in.h"

namespace {

using namespace trinumero;

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

class InputReader {
  public:
    InputReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t Take() { return at_ < size_ ? data_[at_++] : 0; }

    // A length round the platform's limits, or any below 512: longer texts only slow the
    // runs down without taking another path.
    std::size_t TakeLength() {
        static constexpr std::array<std::size_t, 6> kEdges{0, 1, 259, 260, 261, 32767};
        const std::uint8_t pick = Take();
        const std::size_t raw = (static_cast<std::size_t>(Take()) << 8 | Take()) % 512;
        return pick < kEdges.size() ? kEdges[pick] : raw;
    }

    // A text of the length filled with the rest of the input, bytes from 0x80 up taken as
    // Cyrillic letters; from the end when reversed, so that the two folders differ.
    std::wstring TakeText(std::size_t length, bool reversed) const {
        std::wstring pattern;
        for (std::size_t i = at_; i < size_; ++i) {
            const std::uint8_t byte = data_[reversed ? size_ - 1 - (i - at_) : i];
            pattern += static_cast<wchar_t>(byte < 0x80 ? byte : byte + 0x390);
        }
        if (pattern.empty()) {
            return std::wstring(length, L'x');
        }
        std::wstring text;
        while (text.size() < length) {
            text.append(pattern, 0, length - text.size());
        }
        return text;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// A text TextOfSizedCall gets from the stand-in and GetTempDirectory keeps: one the call
// gives within its four tries, a full path from a drive or a share, with no NUL that would
// cut the folder short.
bool Usable(const std::optional<std::wstring>& text, int greedy) {
    if (!text || greedy >= 4 || text->find(L'\0') != std::wstring::npos) {
        return false;
    }
    const std::wstring& t = *text;
    const auto separator = [](wchar_t c) { return c == L'\\' || c == L'/'; };
    const bool letter =
        !t.empty() && ((t[0] >= L'A' && t[0] <= L'Z') || (t[0] >= L'a' && t[0] <= L'z'));
    return (t.size() >= 3 && letter && t[1] == L':' && separator(t[2])) ||
           (t.size() >= 2 && separator(t[0]) && separator(t[1]));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    InputReader input(data, size);
    testing::TempPathStandIn platform;
    const std::uint8_t flags = input.Take();
    const std::size_t temp_length = input.TakeLength();
    const std::size_t long_length = input.TakeLength();
    platform.greedy_temp_path = input.Take() % 6;
    platform.greedy_long_path = input.Take() % 6;
    platform.has_long_path_name = (flags & 2) != 0;
    if ((flags & 1) == 0) {
        platform.temp_path = input.TakeText(temp_length, false);
    }
    if ((flags & 4) == 0) {
        platform.long_path = input.TakeText(long_length, true);
    }
    // The stand-in counts its greedy calls down.
    const int greedy_temp_path = platform.greedy_temp_path;
    const int greedy_long_path = platform.greedy_long_path;

    const std::wstring path = BuildSettingsFilePath(platform);

    const std::wstring name = L"\\Trinumero.ini";
    Require(path != name);
    if (!path.empty()) {
        Require(path.size() > name.size() && path.ends_with(name));
        Require(Usable(path, 0));
    }
    std::wstring expected;
    if (Usable(platform.temp_path, greedy_temp_path)) {
        const bool long_form =
            platform.has_long_path_name && Usable(platform.long_path, greedy_long_path);
        expected = (long_form ? *platform.long_path : *platform.temp_path) + name;
    }
    Require(path == expected);
    return 0;
}

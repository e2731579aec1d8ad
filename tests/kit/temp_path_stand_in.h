#pragma once

// A stand-in for GetTempPathW and GetLongPathNameW: each call gives its text, or fails when
// it has none, and asks for the room it needs when the buffer is too small.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "settings/settings_temp_path.h"

namespace trinumero::testing {

class TempPathStandIn final : public TempPathCalls {
  public:
    std::optional<std::wstring> temp_path;
    bool has_long_path_name = true;
    std::optional<std::wstring> long_path;
    // How many calls of each ask for more room than their text needs before one gives it.
    int greedy_temp_path = 0;
    int greedy_long_path = 0;
    int calls = 0;

    std::uint32_t TempPath(std::uint32_t size, wchar_t* buffer) override {
        return Give(temp_path, greedy_temp_path, size, buffer);
    }
    bool HasLongPathName() const override { return has_long_path_name; }
    std::uint32_t LongPathName(const wchar_t*, std::uint32_t size, wchar_t* buffer) override {
        return Give(long_path, greedy_long_path, size, buffer);
    }

  private:
    std::uint32_t Give(const std::optional<std::wstring>& text, int& greedy, std::uint32_t size,
                       wchar_t* buffer) {
        ++calls;
        if (!text) {
            return 0;
        }
        const auto length = static_cast<std::uint32_t>(text->size());
        if (greedy > 0) {
            --greedy;
            return std::max(size, length) + 2;
        }
        if (size <= length) {
            return length + 1;
        }
        std::copy(text->begin(), text->end(), buffer);
        buffer[length] = L'\0';
        return length;
    }
};

}  // namespace trinumero::testing

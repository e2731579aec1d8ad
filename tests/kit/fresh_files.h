#pragma once

// The names of the fresh files a save writes beside the settings file before one takes its
// name: the prefix, the writer's process id in hexadecimal, "." and the attempt.

#include <cstdint>
#include <string>

#include "settings/replacement_file_win32.h"
#include "support/digits.h"

namespace trinumero::testing {

// The name of the process's fresh files up to the ".".
inline std::wstring FreshFileStem(std::uint32_t process_id) {
    std::wstring stem = kFreshFilePrefix;
    AppendDigits(stem, process_id, 16);
    return stem;
}

}  // namespace trinumero::testing

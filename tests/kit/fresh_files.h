#pragma once

// The names of the fresh files a save writes beside the settings file, as the save makes them
// (settings/fresh_file_name.h): tests plant and look for them by the same format.

#include <cstdint>
#include <string>

#include "settings/fresh_file_name.h"

namespace trinumero::testing {

// The name of the process's fresh files up to the ".".
inline std::wstring FreshFileStem(std::uint32_t process_id) {
    std::wstring stem;
    AppendFreshFileStem(stem, process_id);
    return stem;
}

}  // namespace trinumero::testing

#pragma once

// The names of the fresh files that a save writes beside the settings file before one of them
// takes its name: "~tn" (for "Trinumero, new"), the writer's process id in hexadecimal, "." and
// the attempt, 0 to 7. Never longer than "Trinumero.ini", so that a folder deep enough for the
// settings file has room for them too. The replacing save names its fresh files here, the sweep
// of abandoned fresh files reads the writer back from a name, and the tests build the names
// they plant from here too.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace trinumero {

inline constexpr wchar_t kFreshFilePrefix[] = L"~tn";

// How many fresh names a save tries before it gives up: something else may hold one (a virus
// scanner), so that it can be neither removed nor created.
inline constexpr int kFreshNameAttempts = 8;

// Appends the name of the writer's fresh file of that attempt (0 to kFreshNameAttempts - 1).
void AppendFreshFileName(std::wstring& path, std::uint32_t writer, int attempt);

// Appends the part of the writer's names up to the ".": the prefix and the writer's id.
void AppendFreshFileStem(std::wstring& path, std::uint32_t writer);

// The process id of the writer of a file of that name, when the name is one of FreshFileName's.
std::optional<std::uint32_t> FreshFileWriter(std::wstring_view name);

}  // namespace trinumero

#pragma once

// Where the settings file lives: Trinumero.ini in the user's temporary folder. The steps run
// over a small interface standing in for the platform's calls, so that they can be tested
// and fuzzed without the platform; settings_temp_path_win32.h binds it to the platform.
//
// Paths are UTF-16 from the platform's call to the file's name, so that any folder name
// works whatever the system's ANSI code page.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace trinumero {

// The platform's calls that tell the temporary folder.
class TempPathCalls {
  public:
    virtual ~TempPathCalls() = default;
    // As GetTempPathW: writes the folder, ending in a backslash, into a buffer of size
    // characters and returns its length; returns the room it needs, its NUL included, when
    // the buffer is too small; 0 on failure.
    virtual std::uint32_t TempPath(std::uint32_t size, wchar_t* buffer) = 0;
    // Whether the platform can give a folder's long form at all.
    virtual bool HasLongPathName() const = 0;
    // As GetLongPathNameW: the long form of path, with the results of TempPath.
    virtual std::uint32_t LongPathName(const wchar_t* path, std::uint32_t size,
                                       wchar_t* buffer) = 0;
};

// A platform call that fills a buffer of the given size with a text and returns its length;
// 0 on failure; the room it needs (its NUL included) when the buffer is too small. It refers to
// the callable it is made from, which outlives it: a std::function would copy the callable and
// bring the code of its type erasure into the program.
class SizedTextCall {
  public:
    template <typename Call>
    SizedTextCall(const Call& call)  // NOLINT(google-explicit-constructor): a lambda is handed in
        : call_(&call), invoke_([](const void* target, std::uint32_t size, wchar_t* buffer) {
              return static_cast<std::uint32_t>((*static_cast<const Call*>(target))(size, buffer));
          }) {}

    std::uint32_t operator()(std::uint32_t size, wchar_t* buffer) const {
        return invoke_(call_, size, buffer);
    }

  private:
    const void* call_;
    std::uint32_t (*invoke_)(const void* target, std::uint32_t size, wchar_t* buffer);
};

// The text of such a call, made with room characters first and again with the room it asks
// for; nullopt when it fails or keeps asking for more.
std::optional<std::wstring> TextOfSizedCall(const SizedTextCall& call, std::size_t room);

// The user's temporary folder, ending with the backslash the platform puts there, in its
// long form where the platform can tell it; empty when the platform cannot give the folder
// as a full path.
std::wstring GetTempDirectory(TempPathCalls& calls);

// GetTempDirectory followed by "\Trinumero.ini" (the doubled backslash reads as one). Empty,
// a path that names no file, when the folder cannot be had: never "\Trinumero.ini" alone,
// which the platform would take as the root of the current drive.
std::wstring BuildSettingsFilePath(TempPathCalls& calls);

}  // namespace trinumero

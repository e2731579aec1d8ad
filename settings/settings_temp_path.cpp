#include "settings/settings_temp_path.h"

#include <algorithm>
#include <vector>

namespace trinumero {

namespace {

constexpr std::size_t kMaxPath = 260;

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

// A folder text that names the same folder wherever the program runs: a full path, from a
// drive ("C:\") or a share ("\\server\"), and no NUL that would cut it short for the platform.
bool NamesAFolder(const std::optional<std::wstring>& text) {
    if (!text || text->find(L'\0') != std::wstring::npos) {
        return false;
    }
    const std::wstring& folder = *text;
    const bool from_drive =
        folder.size() >= 3 &&
        ((folder[0] >= L'A' && folder[0] <= L'Z') || (folder[0] >= L'a' && folder[0] <= L'z')) &&
        folder[1] == L':' && IsSeparator(folder[2]);
    const bool from_share = folder.size() >= 2 && IsSeparator(folder[0]) && IsSeparator(folder[1]);
    return from_drive || from_share;
}

}  // namespace

std::optional<std::wstring> TextOfSizedCall(const SizedTextCall& call, std::size_t room) {
    std::vector<wchar_t> buffer(room > 0 ? room : 1);
    // The size asked for can change between calls; a few tries are plenty.
    for (int attempt = 0; attempt < 4; ++attempt) {
        const std::uint32_t length = call(static_cast<std::uint32_t>(buffer.size()), buffer.data());
        if (length == 0) {
            return std::nullopt;
        }
        if (length < buffer.size()) {
            return std::wstring(buffer.data(), length);
        }
        // Too small: length is the room needed, the terminating NUL included.
        buffer.resize(static_cast<std::size_t>(length) + 1);
    }
    return std::nullopt;
}

std::wstring GetTempDirectory(TempPathCalls& calls) {
    // The folder may be longer than MAX_PATH: the buffer grows to what is asked for.
    const std::optional<std::wstring> directory = TextOfSizedCall(
        [&calls](std::uint32_t size, wchar_t* buffer) { return calls.TempPath(size, buffer); },
        kMaxPath + 1);
    if (!NamesAFolder(directory)) {
        return {};
    }
    if (!calls.HasLongPathName()) {
        return *directory;
    }
    // A failed conversion (a folder that does not exist, say) leaves the folder as the
    // platform gave it, which still names it.
    const std::optional<std::wstring> long_form = TextOfSizedCall(
        [&](std::uint32_t size, wchar_t* buffer) {
            return calls.LongPathName(directory->c_str(), size, buffer);
        },
        std::max(kMaxPath, directory->size()) + 1);
    return NamesAFolder(long_form) ? *long_form : *directory;
}

std::wstring BuildSettingsFilePath(TempPathCalls& calls) {
    const std::wstring directory = GetTempDirectory(calls);
    if (directory.empty()) {
        return {};
    }
    return directory + L"\\Trinumero.ini";
}

}  // namespace trinumero

#include "settings/settings_file_state.h"

#include <array>
#include <cstdint>
#include <new>
#include <utility>

namespace trinumero {

namespace {

constexpr std::array<char, 3> kByteOrderMark{'\xEF', '\xBB', '\xBF'};

// Reads the whole content after an optional byte-order mark into the state's buffer and
// parses it. Whatever fails here only means that nothing was read.
void ReadSettingsText(SettingsFileState& state) {
    SettingsFile& file = *state.handle;
    state.text_mode = kPlainTextMode;
    std::uint64_t size = file.Size().value_or(0);
    if (size > kMaxSettingsFileSize) {
        return;
    }
    if (size >= kByteOrderMark.size()) {
        std::array<char, 3> head{};
        const std::optional<std::size_t> got = file.Read(head);
        if (got == head.size() && head == kByteOrderMark) {
            state.text_mode = kUtf8TextMode;
            size -= head.size();
        } else if (!file.SeekToStart()) {
            return;
        }
    }
    if (size == 0) {
        return;
    }
    const auto length = static_cast<std::size_t>(size);
    // Without memory for the buffer nothing is read, and the open still succeeds.
    state.text.reset(new (std::nothrow) char[length + 2]);
    if (!state.text) {
        return;
    }
    const std::size_t got = file.Read(std::span<char>(state.text.get(), length)).value_or(0);
    // A shorter read than the size said is what the file holds now.
    state.text_end = got < length ? got : length;
    state.text[state.text_end] = '\0';
    state.text[state.text_end + 1] = '\0';
    ParseSettingsText(std::string_view(state.text.get(), state.text_end), state.entries);
}

// Writes the key entries over the whole file. False when any step fails.
bool WriteSettingsText(SettingsFileState& state) {
    SettingsFile& file = *state.handle;
    // Without memory for the output nothing is written, and the save counts as failed.
    const std::size_t size = SettingsOutputSize(state.entries);
    const std::unique_ptr<char[]> output(new (std::nothrow) char[size + 1]);
    if (!output) {
        return false;
    }
    WriteSettingsOutput(state.entries, output.get());
    if (!file.SeekToStart()) {
        return false;
    }
    bool written = true;
    if (size != 0) {
        written = file.Write(std::span<const char>(output.get(), size)) == size;
    }
    // The end goes where the writing stopped, so an emptied file never keeps stale bytes.
    const bool ended = file.SetEnd();
    return written && ended;
}

}  // namespace

bool OpenSettingsForRead(SettingsFileState& state, SettingsFileSystem& files,
                         std::wstring_view path) {
    CloseSettings(state);
    // An empty path names no file: the platform would take it relative to the current
    // drive or folder, somewhere the user never chose.
    if (path.empty()) {
        return false;
    }
    std::unique_ptr<SettingsFile> file = files.Open(path, FileOpenMode::kReadWrite);
    if (!file) {
        file = files.Open(path, FileOpenMode::kReadOnly);
    }
    if (!file) {
        return false;
    }
    state.handle = std::move(file);
    ReadSettingsText(state);
    return true;
}

std::int32_t ReadSettingLong(const SettingsFileState& state, std::string_view key,
                             std::int32_t fallback) {
    if (!state.handle) {
        return fallback;
    }
    const SettingsEntry* entry = FindSettingValue(state.entries, state.text_mode, key);
    return entry ? SettingIntegerFromText(entry->Value()) : fallback;
}

bool CreateSettingsFile(SettingsFileState& state, SettingsFileSystem& files,
                        std::wstring_view path) {
    CloseSettings(state);
    if (path.empty()) {
        return false;
    }
    std::unique_ptr<SettingsFile> file = files.Open(path, FileOpenMode::kReplace);
    if (!file) {
        return false;
    }
    state.handle = std::move(file);
    return true;
}

void WriteSettingLong(SettingsFileState& state, std::string_view key, std::int32_t value) {
    if (!state.handle) {
        return;
    }
    PutSettingEntry(state.entries, key, SettingTextFromInteger(value));
    state.modified = true;
}

bool CloseSettings(SettingsFileState& state) {
    bool ok = true;
    if (state.handle) {
        if (state.modified) {
            ok = WriteSettingsText(state);
        }
        // Content that could not be written whole is not closed but dropped below, which
        // throws a created file away instead of putting it in place.
        if (ok) {
            ok = state.handle->Close();
        }
    }
    // Entries may be views into the text buffer: they go first.
    state.entries.clear();
    state.text.reset();
    state.text_end = 0;
    state.text_mode = kPlainTextMode;
    state.modified = false;
    state.handle.reset();
    return ok;
}

}  // namespace trinumero

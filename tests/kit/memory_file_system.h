#pragma once

// An in-memory stand-in for the platform's files: paths map to contents, every open is
// recorded with its modes, and any one step can be made to fail. Created content replaces a
// path's content only at a successful close, as on the platform.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "settings/settings_file_state.h"

namespace trinumero::testing {

// The steps of the platform's files, each of which a test can make fail.
enum class FileStep {
    kOpen,        // every open is refused
    kSize,        // the size cannot be told
    kRead,        // every read fails
    kSeek,        // the position cannot go back to the start
    kWrite,       // every write fails
    kShortWrite,  // a write takes only the first kShortWriteBytes bytes
    kSetEnd,      // the file cannot be ended
    kClose,       // closing fails
    kCommit,      // created content cannot be put in place
};

// Every step, in the enum's order, for the tests that go through them all.
inline constexpr FileStep kEveryFileStep[] = {
    FileStep::kOpen,       FileStep::kSize,   FileStep::kRead,  FileStep::kSeek,   FileStep::kWrite,
    FileStep::kShortWrite, FileStep::kSetEnd, FileStep::kClose, FileStep::kCommit,
};
inline constexpr const char* kFileStepNames[] = {
    "open", "size", "read", "seek", "write", "short write", "set end", "close", "commit"};

inline const char* FileStepName(FileStep step) {
    return kFileStepNames[static_cast<int>(step)];
}

// Whether saving new content (create, write, close) takes the step: a save neither asks for
// the size nor reads.
inline bool SaveTakes(FileStep step) {
    return step != FileStep::kSize && step != FileStep::kRead;
}

inline constexpr std::size_t kShortWriteBytes = 4;

class MemoryFileSystem final : public SettingsFileSystem {
  public:
    struct OpenCall {
        std::wstring path;
        FileOpenMode mode;
    };

    // Contents by path; a path not here does not exist.
    std::map<std::wstring, std::string> files;
    // Paths that refuse write access (read-only files).
    std::set<std::wstring> read_only;

    std::vector<OpenCall> opens;
    int open_count = 0;

    // The one step that fails, if any.
    std::optional<FileStep> failing;
    std::optional<std::size_t> short_read;  // read at most this many bytes a call
    int write_calls = 0;
    int read_calls = 0;

    std::unique_ptr<SettingsFile> Open(std::wstring_view path_view, FileOpenMode mode) override {
        std::wstring path(path_view);
        opens.push_back({path, mode});
        if (Fails(FileStep::kOpen)) {
            return nullptr;
        }
        if (mode != FileOpenMode::kReadOnly && read_only.count(path) != 0) {
            return nullptr;
        }
        if (mode != FileOpenMode::kReplace && files.count(path) == 0) {
            return nullptr;
        }
        ++open_count;
        return std::make_unique<File>(*this, std::move(path), mode);
    }

  private:
    bool Fails(FileStep step) const { return failing == step; }

    class File final : public SettingsFile {
      public:
        File(MemoryFileSystem& owner, std::wstring path, FileOpenMode mode)
            : owner_(owner), path_(std::move(path)), mode_(mode) {}
        // Not closed: created content is thrown away.
        ~File() override {
            if (!closed_) {
                --owner_.open_count;
            }
        }

        std::optional<std::uint64_t> Size() override {
            if (owner_.Fails(FileStep::kSize)) {
                return std::nullopt;
            }
            return Content().size();
        }

        std::optional<std::size_t> Read(std::span<char> into) override {
            ++owner_.read_calls;
            if (owner_.Fails(FileStep::kRead) || mode_ == FileOpenMode::kReplace) {
                return std::nullopt;
            }
            const std::string& content = Content();
            const std::size_t available =
                position_ < content.size() ? content.size() - position_ : 0;
            const std::size_t count =
                std::min({available, into.size(), owner_.short_read.value_or(into.size())});
            std::copy_n(content.data() + position_, count, into.data());
            position_ += count;
            return count;
        }

        bool SeekToStart() override {
            if (owner_.Fails(FileStep::kSeek)) {
                return false;
            }
            position_ = 0;
            return true;
        }

        std::optional<std::size_t> Write(std::span<const char> bytes) override {
            ++owner_.write_calls;
            if (owner_.Fails(FileStep::kWrite) || mode_ == FileOpenMode::kReadOnly) {
                return std::nullopt;
            }
            const std::size_t count = owner_.Fails(FileStep::kShortWrite)
                                          ? std::min(bytes.size(), kShortWriteBytes)
                                          : bytes.size();
            std::string& content = Content();
            if (content.size() < position_ + count) {
                content.resize(position_ + count);
            }
            std::copy_n(bytes.data(), count, content.data() + position_);
            position_ += count;
            return count;
        }

        bool SetEnd() override {
            if (owner_.Fails(FileStep::kSetEnd) || mode_ == FileOpenMode::kReadOnly) {
                return false;
            }
            Content().resize(position_);
            return true;
        }

        bool Close() override {
            if (closed_) {
                return true;
            }
            closed_ = true;
            --owner_.open_count;
            if (owner_.Fails(FileStep::kClose) || (Created() && owner_.Fails(FileStep::kCommit))) {
                return false;
            }
            if (Created()) {
                owner_.files[path_] = std::move(fresh_);
            }
            return true;
        }

      private:
        bool Created() const { return mode_ == FileOpenMode::kReplace; }
        std::string& Content() { return Created() ? fresh_ : owner_.files[path_]; }

        MemoryFileSystem& owner_;
        std::wstring path_;
        FileOpenMode mode_;
        std::string fresh_;  // created content, not yet in place
        std::size_t position_ = 0;
        bool closed_ = false;
    };
};

}  // namespace trinumero::testing

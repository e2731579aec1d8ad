#pragma once

// An in-memory stand-in for the platform's files: paths map to contents, every open is
// recorded with its modes, and any step can be made to fail. Created content replaces a
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

class MemoryFileSystem final : public SettingsFileSystem {
  public:
    struct OpenCall {
        std::wstring path;
        FileOpenMode mode;
    };

    // Contents by path; a path not here does not exist.
    std::map<std::wstring, std::string> files;
    // Paths that refuse write access (read-only files) and paths that refuse every open
    // (directories, locked files).
    std::set<std::wstring> read_only;
    std::set<std::wstring> unopenable;

    std::vector<OpenCall> opens;
    int open_count = 0;

    // Failures of the steps on an open file.
    bool fail_size = false;
    bool fail_read = false;
    std::optional<std::size_t> short_read;  // read at most this many bytes a call
    bool fail_seek = false;
    bool fail_write = false;
    std::optional<std::size_t> short_write;  // write at most this many bytes
    bool fail_set_end = false;
    bool fail_close = false;
    bool fail_commit = false;  // created content cannot be put in place
    int write_calls = 0;
    int read_calls = 0;

    std::unique_ptr<SettingsFile> Open(std::wstring_view path_view, FileOpenMode mode) override {
        std::wstring path(path_view);
        opens.push_back({path, mode});
        if (unopenable.count(path) != 0) {
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
            if (owner_.fail_size) {
                return std::nullopt;
            }
            return Content().size();
        }

        std::optional<std::size_t> Read(std::span<char> into) override {
            ++owner_.read_calls;
            if (owner_.fail_read || mode_ == FileOpenMode::kReplace) {
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
            if (owner_.fail_seek) {
                return false;
            }
            position_ = 0;
            return true;
        }

        std::optional<std::size_t> Write(std::span<const char> bytes) override {
            ++owner_.write_calls;
            if (owner_.fail_write || mode_ == FileOpenMode::kReadOnly) {
                return std::nullopt;
            }
            const std::size_t count =
                std::min(bytes.size(), owner_.short_write.value_or(bytes.size()));
            std::string& content = Content();
            if (content.size() < position_ + count) {
                content.resize(position_ + count);
            }
            std::copy_n(bytes.data(), count, content.data() + position_);
            position_ += count;
            return count;
        }

        bool SetEnd() override {
            if (owner_.fail_set_end || mode_ == FileOpenMode::kReadOnly) {
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
            if (owner_.fail_close || (Created() && owner_.fail_commit)) {
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

#include "tests/kit/files_win32.h"

#include <windows.h>

#include <algorithm>

namespace trinumero::testing {
namespace {

// Removes the folder and everything in it, read-only files included.
void RemoveTree(const std::wstring& path) {
    for (const std::wstring& name : ListFolder(path)) {
        const std::wstring child = path + L"\\" + name;
        SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        const DWORD attributes = GetFileAttributesW(child.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            RemoveTree(child);
        } else {
            DeleteFileW(child.c_str());
        }
    }
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(path.c_str());
}

}  // namespace

TempDirectory::TempDirectory(std::wstring_view name_part) {
    static int counter = 0;
    wchar_t base[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, base);
    if (length == 0 || length > MAX_PATH) {
        return;
    }
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
        const std::wstring candidate = std::wstring(base) + std::wstring(name_part) + L" " +
                                       std::to_wstring(GetCurrentProcessId()) + L"-" +
                                       std::to_wstring(++counter);
        if (CreateDirectoryW(candidate.c_str(), nullptr)) {
            path_ = candidate;
        }
    }
}

TempDirectory::~TempDirectory() {
    if (!path_.empty()) {
        RemoveTree(path_);
    }
}

std::wstring TempDirectory::File(std::wstring_view name) const {
    return path_ + L"\\" + std::wstring(name);
}

KernelHandle OpenExistingFile(const std::wstring& path, DWORD access, DWORD share) {
    const HANDLE file = CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    return KernelHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
    const KernelHandle file =
        OpenExistingFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
    if (!file) {
        return std::nullopt;
    }
    std::string content;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof(buffer), &got, nullptr) && got > 0) {
        content.append(buffer, got);
    }
    return content;
}

bool WriteWholeFile(const std::wstring& path, std::string_view content) {
    const HANDLE created = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created == INVALID_HANDLE_VALUE) {
        return false;
    }
    const KernelHandle file(created);
    DWORD written = 0;
    return WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written,
                     nullptr) &&
           written == content.size();
}

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::wstring> ListFolder(const std::wstring& path) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const FindHandle search(FindFirstFileW((path + L"\\*").c_str(), &found));
    if (search.get() != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring_view name = found.cFileName;
            if (name != L"." && name != L"..") {
                names.emplace_back(name);
            }
        } while (FindNextFileW(search.get(), &found));
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace trinumero::testing

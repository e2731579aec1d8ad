#include "settings/abandoned_fresh_files_win32.h"

#include <windows.h>

#include <cstdint>
#include <optional>

#include "settings/fresh_file_name.h"
#include "support/handles_win32.h"

namespace trinumero {

namespace {

// Whether the process is certainly gone: no process has the id, or the one that has it has
// ended. This process writes its fresh files only inside a save, so one of its id found
// before the save began was left by an earlier process of the same id. A process that
// cannot be asked counts as running.
bool ProcessIsGone(DWORD process_id) {
    if (process_id == GetCurrentProcessId()) {
        return true;
    }
    const KernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, process_id));
    if (!process) {
        return GetLastError() == ERROR_INVALID_PARAMETER;
    }
    return WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0;
}

}  // namespace

void RemoveAbandonedFreshFiles(const std::wstring& folder) {
    std::wstring pattern = folder;
    pattern += kFreshFilePrefix;
    pattern += L'*';
    WIN32_FIND_DATAW found{};
    const FindHandle search(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                             FindExSearchNameMatch, nullptr, 0));
    if (search.get() == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        const std::optional<std::uint32_t> writer = FreshFileWriter(found.cFileName);
        if (writer && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
            ProcessIsGone(*writer)) {
            std::wstring file = folder;
            file += found.cFileName;
            DeleteFileW(file.c_str());
        }
    } while (FindNextFileW(search.get(), &found));
}

}  // namespace trinumero

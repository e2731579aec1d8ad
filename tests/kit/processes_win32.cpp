#include "tests/kit/processes_win32.h"

namespace trinumero::testing {

StartedProcess::StartedProcess(std::wstring command_line, const std::wstring& program,
                               const std::wstring& folder) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (CreateProcessW(program.empty() ? nullptr : program.c_str(), command_line.data(), nullptr,
                       nullptr, FALSE, 0, nullptr, folder.empty() ? nullptr : folder.c_str(),
                       &startup, &started)) {
        process_.reset(started.hProcess);
        thread_.reset(started.hThread);
        id_ = started.dwProcessId;
        started_ = true;
    }
}

StartedProcess::~StartedProcess() {
    if (process_ && !WaitForExit(0)) {
        TerminateProcess(process_.get(), 99);
        WaitForExit(10000);
    }
}

std::optional<DWORD> StartedProcess::WaitForExit(DWORD timeout_ms) const {
    DWORD code = 0;
    if (!process_ || WaitForSingleObject(process_.get(), timeout_ms) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process_.get(), &code)) {
        return std::nullopt;
    }
    return code;
}

}  // namespace trinumero::testing

#pragma once

// Other programs a test starts: the program under test, a system tool, another program's
// window. Each is ended when the test lets go of it while it still runs, and its handles are
// closed.

#include <windows.h>

#include <optional>
#include <string>

#include "support/handles_win32.h"

namespace trinumero::testing {

class StartedProcess {
  public:
    // Starts the command line. Its first word names the program, found as the system finds
    // it, unless program names the file itself; folder is the program's current folder (this
    // process's own when empty). The program inherits this process's environment.
    explicit StartedProcess(std::wstring command_line, const std::wstring& program = {},
                            const std::wstring& folder = {});
    StartedProcess(const StartedProcess&) = delete;
    StartedProcess& operator=(const StartedProcess&) = delete;
    ~StartedProcess();

    // Whether the system started it. A Unix program started under Wine gives no handle:
    // Handle() is then nullptr and the program cannot be waited for or ended.
    bool Started() const { return started_; }
    DWORD Id() const { return id_; }
    HANDLE Handle() const { return process_.get(); }

    // Waits for the program to end: its exit code, or nothing when it still runs at the end
    // of the time.
    std::optional<DWORD> WaitForExit(DWORD timeout_ms) const;

  private:
    KernelHandle process_;
    KernelHandle thread_;
    DWORD id_ = 0;
    bool started_ = false;
};

}  // namespace trinumero::testing

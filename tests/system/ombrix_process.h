#pragma once
// Ombrix.exe started as a separate process, as the shell starts it at logon. The driver finds its window, talks to
// it with posted messages and reads its exit code with GetExitCodeProcess (the full 32 bits).

#include "system/unique_handle.h"

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>

namespace n_ombrix_test {

class t_OmbrixProcess {
public:
    t_OmbrixProcess();
    t_OmbrixProcess(const t_OmbrixProcess&) = delete;
    t_OmbrixProcess& operator=(const t_OmbrixProcess&) = delete;
    // A process still running at the end of a test is ended, so that the next test starts alone.
    ~t_OmbrixProcess();

    // The process's top-level window of class "Ombrix", once it exists; null if it does not appear in time.
    HWND WaitForWindow(std::chrono::milliseconds timeout = std::chrono::seconds(20));

    // The exit code, or nothing if the process is still running after the timeout.
    std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout = std::chrono::seconds(20));

    bool IsRunning() const;
    // "running", or how the process ended: for the message of a failed test.
    std::string State();
    DWORD Id() const noexcept { return id_; }

private:
    n_zql::n_system::n_windows::t_Handle process_;
    DWORD id_ = 0;
};

} // namespace n_ombrix_test

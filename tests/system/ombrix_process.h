#pragma once
// Ombrix.exe started as a separate process, as the shell starts it at logon. The driver finds its window, talks to
// it with posted messages and reads its exit code with GetExitCodeProcess (the full 32 bits).

#include "system/unique_handle.h"

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace n_ombrix_test {

class t_OmbrixProcess {
public:
    // Starts the program (or another built program, with its arguments) and waits up to 20 seconds for its
    // top-level window of the class, unless it ends first.
    explicit t_OmbrixProcess(std::wstring_view program = L"Ombrix.exe", std::wstring_view arguments = {},
                             const wchar_t* windowClass = L"Ombrix");
    t_OmbrixProcess(const t_OmbrixProcess&) = delete;
    t_OmbrixProcess& operator=(const t_OmbrixProcess&) = delete;
    // A process still running at the end of a test is ended, so that the next test starts alone.
    ~t_OmbrixProcess();

    // The process's top-level window of the class; null if it did not appear.
    HWND Window() const noexcept { return window_; }
    void Post(UINT message, WPARAM wParam = 0) const { PostMessageW(window_, message, wParam, 0); }
    // The show request, as the Start button gives it (command: the run box); true once the popup is visible, within
    // five seconds.
    bool Show(bool command = false) const;
    // Asks it to end (WM_CLOSE); true when it ended normally, with exit code 0.
    bool Close() const;

    // The exit code, or nothing if the process is still running after the timeout.
    std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout = std::chrono::seconds(20)) const;
    bool IsRunning() const { return !WaitForExit(std::chrono::milliseconds(0)); }
    // "running", or how the process ended: for the message of a failed test.
    std::string State() const;

private:
    n_zql::n_system::n_windows::t_Handle process_;
    HWND window_ = nullptr;
};

} // namespace n_ombrix_test

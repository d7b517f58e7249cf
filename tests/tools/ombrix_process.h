#pragma once
// Ombrix.exe (or a helper program of the tests) started as a separate process, as the shell starts it at logon. The
// driver finds its window, talks to it with posted messages and reads its exit code with GetExitCodeProcess (the
// full 32 bits).

#include "built_program.h"
#include "eventually.h"
#include "system/error_exception.h"
#include "system/known_folders.h"
#include "system/unique_handle.h"
#include "ui/window_messages.h"

#include <windows.h>

#include <knownfolders.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace n_ombrix_test {

// Ombrix's data folder, where the known folders put it at the moment (a test may have moved them).
inline std::wstring DataFolder() { return n_ombrix::KnownFolderPath(FOLDERID_RoamingAppData) + L"Ombrix\\"; }

// The process that made the window; 0 when there is no window.
inline DWORD ProcessOf(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

class t_OmbrixProcess {
public:
    // Starts the program (Ombrix.exe or another built program, or one at a full path, an installed Ombrix.exe) and
    // waits up to 20 seconds for its top-level window of the class, unless it ends first.
    explicit t_OmbrixProcess(std::wstring_view programName = L"Ombrix.exe", const wchar_t* windowClass = L"Ombrix")
        : process_(StartProcess(L"\"" +
                                (programName.find(L':') != std::wstring_view::npos ? std::wstring(programName)
                                                                                    : BuiltProgramPath(programName)) +
                                L"\"")) {
        if (!process_) n_zql::n_system::n_windows::ThrowWin32Error(GetLastError());
        const auto found = [&] {
            for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, windowClass, nullptr)) != nullptr;)
                if (ProcessOf(window) == GetProcessId(process_.Get())) window_ = window;
            return window_ || !IsRunning();
        };
        Eventually(found, std::chrono::seconds(20));
    }
    // A process still running at the end of a test is ended, so that the next test starts alone. (Like its process
    // handle, it is not copied.)
    ~t_OmbrixProcess() {
        if (IsRunning() && Kill()) WaitForSingleObject(process_.Get(), 10'000);
    }

    // The process's top-level window of the class; null if it did not appear.
    HWND Window() const noexcept { return window_; }
    void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        PostMessageW(window_, message, wParam, lParam);
    }
    // The show request, as the Start button gives it (command: the run box); true once the popup is visible and in
    // the foreground, where key presses reach it, within five seconds.
    bool Show(bool command = false) const {
        Post(n_ombrix::MSG_SHOW_POPUP, 0, command ? 1 : 0);
        return Becomes(true);
    }
    // True once the popup is hidden, within five seconds.
    bool Hides() const { return Becomes(false); }
    // Another window's activation, sent: true once the popup is hidden and Ombrix is back in its message loop (under
    // Wine without a window manager a hide waits for the X server).
    bool Hide() const {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(window_, WM_ACTIVATE, WA_INACTIVE, 0, SMTO_ABORTIFHUNG, 5000, &result);
        return Hides();
    }
    // Asks it to end (WM_CLOSE); true when it ended normally, with exit code 0.
    bool Close() const {
        Post(WM_CLOSE);
        return WaitForExit() == std::optional<DWORD>(0);
    }

    // The exit code, or nothing if the process is still running after the timeout.
    std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout = std::chrono::seconds(20)) const {
        DWORD code = 0;
        if (WaitForSingleObject(process_.Get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0 ||
            !GetExitCodeProcess(process_.Get(), &code))
            return std::nullopt;
        return code;
    }
    bool IsRunning() const { return !WaitForExit(std::chrono::milliseconds(0)); }
    // Ends it at once, as the task manager does; whether that could be done.
    bool Kill() const { return TerminateProcess(process_.Get(), 9) != FALSE; }
    // "running", or how the process ended: for the message of a failed test.
    std::string State() const {
        const std::optional<DWORD> code = WaitForExit(std::chrono::milliseconds(0));
        return code ? "ended with exit code " + std::to_string(*code) : "running";
    }

private:
    bool Becomes(bool visible) const {
        return window_ && Eventually([&] {
                   return (IsWindowVisible(window_) != FALSE) == visible &&
                          (!visible || GetForegroundWindow() == window_);
               });
    }

    n_zql::n_system::n_windows::t_Handle process_;
    HWND window_ = nullptr;
};

} // namespace n_ombrix_test

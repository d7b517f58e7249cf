#pragma once
// Ombrix.exe (or a helper program of the tests) started as a separate process, as the shell starts it at logon. The
// driver finds its window, talks to it with posted messages and reads its exit code with GetExitCodeProcess (the
// full 32 bits).

#include "built_program.h"
#include "system/error_exception.h"
#include "system/unique_handle.h"
#include "ui/window_messages.h"

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace n_ombrix_test {

class t_OmbrixProcess {
public:
    // Starts the program (Ombrix.exe or another built program) and waits up to 20 seconds for its top-level window of
    // the class, unless it ends first.
    explicit t_OmbrixProcess(std::wstring_view programName = L"Ombrix.exe", const wchar_t* windowClass = L"Ombrix") {
        const std::wstring program = BuiltProgramPath(programName);
        std::wstring commandLine = L"\"" + program + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION information{};
        if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &information))
            n_zql::n_system::n_windows::ThrowWin32Error(GetLastError());
        CloseHandle(information.hThread);
        process_.Reset(information.hProcess);
        for (int tries = 0; tries < 1000 && IsRunning() && !window_; ++tries, Sleep(20)) {
            for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, windowClass, nullptr)) != nullptr;) {
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                if (owner == information.dwProcessId) window_ = window;
            }
        }
    }
    // A process still running at the end of a test is ended, so that the next test starts alone. (Like its process
    // handle, it is not copied.)
    ~t_OmbrixProcess() {
        if (IsRunning()) {
            TerminateProcess(process_.Get(), 1);
            WaitForSingleObject(process_.Get(), 10'000);
        }
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
    // "running", or how the process ended: for the message of a failed test.
    std::string State() const {
        const std::optional<DWORD> code = WaitForExit(std::chrono::milliseconds(0));
        return code ? "ended with exit code " + std::to_string(*code) : "running";
    }

private:
    bool Becomes(bool visible) const {
        for (int tries = 0; window_ && tries < 250; ++tries, Sleep(20))
            if ((IsWindowVisible(window_) != FALSE) == visible && (!visible || GetForegroundWindow() == window_))
                return true;
        return false;
    }

    n_zql::n_system::n_windows::t_Handle process_;
    HWND window_ = nullptr;
};

} // namespace n_ombrix_test

#include "ombrix_process.h"

#include "built_program.h"
#include "system/error_exception.h"
#include "ui/window_messages.h"

namespace n_ombrix_test {

using n_zql::n_system::n_windows::ThrowWin32Error;

t_OmbrixProcess::t_OmbrixProcess(std::wstring_view programName, std::wstring_view arguments,
                                 const wchar_t* windowClass) {
    const std::wstring program = BuiltProgramPath(programName);
    std::wstring commandLine = L"\"" + program + L"\" " + std::wstring(arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION information{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &information))
        ThrowWin32Error(GetLastError());
    CloseHandle(information.hThread);
    process_.Reset(information.hProcess);
    for (int tries = 0; tries < 1000 && IsRunning(); ++tries) {
        for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, windowClass, nullptr)) != nullptr;) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == information.dwProcessId) {
                window_ = window;
                return;
            }
        }
        Sleep(20);
    }
}

t_OmbrixProcess::~t_OmbrixProcess() {
    if (IsRunning()) {
        TerminateProcess(process_.Get(), 1);
        WaitForSingleObject(process_.Get(), 10'000);
    }
}

std::optional<DWORD> t_OmbrixProcess::WaitForExit(std::chrono::milliseconds timeout) const {
    if (WaitForSingleObject(process_.Get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    if (!GetExitCodeProcess(process_.Get(), &code)) ThrowWin32Error(GetLastError());
    return code;
}

bool t_OmbrixProcess::Show(bool command) const {
    if (!window_) return false;
    PostMessageW(window_, n_ombrix::MSG_SHOW_POPUP, 0, command ? 1 : 0);
    for (int tries = 0; tries < 250; ++tries, Sleep(20))
        if (IsWindowVisible(window_)) return true;
    return false;
}

bool t_OmbrixProcess::Close() const {
    Post(WM_CLOSE);
    return WaitForExit() == std::optional<DWORD>(0);
}

std::string t_OmbrixProcess::State() const {
    const std::optional<DWORD> code = WaitForExit(std::chrono::milliseconds(0));
    return code ? "ended with exit code " + std::to_string(*code) : "running";
}

} // namespace n_ombrix_test

#include "ombrix_process.h"

#include "system/module_file_name.h"
#include "system/error_exception.h"
#include "system/path_text.h"

#include <string>
#include <thread>

namespace n_ombrix_test {

using namespace n_zql::n_system::n_windows;

namespace {

struct t_Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindOmbrixWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<t_Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    if (owner == search->processId && std::wstring(className) == L"Ombrix") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

t_OmbrixProcess::t_OmbrixProcess() {
    const std::wstring program = n_zql::n_system::FolderOfPath(n_zql::n_system::n_windows::ModuleFileName(nullptr)) + L"Ombrix.exe";
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION information{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &information))
        ThrowWin32Error(GetLastError());
    CloseHandle(information.hThread);
    process_.Reset(information.hProcess);
    id_ = information.dwProcessId;
}

t_OmbrixProcess::~t_OmbrixProcess() {
    if (IsRunning()) {
        TerminateProcess(process_.Get(), 1);
        WaitForSingleObject(process_.Get(), 10'000);
    }
}

HWND t_OmbrixProcess::WaitForWindow(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        t_Search search{id_, nullptr};
        EnumWindows(&FindOmbrixWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found || !IsRunning() || std::chrono::steady_clock::now() > deadline) return search.found;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

std::optional<DWORD> t_OmbrixProcess::WaitForExit(std::chrono::milliseconds timeout) {
    if (WaitForSingleObject(process_.Get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    if (!GetExitCodeProcess(process_.Get(), &code)) ThrowWin32Error(GetLastError());
    return code;
}

std::string t_OmbrixProcess::State() {
    const std::optional<DWORD> code = WaitForExit(std::chrono::milliseconds(0));
    return code ? "ended with exit code " + std::to_string(*code) : "running";
}

bool t_OmbrixProcess::IsRunning() const { return WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT; }

} // namespace n_ombrix_test

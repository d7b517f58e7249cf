// The process entry: one instance per user, guarded by a named mutex. Any exception that reaches this frame ends
// the process with exit code 713 and no message.

#include "app/application.h"
#include "app/exit_codes.h"
#include "system/error_exception.h"
#include "system/unique_handle.h"

#include <windows.h>

namespace {

int RunOnce() {
    using namespace n_zql::n_system::n_windows;
    // Stays open until the process ends; its existence is what makes a second start give up.
    t_Handle mutex(CreateMutexW(nullptr, FALSE, L"Ombrix_Is_Running"));
    const DWORD lastError = GetLastError();
    if (!mutex) ThrowWin32Error(lastError);
    if (lastError == ERROR_ALREADY_EXISTS) {
        // Another instance runs: nothing is shown and nothing is sent to it.
        if (!CloseHandle(mutex.Release())) ThrowWin32Error(GetLastError());
        return n_ombrix::exitNormal;
    }
    int result;
    {
        n_ombrix::t_Application application;
        result = application.Run();
    }
    return result;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    try {
        return RunOnce();
    } catch (...) {
        return n_ombrix::exitUnexpectedError;
    }
}

#include "app/power_actions.h"

#include <powrprof.h>
#include <reason.h>

namespace n_ombrix {

namespace {

// The display's power state that turns it off.
constexpr LPARAM displayOff = 2;
constexpr DWORD restartFlags = SHUTDOWN_FORCE_OTHERS | SHUTDOWN_RESTART | SHUTDOWN_INSTALL_UPDATES;
constexpr DWORD shutDownFlags = SHUTDOWN_FORCE_OTHERS | SHUTDOWN_POWEROFF | SHUTDOWN_INSTALL_UPDATES | SHUTDOWN_HYBRID;

} // namespace

t_PowerCalls PlatformPowerCalls() noexcept {
    return {.lockWorkStation = &LockWorkStation,
            .exitWindows = &ExitWindowsEx,
            .shellWindow = &GetShellWindow,
            .sendMessage = &SendMessageW,
            .setSuspendState = &SetSuspendState,
            .initiateShutdown = &InitiateShutdownW};
}

void RunPowerAction(const t_PowerCalls& calls, int number) noexcept {
    switch (number) {
    case 1:
        calls.lockWorkStation();
        return;
    case 2:
        calls.exitWindows(EWX_LOGOFF, SHTDN_REASON_FLAG_PLANNED);
        return;
    case 3:
        if (const HWND shell = calls.shellWindow())
            calls.sendMessage(shell, WM_SYSCOMMAND, SC_MONITORPOWER, displayOff);
        return;
    case 4:
        calls.setSuspendState(FALSE, FALSE, FALSE);
        return;
    case 5:
        calls.setSuspendState(TRUE, FALSE, FALSE);
        return;
    case 6:
        calls.initiateShutdown(nullptr, nullptr, 0, restartFlags, SHTDN_REASON_FLAG_PLANNED);
        return;
    case 7:
        calls.initiateShutdown(nullptr, nullptr, 0, shutDownFlags, SHTDN_REASON_FLAG_PLANNED);
        return;
    default:
        return;
    }
}

} // namespace n_ombrix

#pragma once
// The seven power actions of the power menu and of Alt with a digit: lock, sign out, display off, sleep, hibernate,
// restart and shut down. Their platform calls sit in one table, so that tests run the actions against recorders:
// no test may lock, sign out, suspend or shut down the machine it runs on. This is the only such table.

#include <windows.h>

namespace n_ombrix {

struct t_PowerCalls {
    BOOL(WINAPI* lockWorkStation)();
    BOOL(WINAPI* exitWindows)(UINT flags, DWORD reason);
    HWND(WINAPI* shellWindow)();
    LRESULT(WINAPI* sendMessage)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    BOOLEAN(WINAPI* setSuspendState)(BOOLEAN hibernate, BOOLEAN force, BOOLEAN wakeupEventsDisabled);
    DWORD(WINAPI* initiateShutdown)(LPWSTR machine, LPWSTR message, DWORD gracePeriod, DWORD flags, DWORD reason);
};

// The platform's own functions.
t_PowerCalls PlatformPowerCalls() noexcept;

// Power action 1 to 7 (the power menu's commands 40001 to 40007); any other number does nothing. The results of the
// calls are not looked at: the session may be ending.
void RunPowerAction(const t_PowerCalls& calls, int number) noexcept;

} // namespace n_ombrix

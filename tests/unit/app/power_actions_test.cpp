// The power actions against recorders in place of the platform's calls: each action's call, flags and numbers, and
// the display staying on without a shell window. Nothing here locks, suspends or shuts down the test machine.

#include "app/power_actions.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using namespace n_ombrix;

namespace {

std::string recorded;
HWND shell = reinterpret_cast<HWND>(0x1234);

void Record(const char* format, unsigned long a = 0, unsigned long b = 0, unsigned long c = 0, unsigned long d = 0) {
    char line[96];
    std::snprintf(line, sizeof line, format, a, b, c, d);
    recorded += line;
}

BOOL WINAPI Lock() {
    Record("lock");
    return TRUE;
}
BOOL WINAPI ExitSession(UINT flags, DWORD reason) {
    Record("exit %lx %lx", flags, reason);
    return TRUE;
}
HWND WINAPI Shell() { return shell; }
LRESULT WINAPI Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Record("send %lx %lx %lx %lx", reinterpret_cast<UINT_PTR>(window), message, static_cast<unsigned long>(wParam),
           static_cast<unsigned long>(lParam));
    return 0;
}
BOOLEAN WINAPI Suspend(BOOLEAN hibernate, BOOLEAN force, BOOLEAN wakeupEventsDisabled) {
    Record("suspend %lu %lu %lu", hibernate, force, wakeupEventsDisabled);
    return TRUE;
}
DWORD WINAPI Shutdown(LPWSTR machine, LPWSTR message, DWORD grace, DWORD flags, DWORD reason) {
    Record("shutdown %lx %lx %lx %lx", (machine || message) ? 1 : 0, grace, flags, reason);
    return 0;
}

constexpr t_PowerCalls recorders{Lock, ExitSession, Shell, Send, Suspend, Shutdown};

} // namespace

TEST(PowerActions, EachActionMakesItsCallWithItsFlags) {
    const std::pair<int, const char*> cases[] = {
        {1, "lock"},
        {2, "exit 0 80000000"},
        {3, "send 1234 112 f170 2"},
        {4, "suspend 0 0 0"},
        {5, "suspend 1 0 0"},
        {6, "shutdown 0 0 45 80000000"},
        {7, "shutdown 0 0 249 80000000"},
        {0, ""},
        {8, ""},
    };
    for (const auto& [number, call] : cases) {
        recorded.clear();
        RunPowerAction(recorders, number);
        EXPECT_EQ(recorded, call) << number;
    }
    // Without a shell window the display stays on.
    shell = nullptr;
    recorded.clear();
    RunPowerAction(recorders, 3);
    EXPECT_EQ(recorded, "");
}

// The power actions against recorders in place of the platform's calls: each action's call, flags and numbers, and
// the display staying on without a shell window. Nothing here locks, suspends or shuts down the test machine.

#include "app/power_actions.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <tuple>

using namespace n_ombrix;

namespace {

std::string recorded;
HWND shell = nullptr;

// Notes the call and gives the answer of a call that worked.
template <typename t_Result>
t_Result Record(t_Result result, const char* format, unsigned long a = 0, unsigned long b = 0, unsigned long c = 0,
                unsigned long d = 0) {
    char line[96];
    std::snprintf(line, sizeof line, format, a, b, c, d);
    recorded += line;
    return result;
}

BOOL WINAPI Lock() { return Record<BOOL>(TRUE, "lock"); }
BOOL WINAPI ExitSession(UINT flags, DWORD reason) { return Record<BOOL>(TRUE, "exit %lx %lx", flags, reason); }
HWND WINAPI Shell() { return shell; }
LRESULT WINAPI Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Record<LRESULT>(0, "send %lx %lx %lx %lx", reinterpret_cast<UINT_PTR>(window), message,
                           static_cast<unsigned long>(wParam), static_cast<unsigned long>(lParam));
}
BOOLEAN WINAPI Suspend(BOOLEAN hibernate, BOOLEAN force, BOOLEAN wakeupEventsDisabled) {
    return Record<BOOLEAN>(TRUE, "suspend %lu %lu %lu", hibernate, force, wakeupEventsDisabled);
}
DWORD WINAPI Shutdown(LPWSTR machine, LPWSTR message, DWORD grace, DWORD flags, DWORD reason) {
    return Record<DWORD>(0, "shutdown %lx %lx %lx %lx", (machine || message) ? 1 : 0, grace, flags, reason);
}

constexpr t_PowerCalls recorders{Lock, ExitSession, Shell, Send, Suspend, Shutdown};

} // namespace

TEST(PowerActions, EachActionMakesItsCallWithItsFlags) {
    const HWND taskbar = reinterpret_cast<HWND>(0x1234);
    const std::tuple<int, HWND, const char*> cases[] = {
        {1, taskbar, "lock"},
        {2, taskbar, "exit 0 80000000"},
        {3, taskbar, "send 1234 112 f170 2"},
        {3, nullptr, ""}, // without a shell window the display stays on
        {4, taskbar, "suspend 0 0 0"},
        {5, taskbar, "suspend 1 0 0"},
        {6, taskbar, "shutdown 0 0 45 80000000"},
        {7, taskbar, "shutdown 0 0 249 80000000"},
        {0, taskbar, ""},
        {8, taskbar, ""},
    };
    for (const auto& [number, window, call] : cases) {
        shell = window;
        recorded.clear();
        RunPowerAction(recorders, number);
        EXPECT_EQ(recorded, call) << number;
    }
}

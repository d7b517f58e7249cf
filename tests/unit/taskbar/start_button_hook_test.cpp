// The taskbar integration from this process: Wine's taskbar, our stand-in for the shell's desktop window (started
// here) and, for the corner windows, secondary taskbars and corner input windows of our own.

#include "ombrix_process.h"

#include "hooks/hook_messages.h"
#include "taskbar/start_button_hook.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

using namespace n_ombrix;
using namespace n_ombrix_test;

namespace {

// Style changes each corner window of ours has had.
int styleChanges[2] = {};

LRESULT CALLBACK CountingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_STYLECHANGED && wParam == static_cast<WPARAM>(GWL_EXSTYLE))
        ++styleChanges[GetWindowLongPtrW(window, GWLP_USERDATA)];
    return DefWindowProcW(window, message, wParam, lParam);
}

// A window of this thread's, of a class of ours.
HWND MakeWindow(const wchar_t* className, const wchar_t* title, RECT rect, HWND parent = nullptr, int counter = 0) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = CountingProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassW(&windowClass);
    const HWND window =
        CreateWindowExW(0, className, title, parent ? WS_CHILD : WS_POPUP, rect.left, rect.top, rect.right - rect.left,
                        rect.bottom - rect.top, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, counter);
    return window;
}

// Whether a request posted to the taskbar came back to the window as the show request.
bool TaskListShows(HWND application) {
    PostMessageW(FindWindowW(L"Shell_TrayWnd", nullptr), WM_SYSCOMMAND, SC_TASKLIST, 0);
    MSG message{};
    for (int tries = 0; tries < 50; ++tries, Sleep(10))
        if (PeekMessageW(&message, application, MSG_SHOW_POPUP, MSG_SHOW_POPUP, PM_REMOVE)) return true;
    return false;
}

} // namespace

TEST(StartButtonHook, AttachesAndDetaches200TimesTakingTheShellsRequestOnlyWhileAttached) {
    ASSERT_TRUE(FindWindowW(L"Shell_TrayWnd", nullptr)) << "Wine's shell has no taskbar window";
    const t_OmbrixProcess desktop(L"progman_stand_in.exe", L"Progman");
    const HWND application = MakeWindow(L"Ombrix test application", L"", {0, 0, 1, 1});
    for (int cycle = 0; cycle < 200; ++cycle) {
        std::unique_ptr<t_StartButtonHook> hook;
        ASSERT_NO_THROW(hook = std::make_unique<t_StartButtonHook>(application)) << "cycle " << cycle;
        if (cycle == 0 || cycle == 199) {
            EXPECT_TRUE(TaskListShows(application)) << "cycle " << cycle;
        }
    }
    EXPECT_FALSE(TaskListShows(application)) << "detached, the shell's request is the shell's";
    DestroyWindow(application);
}

// Two secondary taskbars with their Start buttons at the same place: the corner window over both changes once and
// is put back once; one with the button's top edge is left alone.
TEST(StartButtonHook, MakesTheCornerWindowsOverAStartButtonClickThroughOnceAndPutsThemBack) {
    const t_OmbrixProcess desktop(L"progman_stand_in.exe", L"Progman");
    const HWND application = MakeWindow(L"Ombrix test application", L"", {0, 0, 1, 1});
    HWND taskbars[2]{};
    for (HWND& taskbar : taskbars) {
        taskbar = MakeWindow(L"Shell_SecondaryTrayWnd", L"", {0, 700, 1280, 740});
        MakeWindow(L"Start", L"", {0, 0, 48, 40}, taskbar);
    }
    const HWND corners[2] = {MakeWindow(L"EdgeUiInputWndClass", L"", {0, 720, 20, 740}, nullptr, 0),
                             MakeWindow(L"EdgeUiInputWndClass", L"", {0, 700, 20, 740}, nullptr, 1)};
    const auto clickThrough = [](HWND window) {
        return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0;
    };
    {
        const t_StartButtonHook hook(application);
        EXPECT_TRUE(clickThrough(corners[0]));
        EXPECT_FALSE(clickThrough(corners[1]));
        EXPECT_EQ(styleChanges[0], 1);
    }
    EXPECT_FALSE(clickThrough(corners[0]));
    EXPECT_EQ(styleChanges[0], 2);
    EXPECT_EQ(styleChanges[1], 0);
    for (const HWND window : {corners[0], corners[1], taskbars[0], taskbars[1], application}) DestroyWindow(window);
}

// Ombrix and the shell's taskbar: Wine's own taskbar window, with our stand-in for the shell's desktop window, which
// Wine's shell lacks. Outside a Wine desktop that taskbar is hidden (the last test makes a desktop of its own to click
// its Start button), and Wine does not route the Windows key to it: a real press reaches nothing. The tests post to the
// taskbar window what Windows posts there for the key: WM_SYSCOMMAND with SC_TASKLIST.

#include "ombrix_process.h"
#include "real_input.h"
#include "registry_override.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace n_ombrix_test;

namespace {

HWND Taskbar() { return FindWindowW(L"Shell_TrayWnd", nullptr); }

// The shell's request to the taskbar; whether the popup then shows (it is hidden again afterwards).
bool RequestShows(const t_OmbrixProcess& ombrix, UINT message = WM_SYSCOMMAND, WPARAM wParam = SC_TASKLIST,
                  LPARAM lParam = 0) {
    PostMessageW(Taskbar(), message, wParam, lParam);
    const bool shown = Eventually([&] { return IsWindowVisible(ombrix.Window()) != FALSE; }, std::chrono::seconds(2));
    ombrix.Hide();
    return shown;
}

// The same once Ombrix has taken the taskbar over, which it does a moment after its window exists or the taskbar's
// announcement: up to five requests.
bool EventuallyShows(const t_OmbrixProcess& ombrix) {
    return Eventually([&] { return RequestShows(ombrix); }, std::chrono::seconds(10));
}

bool ShellAnswers() {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(Taskbar(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result) != 0;
}

} // namespace

// The Windows key and Windows+R show the popup; F4 lets the shell's own request through once; after Ombrix's exit the
// taskbar goes on working.
TEST(Taskbar, TheShellsRequestsShowThePopupAndF4LetsTheShellsOwnThroughOnce) {
    ASSERT_TRUE(Taskbar()) << "Wine's shell has no taskbar window";
    const t_OmbrixProcess desktop(L"progman_stand_in.exe", L"Progman");
    const t_OmbrixProcess ombrix;
    ASSERT_TRUE(desktop.Window() && ombrix.Window()) << ombrix.State();
    EXPECT_TRUE(EventuallyShows(ombrix)) << "the Windows key";
    EXPECT_TRUE(RequestShows(ombrix, WM_HOTKEY, 0, MAKELPARAM(MOD_WIN, 'R'))) << "Windows+R";

    ASSERT_TRUE(ombrix.Show());
    Sleep(200);
    PressKey({VK_F4}); // and 300 ms for it
    EXPECT_TRUE(ombrix.Hides());
    ombrix.Hide(); // F4's hide has ended and its request gone to the shell
    Sleep(200);    // through the desktop's thread to the taskbar's, well within the second it is let through
    EXPECT_FALSE(RequestShows(ombrix)) << "the shell's own request, let through";
    EXPECT_TRUE(RequestShows(ombrix)) << "only once";

    EXPECT_TRUE(ombrix.Close()) << ombrix.State();
    EXPECT_TRUE(ShellAnswers());
}

// Started before the shell has its desktop window, Ombrix runs on without the taskbar, attaches when the shell
// announces a taskbar, again at every announcement, and a killed Ombrix leaves the shell working.
TEST(Taskbar, OmbrixAttachesWhenTheTaskbarIsAnnouncedEveryTimeAndAKilledOneLeavesTheShellWorking) {
    const t_OmbrixProcess ombrix;
    ASSERT_TRUE(ombrix.Window()) << ombrix.State();
    EXPECT_FALSE(RequestShows(ombrix)) << "no desktop window: the shell keeps its Start menu";
    EXPECT_TRUE(ombrix.Show()) << "the show request still works";
    ombrix.Hide();

    const t_OmbrixProcess desktop(L"progman_stand_in.exe", L"Progman");
    for (int announcement = 0; announcement < 20; ++announcement) {
        PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
        ASSERT_TRUE(EventuallyShows(ombrix)) << "after announcement " << announcement;
    }

    ASSERT_TRUE(ombrix.Kill());
    ASSERT_TRUE(ombrix.WaitForExit());
    PostMessageW(Taskbar(), WM_SYSCOMMAND, SC_TASKLIST, 0);
    EXPECT_TRUE(ShellAnswers());
}

// A real click on Wine's Start button, in a Wine desktop of the test's own, where Wine's taskbar shows. Windows are
// found within one desktop, so show_popup.exe clicks and looks from inside it.
TEST(Taskbar, AClickOnWinesStartButtonShowsThePopupAndOnceOmbrixHasEndedWinesOwnMenu) {
    const t_RegistryOverride shell(L"Software\\Wine\\Explorer\\Desktops\\OmbrixTaskbarTest", L"EnableShell", DWORD{1});
    const t_ScratchFolder folder(L"start-button");
    const auto inDesktop = [](const wchar_t* program, const std::wstring& arguments = {}) {
        StartProcess(L"explorer.exe /desktop=OmbrixTaskbarTest,1024x768 \"" + BuiltProgramPath(program) + L"\" " +
                     arguments);
    };
    const auto ombrixRuns = [] {
        const n_zql::n_system::n_windows::t_Handle mutex(OpenMutexW(SYNCHRONIZE, FALSE, L"Ombrix_Is_Running"));
        return mutex.Get() != nullptr;
    };
    const auto clickShows = [&](const std::wstring& name) {
        const std::wstring file = folder / name;
        inDesktop(L"show_popup.exe", L"start-button \"" + file + L"\"");
        Eventually([&] { return GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES; });
        Sleep(100);
        return ReadFileBytes(file);
    };

    inDesktop(L"progman_stand_in.exe");
    Sleep(2000);
    inDesktop(L"Ombrix.exe");
    Eventually(ombrixRuns);
    // Clicked again until Ombrix has taken the taskbar over, which it does once its catalogue is built: a click before
    // that opens Wine's menu, which the helper closes.
    std::string shown;
    for (int attempt = 0; attempt < 8 && shown != "popup=1 menu=0"; ++attempt, Sleep(1000))
        shown = clickShows(L"ombrix" + std::to_wstring(attempt) + L".txt");
    EXPECT_EQ(shown, "popup=1 menu=0");
    inDesktop(L"show_popup.exe", L"close");
    Eventually([&] { return !ombrixRuns(); }, std::chrono::seconds(10));
    EXPECT_EQ(clickShows(L"shell.txt"), "popup=0 menu=1");
}

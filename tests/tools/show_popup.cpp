// Asks a running Ombrix to show its popup, from within its desktop:
//   show_popup.exe                      posts the show request to its window, as the hook library does
//   show_popup.exe command              the same for the run box
//   show_popup.exe start-button [FILE]  clicks the taskbar's Start button with the real pointer, as a user does; with
//                                       a file, writes to it after a moment "popup=P menu=M": whether Ombrix's popup
//                                       and a menu (the shell's own Start menu) are showing, 1 or 0; a menu is closed
//   show_popup.exe close                asks Ombrix and the stand-in for the shell's desktop window to end
// Exits 0 when done, 1 when there was no Ombrix window (or no Start button) within ten seconds. Tests that run in
// another Wine desktop than Ombrix's reach it through this program, since windows are found within one desktop.

#include "eventually.h"
#include "real_input.h"
#include "ui/window_messages.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <initializer_list>

namespace {

bool ClickStartButton() {
    const HWND button = FindWindowExW(FindWindowW(L"Shell_TrayWnd", nullptr), nullptr, L"Button", nullptr);
    RECT rect{};
    if (!button || !GetWindowRect(button, &rect)) return false;
    n_ombrix_test::Pointer({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2},
                           {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
    return true;
}

bool WriteWhatShows(const wchar_t* path) {
    Sleep(1500);
    const bool popup = IsWindowVisible(FindWindowW(L"Ombrix", nullptr)) != FALSE,
               menu = IsWindowVisible(FindWindowW(L"#32768", nullptr)) != FALSE;
    if (menu) n_ombrix_test::PressKey({VK_ESCAPE});
    FILE* file = _wfopen(path, L"w");
    if (!file) return false;
    std::fprintf(file, "popup=%d menu=%d", popup, menu);
    return std::fclose(file) == 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const wchar_t* mode = argc > 1 ? argv[1] : L"";
    if (std::wcscmp(mode, L"close") == 0) {
        for (const wchar_t* windowClass : {L"Ombrix", L"Progman"})
            PostMessageW(FindWindowW(windowClass, nullptr), WM_CLOSE, 0, 0);
        return 0;
    }
    if (std::wcscmp(mode, L"start-button") == 0)
        return ClickStartButton() && (argc < 3 || WriteWhatShows(argv[2])) ? 0 : 1;
    HWND popup = nullptr;
    const auto found = [&] { return (popup = FindWindowW(L"Ombrix", nullptr)) != nullptr; };
    if (!n_ombrix_test::Eventually(found, std::chrono::seconds(10))) return 1;
    return PostMessageW(popup, n_ombrix::MSG_SHOW_POPUP, 0, std::wcscmp(mode, L"command") == 0) ? 0 : 1;
}

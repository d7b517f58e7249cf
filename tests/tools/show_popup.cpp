// Asks a running Ombrix to show its popup:
//   show_popup.exe                 posts the show request to its window, as the hook library does
//   show_popup.exe command         the same for the run box
//   show_popup.exe start-button    clicks the taskbar's Start button with the real pointer, as a user does
// Exits 0 when the request was posted or the click made, 1 when there was no Ombrix window (or no Start button)
// within ten seconds.

#include "ui/window_messages.h"

#include <windows.h>

#include <cwchar>

namespace {

bool ClickStartButton() {
    const HWND button = FindWindowExW(FindWindowW(L"Shell_TrayWnd", nullptr), nullptr, L"Button", nullptr);
    RECT rect{};
    if (!button || !GetWindowRect(button, &rect)) return false;
    SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    INPUT click[2]{};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    return SendInput(2, click, sizeof(INPUT)) == 2;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const bool startButton = argc > 1 && std::wcscmp(argv[1], L"start-button") == 0;
    const LPARAM commandMode = argc > 1 && std::wcscmp(argv[1], L"command") == 0 ? 1 : 0;
    for (int tries = 0; tries < 100; ++tries) {
        if (const HWND popup = FindWindowW(L"Ombrix", nullptr)) {
            if (startButton) return ClickStartButton() ? 0 : 1;
            return PostMessageW(popup, n_ombrix::MSG_SHOW_POPUP, 0, commandMode) ? 0 : 1;
        }
        Sleep(100);
    }
    return 1;
}

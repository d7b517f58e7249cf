// Asks a running Ombrix to show its popup, as the Start button will: posts the show request to its window.
//   show_popup.exe [command]    "command" asks for the run box
// Exits 0 when the request was posted, 1 when no Ombrix window was found within ten seconds.

#include "ui/window_messages.h"

#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    const LPARAM commandMode = argc > 1 && std::wcscmp(argv[1], L"command") == 0 ? 1 : 0;
    for (int tries = 0; tries < 100; ++tries) {
        if (const HWND popup = FindWindowW(L"Ombrix", nullptr))
            return PostMessageW(popup, n_ombrix::MSG_SHOW_POPUP, 0, commandMode) ? 0 : 1;
        Sleep(100);
    }
    return 1;
}

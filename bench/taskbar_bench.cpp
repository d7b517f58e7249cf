// Times the taking over of the shell's taskbar, as at start-up and at every "TaskbarCreated":
//   hook.attach   one construction of the start-button hook (three hooks placed in the shell's threads and the
//                 handshake through them) and its destruction, median of 200; Wine's taskbar and the stand-in for the
//                 shell's desktop window.

#include "bench_support.h"

#include "system/module_file_name.h"
#include "system/path_text.h"
#include "system/unique_handle.h"
#include "taskbar/start_button_hook.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace n_ombrix;
using namespace n_ombrix_bench;

int main() {
    constexpr int cycles = 200;
    std::wstring commandLine = L"\"" +
                               n_zql::n_system::FolderOfPath(n_zql::n_system::n_windows::ModuleFileName(nullptr)) +
                               L"progman_stand_in.exe\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::fprintf(stderr, "bench_taskbar: no stand-in for the shell's desktop window\n");
        return 1;
    }
    const n_zql::n_system::n_windows::t_Handle standIn(process.hProcess);
    CloseHandle(process.hThread);
    for (int tries = 0; tries < 250 && !FindWindowW(L"Progman", nullptr); ++tries) Sleep(20);

    const HWND application = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                             GetModuleHandleW(nullptr), nullptr);
    std::vector<double> attaches;
    for (int cycle = 0; cycle < cycles; ++cycle) {
        try {
            attaches.push_back(TimeMilliseconds([&] { const t_StartButtonHook hook(application); }));
        } catch (const std::exception&) {
        }
    }
    DestroyWindow(application);
    TerminateProcess(standIn.Get(), 0);
    std::fprintf(stderr, "bench_taskbar: %zu of %d attachments made\n", attaches.size(), cycles);
    if (attaches.empty()) return 1;
    std::printf("BENCH id=hook.attach n=%d median=%.2f unit=ms target=100\n", cycles, Median(attaches));
    return 0;
}

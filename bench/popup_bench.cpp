// Times Ombrix with 1,000 links in the user's Start Menu, as it starts at logon and as the user opens it:
//   startup.1000          Ombrix.exe started until its message loop waits for input, the catalogue built (the
//                         target is the catalogue build's: start-up is little more);
//   memory.private.1000   Ombrix.exe's private memory after the popup was shown once (under Wine the private commit
//                         is the pagefile usage: PrivateUsage reads 0 there);
//   popup.show.1000       in this process, the real popup over the same catalogue: the show until every pane has
//                         painted its first frame.
// The links go into "Ombrix bench" in the Start Menu's programs and are removed at the end.

#include "bench_support.h"
#include "bench_windows.h"
#include "quiet_popup_owner.h"

#include "catalogue/catalogue.h"
#include "catalogue/catalogue_scan.h"
#include "config/configuration.h"
#include "launch/default_launcher.h"
#include "system/com_ptr.h"
#include "system/known_folders.h"
#include "system/module_file_name.h"
#include "system/path_text.h"
#include "ui/popup_window.h"
#include "ui/widget_resources.h"
#include "ui/window_messages.h"

#include <windows.h>

#include <knownfolders.h>
#include <psapi.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

using namespace n_ombrix;
using namespace n_ombrix_bench;

namespace {

constexpr int runs = 5;

// Ombrix.exe from start to idle, then shown once; its private memory then, in MB. Nothing when it did not start.
std::optional<std::pair<double, double>> StartOmbrix() {
    const std::wstring program =
        n_zql::n_system::FolderOfPath(n_zql::n_system::n_windows::ModuleFileName(nullptr)) + L"Ombrix.exe";
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const auto start = std::chrono::steady_clock::now();
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return std::nullopt;
    const n_zql::n_system::n_windows::t_Handle handle(process.hProcess);
    CloseHandle(process.hThread);
    WaitForInputIdle(handle.Get(), 60'000);
    const double started = Milliseconds(std::chrono::steady_clock::now() - start);

    HWND popup = nullptr;
    for (int tries = 0; tries < 100 && !popup; ++tries, Sleep(20)) popup = FindWindowW(L"Ombrix", nullptr);
    PostMessageW(popup, MSG_SHOW_POPUP, 0, 0);
    for (int tries = 0; tries < 100 && !IsWindowVisible(popup); ++tries) Sleep(20);
    Sleep(200);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(handle.Get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    const SIZE_T privateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
    PostMessageW(popup, WM_CLOSE, 0, 0);
    WaitForSingleObject(handle.Get(), 20'000);
    return std::pair(started, static_cast<double>(privateBytes) / (1024.0 * 1024.0));
}

} // namespace

int main() {
    const n_zql::n_system::n_windows::n_com::t_ComApartment apartment;
    const std::wstring root = KnownFolderPath(FOLDERID_StartMenu) + L"Programs\\Ombrix bench\\";
    RemoveTree(root);
    const std::vector<std::wstring> programs = SystemPrograms(linkedProgramCount, {L"*.exe"});
    if (programs.empty()) {
        std::fprintf(stderr, "bench_popup: no programs in the system folder\n");
        return 1;
    }
    MakeLinkTree(root, programs);

    std::vector<double> startups, memories;
    for (int run = 0; run < runs; ++run) {
        if (const std::optional<std::pair<double, double>> measured = StartOmbrix()) {
            startups.push_back(measured->first);
            memories.push_back(measured->second);
        }
    }

    // The same catalogue in this process, under the real popup.
    t_WidgetResources resources(GetModuleHandleW(nullptr), DisplayAt96Dpi());
    resources.ApplyColorScheme({}, true);
    t_Configuration configuration(root, 96);
    configuration.appsShortcutsLocations = {root};
    configuration.placesShortcutsLocations = {root + L"no places\\"};
    t_Catalogue catalogue;
    BuildCatalogue(catalogue, resources.IconStore(), configuration, t_StartMenuFolders{L"X:\\none\\", L"X:\\none\\"});
    t_DefaultLauncher launcher(root + L"no data\\");
    launcher.SetCustomExecutors({});
    n_ombrix_test::t_QuietPopupOwner owner;
    t_PopupWindow popup(
        GetModuleHandleW(nullptr), resources, owner, catalogue, launcher,
        {.width = configuration.popupWidth.current, .appsListWidth = configuration.appsListWidth.current});
    std::vector<double> shows;
    for (int run = 0; run < 3 * runs; ++run) {
        shows.push_back(TimeMilliseconds([&] {
            popup.SetMode(false);
            popup.Show();
            RedrawWindow(popup.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        }));
        popup.Hide();
    }
    std::fprintf(stderr, "bench_popup: %zu items; Ombrix started %zu of %d times\n", catalogue.Items().size(),
                 startups.size(), runs);
    RemoveTree(root);

    std::printf("BENCH id=popup.show.1000 n=%zu median=%.2f unit=ms target=16\n", treeLinkCount, Median(shows));
    if (!startups.empty()) {
        std::printf("BENCH id=startup.1000 n=%zu median=%.1f unit=ms target=1000\n", treeLinkCount, Median(startups));
        std::printf("BENCH id=memory.private.1000 n=%zu median=%.1f unit=MB target=25\n", treeLinkCount,
                    Median(memories));
    }
    return 0;
}

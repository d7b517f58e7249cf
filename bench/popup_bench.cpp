// Times Ombrix with 1,000 links in the user's Start Menu, as it starts at logon and as the user opens it:
//   startup.1000          Ombrix.exe started until its message loop waits for input, the catalogue built (the
//                         target is the catalogue build's: start-up is little more);
//   memory.private.1000   Ombrix.exe's private memory after the popup was shown once (under Wine the private commit
//                         is the pagefile usage: PrivateUsage reads 0 there);
//   popup.show.1000       in this process, the real popup over the same catalogue: the show until every pane has
//                         painted its first frame;
//   input.typeahead.1000  Ombrix.exe asked to show, and ten characters typed as input right after the request: the
//                         time until all ten are in the search box and the list has painted their query;
//   settings.open.1000    F12 released in the shown popup until the settings window, maximized, and its panel have
//                         painted (it is then closed again).
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
#include "ui/popup_window.h"
#include "ui/widget_resources.h"
#include "ui/window_messages.h"

#include <windows.h>

#include <knownfolders.h>

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using namespace n_ombrix;
using namespace n_ombrix_bench;

namespace {

constexpr int runs = 5;
constexpr wchar_t typeaheadQuery[] = L"quillworts"; // ten characters, the start of one link's name

struct t_Measured {
    double startup = 0; // ms
    double memory = 0;  // MB
    std::vector<double> typeahead;
    std::vector<double> settingsOpen;
};

// The show request, the query typed right after it; until the box holds it all and the list has painted, in ms.
// Nothing if it did not within five seconds. The request is sent rather than posted: a key typed before Ombrix has
// read it goes to the window that had the keyboard then, as with the shell's own Start menu; from then on keys queue
// behind the show and reach the box before the popup's first paint.
std::optional<double> TypeAhead(HWND popup) {
    const HWND box = GetDlgItem(popup, 2), list = GetDlgItem(popup, 6);
    const auto start = std::chrono::steady_clock::now();
    SendMessageW(popup, MSG_SHOW_POPUP, 0, 0);
    TypeCharacters(typeaheadQuery);
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(5)) {
        wchar_t text[32]{};
        SendMessageW(box, WM_GETTEXT, 32, reinterpret_cast<LPARAM>(text));
        if (std::wstring_view(text) == typeaheadQuery && !GetUpdateRect(list, nullptr, FALSE))
            return Milliseconds(std::chrono::steady_clock::now() - start);
        Sleep(0);
    }
    return std::nullopt;
}

// F12 pressed and released in the shown popup, until the settings window and its panel have painted, in ms; the
// window is closed again. Nothing if it did not open within five seconds.
std::optional<double> OpenSettings(HWND popup) {
    SendMessageW(popup, MSG_SHOW_POPUP, 0, 0);
    for (int tries = 0; tries < 250 && GetForegroundWindow() != popup; ++tries) Sleep(20);
    const auto start = std::chrono::steady_clock::now();
    keybd_event(VK_F12, 0, 0, 0);
    keybd_event(VK_F12, 0, KEYEVENTF_KEYUP, 0);
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(5)) {
        const HWND settings = FindWindowW(L"Ombrix.Settings.Parent", nullptr);
        const HWND panel = settings ? GetDlgItem(settings, 100) : nullptr;
        if (panel && IsWindowVisible(settings) && !GetUpdateRect(settings, nullptr, FALSE) &&
            !GetUpdateRect(panel, nullptr, FALSE)) {
            const double elapsed = Milliseconds(std::chrono::steady_clock::now() - start);
            PostMessageW(settings, WM_CLOSE, 0, 0);
            for (int tries = 0; tries < 250 && IsWindow(settings); ++tries) Sleep(20);
            return elapsed;
        }
        Sleep(0);
    }
    return std::nullopt;
}

// Ombrix.exe from start to idle, then shown once; its private memory then, in MB; then shown with the query typed
// ahead. Nothing when it did not start.
std::optional<t_Measured> StartOmbrix() {
    const auto start = std::chrono::steady_clock::now();
    const n_zql::n_system::n_windows::t_Handle handle = StartBuiltOmbrix();
    if (!handle) return std::nullopt;
    t_Measured measured;
    measured.startup = Milliseconds(std::chrono::steady_clock::now() - start);

    HWND popup = nullptr;
    for (int tries = 0; tries < 100 && !popup; ++tries, Sleep(20)) popup = FindWindowW(L"Ombrix", nullptr);
    PostMessageW(popup, MSG_SHOW_POPUP, 0, 0);
    for (int tries = 0; tries < 100 && !IsWindowVisible(popup); ++tries) Sleep(20);
    Sleep(200);
    measured.memory = PrivateMegabytes(handle.Get());
    for (int run = 0; run < runs; ++run) {
        // Hidden (sent: under Wine without a window manager the hide waits for the X server), then idle.
        SendMessageW(popup, WM_ACTIVATE, WA_INACTIVE, 0);
        Sleep(100);
        if (const std::optional<double> typed = TypeAhead(popup)) measured.typeahead.push_back(*typed);
    }
    SendMessageW(popup, WM_ACTIVATE, WA_INACTIVE, 0);
    if (const std::optional<double> opened = OpenSettings(popup)) measured.settingsOpen.push_back(*opened);
    PostMessageW(popup, WM_CLOSE, 0, 0);
    WaitForSingleObject(handle.Get(), 20'000);
    return measured;
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
    MakeLink(root + L"Quillworts Probe.lnk", programs.front());

    std::vector<double> startups, memories, typeaheads, settingsOpens;
    for (int run = 0; run < runs; ++run) {
        if (const std::optional<t_Measured> measured = StartOmbrix()) {
            startups.push_back(measured->startup);
            memories.push_back(measured->memory);
            typeaheads.insert(typeaheads.end(), measured->typeahead.begin(), measured->typeahead.end());
            settingsOpens.insert(settingsOpens.end(), measured->settingsOpen.begin(), measured->settingsOpen.end());
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
    std::fprintf(stderr, "bench_popup: %zu items; Ombrix started %zu of %d times; %zu of %d type-aheads complete\n",
                 catalogue.Items().size(), startups.size(), runs, typeaheads.size(), runs * runs);
    RemoveTree(root);

    std::printf("BENCH id=popup.show.1000 n=%zu median=%.2f unit=ms target=16\n", treeLinkCount, Median(shows));
    if (!startups.empty()) {
        std::printf("BENCH id=startup.1000 n=%zu median=%.1f unit=ms target=1000\n", treeLinkCount, Median(startups));
        std::printf("BENCH id=memory.private.1000 n=%zu median=%.1f unit=MB target=25\n", treeLinkCount,
                    Median(memories));
    }
    if (!typeaheads.empty())
        std::printf("BENCH id=input.typeahead.1000 n=%zu median=%.1f unit=ms target=50\n", treeLinkCount,
                    Median(typeaheads));
    if (!settingsOpens.empty())
        std::printf("BENCH id=settings.open.1000 n=%zu median=%.1f unit=ms target=250\n", treeLinkCount,
                    Median(settingsOpens));
    return 0;
}

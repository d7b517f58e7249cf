// Times a whole catalogue build with icons on: 1,000 links to 50 programs spread over 60 folders (six vendors with
// ten product folders each), as after a change of settings. Prints the median of several builds, and of rebuilds
// that nothing changed for, as when the watched folders report a change that touched no shortcut: the catalogue
// emptied and built again.

#include "bench_support.h"
#include "bench_windows.h"

#include "catalogue/catalogue.h"
#include "catalogue/catalogue_scan.h"
#include "catalogue/icon_store.h"
#include "config/configuration.h"
#include "system/com_ptr.h"
#include "system/unique_handle.h"

#include <windows.h>

#include <shlobj.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace n_ombrix;
using namespace n_ombrix_bench;
using namespace n_zql::n_system::n_windows;

namespace {

constexpr int runs = 5;

} // namespace

int main() {
    const n_com::t_ComApartment apartment;
    const std::wstring root = BenchFolder(L"catalogue");
    RemoveTree(root);
    const std::vector<std::wstring> programs = SystemPrograms(linkedProgramCount, {L"*.exe"});
    if (programs.empty()) {
        std::fprintf(stderr, "bench_catalogue: no programs in the system folder\n");
        return 1;
    }
    MakeLinkTree(root, programs);

    t_Configuration configuration(root, 96);
    configuration.appsShortcutsLocations = {root};
    configuration.placesShortcutsLocations = {root + L"no places\\"};
    configuration.showIcons = true;
    t_IconStore iconStore(t_DisplayMetrics::Read(), GetModuleHandleW(nullptr));
    t_Catalogue catalogue;
    std::vector<double> times;
    for (int run = 0; run < runs; ++run)
        times.push_back(TimeMilliseconds([&] {
            BuildCatalogue(catalogue, iconStore, configuration, t_StartMenuFolders{L"X:\\none\\", L"X:\\none\\"});
        }));
    std::vector<double> rebuilds;
    for (int run = 0; run < runs; ++run)
        rebuilds.push_back(TimeMilliseconds([&] {
            catalogue.Clear();
            BuildCatalogue(catalogue, iconStore, configuration, t_StartMenuFolders{L"X:\\none\\", L"X:\\none\\"});
        }));
    std::fprintf(stderr, "bench_catalogue: %zu items from %zu programs\n", catalogue.Items().size(), programs.size());
    std::printf("BENCH id=catalogue.build.1000 n=%zu median=%.1f unit=ms target=1000\n", treeLinkCount, Median(times));
    std::printf("BENCH id=catalogue.rebuild.1000 n=%zu median=%.1f unit=ms target=1000\n", treeLinkCount,
                Median(rebuilds));
    RemoveTree(root);
    return 0;
}

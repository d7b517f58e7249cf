// Times a whole catalogue build with icons on: 1,000 links to 50 programs spread over 60 folders (six vendors with
// ten product folders each), as after a change of settings. Prints the median of several builds, and of rebuilds
// that nothing changed for, as when the watched folders report a change that touched no shortcut: the catalogue
// emptied and built again. Then 100 packages registered for the user, with two applications each and eight logo
// variants per logo, icons on: catalogue.packages.100.

#include "bench_support.h"
#include "bench_windows.h"
#include "scratch_folder.h"

#include "catalogue/catalogue.h"
#include "catalogue/catalogue_scan.h"
#include "catalogue/icon_store.h"
#include "config/configuration.h"
#include "system/com_ptr.h"
#include "system/unique_handle.h"

#include <windows.h>

#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using namespace n_ombrix;
using namespace n_ombrix_bench;
using namespace n_zql::n_system::n_windows;

namespace {

constexpr int runs = 5;
constexpr int packageCount = 100;
constexpr wchar_t repository[] =
    L"Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\CurrentVersion\\AppModel\\Repository\\";

// The packages' folders and registry keys; each package lists two applications with their own logos.
void RegisterPackages(const std::wstring& root) {
    const std::string logo = n_ombrix_test::OpaqueBitmapFileBytes(44, 0x336699);
    for (int package = 0; package < packageCount; ++package) {
        const std::wstring name = L"Bench.Package" + std::to_wstring(package);
        const std::wstring folder = root + name, full = name + L"_1.0.0.0_x64__bench";
        CreateDirectoryW(folder.c_str(), nullptr);
        CreateDirectoryW((folder + L"\\Assets").c_str(), nullptr);
        std::string manifest =
            "<Package><Identity Name=\"" + std::string(name.begin(), name.end()) + "\"/><Applications>";
        for (const char* app : {"One", "Two"}) {
            manifest += std::string("<Application Id=\"") + app + "\"><VisualElements DisplayName=\"" +
                        std::string(name.begin(), name.end()) + " " + app + "\" Description=\"A benchmark app\" " +
                        "BackgroundColor=\"#336699\" Square44x44Logo=\"Assets\\" + app + ".png\"/></Application>";
            for (const char* variant : {"scale-100", "scale-125", "scale-150", "scale-200", "scale-400",
                                        "targetsize-24", "targetsize-32", "targetsize-48_altform-unplated"})
                n_ombrix_test::WriteFileBytes(folder + L"\\Assets\\" + std::wstring(app, app + 3) + L"." +
                                                  std::wstring(variant, variant + std::strlen(variant)) + L".png",
                                              logo);
        }
        n_ombrix_test::WriteFileBytes(folder + L"\\AppxManifest.xml", manifest + "</Applications></Package>");
        const DWORD flags = 1;
        RegSetKeyValueW(HKEY_CURRENT_USER,
                        (std::wstring(repository) + L"Families\\" + name + L"_bench\\" + full).c_str(), L"Flags",
                        REG_DWORD, &flags, sizeof flags);
        RegSetKeyValueW(HKEY_CURRENT_USER, (std::wstring(repository) + L"Packages\\" + full).c_str(),
                        L"PackageRootFolder", REG_SZ, folder.c_str(), static_cast<DWORD>((folder.size() + 1) * 2));
    }
}

void UnregisterPackages() {
    for (int package = 0; package < packageCount; ++package) {
        const std::wstring name = L"Bench.Package" + std::to_wstring(package);
        RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(repository) + L"Families\\" + name + L"_bench").c_str());
        RegDeleteTreeW(HKEY_CURRENT_USER,
                       (std::wstring(repository) + L"Packages\\" + name + L"_1.0.0.0_x64__bench").c_str());
    }
}

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

    // The packages alone: no shortcut location.
    RemoveTree(root);
    CreateDirectoryW(root.c_str(), nullptr);
    RegisterPackages(root);
    configuration.appsShortcutsLocations = {root + L"no shortcuts\\"};
    configuration.handleModernApps = true;
    std::vector<double> packages;
    for (int run = 0; run < runs; ++run)
        packages.push_back(TimeMilliseconds([&] {
            catalogue.Clear();
            BuildCatalogue(catalogue, iconStore, configuration, t_StartMenuFolders{L"X:\\none\\", L"X:\\none\\"});
        }));
    std::fprintf(stderr, "bench_catalogue: %zu packaged items\n", catalogue.Items().size());
    UnregisterPackages();
    std::printf("BENCH id=catalogue.packages.100 n=%d median=%.1f unit=ms target=300\n", packageCount,
                Median(packages));
    RemoveTree(root);
    return 0;
}

// Times a whole catalogue build with icons on: 1,000 links to 50 programs spread over 60 folders (six vendors with
// ten product folders each), as after a change of settings. Prints the median of several builds.

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
constexpr std::size_t linkCount = 1000;
constexpr std::size_t programCount = 50;
constexpr std::size_t vendorCount = 6;
constexpr std::size_t productsPerVendor = 10;

void MakeLink(const std::wstring& path, const std::wstring& target) {
    n_com::t_ComPtr<IShellLinkW> link;
    n_com::ThrowIfFailed(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(link.Put())));
    n_com::ThrowIfFailed(link->SetPath(target.c_str()));
    n_com::ThrowIfFailed(link->SetDescription(L"A program of the benchmark"));
    n_com::ThrowIfFailed(link.Query<IPersistFile>()->Save(path.c_str(), TRUE));
}

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    if (const t_FindHandle find(FindFirstFileW((folder + L"*").c_str(), &entry)); find) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(folder + name + L"\\");
            else
                DeleteFileW((folder + name).c_str());
        } while (FindNextFileW(find.Get(), &entry));
    }
    RemoveDirectoryW(folder.c_str());
}

// Vendor v\Product p\Tool n.lnk, the links spread evenly over the 60 product folders.
void MakeTree(const std::wstring& root, const std::vector<std::wstring>& programs) {
    CreateDirectoryW(root.c_str(), nullptr);
    std::vector<std::wstring> folders;
    for (std::size_t v = 0; v < vendorCount; ++v) {
        const std::wstring vendor = root + L"Vendor " + std::to_wstring(v) + L"\\";
        CreateDirectoryW(vendor.c_str(), nullptr);
        for (std::size_t p = 0; p < productsPerVendor; ++p) {
            folders.push_back(vendor + L"Product " + std::to_wstring(p) + L"\\");
            CreateDirectoryW(folders.back().c_str(), nullptr);
        }
    }
    for (std::size_t i = 0; i < linkCount; ++i)
        MakeLink(folders[i % folders.size()] + L"Tool " + std::to_wstring(i) + L".lnk", programs[i % programs.size()]);
}

} // namespace

int main() {
    const n_com::t_ComApartment apartment;
    const std::wstring root = BenchFolder(L"catalogue");
    RemoveTree(root);
    const std::vector<std::wstring> programs = SystemPrograms(programCount, {L"*.exe"});
    if (programs.empty()) {
        std::fprintf(stderr, "bench_catalogue: no programs in the system folder\n");
        return 1;
    }
    MakeTree(root, programs);

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
    std::fprintf(stderr, "bench_catalogue: %zu items from %zu programs\n", catalogue.Items().size(), programs.size());
    std::printf("BENCH id=catalogue.build.1000 n=%zu median=%.1f unit=ms target=1000\n", linkCount, Median(times));
    RemoveTree(root);
    return 0;
}

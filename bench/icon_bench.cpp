// Times the icon store on a Start menu of 1,000 links to 50 programs: the small and the large image of every link,
// from an empty store each run, as the catalogue makes them after a rebuild. Also prints the pixel memory the store
// then holds, which should be that of about 50 images per size.

#include "bench_support.h"
#include "bench_windows.h"

#include "catalogue/icon_store.h"
#include "system/com_ptr.h"
#include "system/display_metrics.h"
#include "system/unique_handle.h"

#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

using namespace n_ombrix;
using namespace n_ombrix_bench;
using namespace n_zql::n_system::n_windows;
using n_com::t_ComPtr;

namespace {

constexpr int runs = 7;
constexpr std::size_t linkCount = 1000;
constexpr std::size_t programCount = 50;

t_ComPtr<IShellLinkW> LoadLink(const std::wstring& path) {
    t_ComPtr<IShellLinkW> link;
    n_com::ThrowIfFailed(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(link.Put())));
    n_com::ThrowIfFailed(link.Query<IPersistFile>()->Load(path.c_str(), STGM_READ));
    return link;
}

void RemoveLinks(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    if (const t_FindHandle find(FindFirstFileW((folder + L"*.lnk").c_str(), &entry)); find) {
        do DeleteFileW((folder + entry.cFileName).c_str());
        while (FindNextFileW(find.Get(), &entry));
    }
    RemoveDirectoryW(folder.c_str());
}

} // namespace

int main() {
    const n_com::t_ComApartment apartment;
    const std::wstring folder = BenchFolder(L"icons");
    RemoveLinks(folder);
    CreateDirectoryW(folder.c_str(), nullptr);

    const std::vector<std::wstring> programs = SystemPrograms(programCount, {L"*.exe", L"*.dll"});
    std::vector<t_ComPtr<IShellLinkW>> links;
    for (std::size_t i = 0; i < linkCount; ++i) {
        const std::wstring path = folder + L"Link " + std::to_wstring(i) + L".lnk";
        MakeLink(path, programs[i % programs.size()]);
        links.push_back(LoadLink(path));
    }

    t_IconStore store(t_DisplayMetrics::Read(), GetModuleHandleW(nullptr));
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        store.Clear();
        store.LoadDefaults();
        const auto start = std::chrono::steady_clock::now();
        for (const auto& link : links) {
            store.ImageForLink(link.Get(), false);
            store.ImageForLink(link.Get(), true);
        }
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    const double megabytes = static_cast<double>(store.ImageBytes()) / (1024.0 * 1024.0);
    // 50 programs at 32 and 16 px (5 KB a pair) plus the defaults: about a quarter of a megabyte.
    const double targetBytes = (programCount + 2) * 4.0 *
                               (store.LargeSize() * store.LargeSize() + store.SmallSize() * store.SmallSize()) /
                               (1024.0 * 1024.0);
    // A rebuild of a large Start menu should cost about a second of icon work at most.
    std::printf("BENCH id=icons.links.1000 n=%zu median=%.1f unit=ms target=1000\n", linkCount, Median(times));
    std::printf("BENCH id=icons.bytes.1000 n=%zu median=%.3f unit=MB target=%.3f\n", linkCount, megabytes, targetBytes);
    std::fprintf(stderr, "%zu programs, %zu distinct images\n", programs.size(), store.ImageCount());
    RemoveLinks(folder);
    return 0;
}

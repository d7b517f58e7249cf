// Times opening an application's automatic jump-list file, as the side pane does whenever the current item changes:
// 64 entries whose links point at real programs, each link loaded once by the repair check and once more as an entry.
// Prints the median of several opens.

#include "bench_support.h"
#include "bench_windows.h"
#include "jumplists/automatic_destinations_file.h"
#include "jumplists/destinations_file_name.h"
#include "system/com_ptr.h"

#include <shobjidl.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace n_ombrix;
using namespace n_ombrix_bench;
using namespace n_zql::n_system::n_windows;

namespace {

constexpr int runs = 15;
constexpr std::size_t entryCount = 64;
const std::wstring stem = L"b3e5c4d2a1f00001";

t_ShellDestination LinkTo(const std::wstring& target) {
    n_com::t_ComPtr<IShellLinkW> link;
    n_com::ThrowIfFailed(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(link.Put())));
    n_com::ThrowIfFailed(link->SetPath(target.c_str()));
    return t_ShellDestination::Create(link.Get(), true);
}

// The DestList version the file was written with (3 on Windows 10 and later, 1 before).
std::uint32_t FileVersion(const std::wstring& path) {
    n_com::t_ComPtr<IStorage> storage;
    n_com::t_ComPtr<IStream> destList;
    std::uint32_t version = 0;
    if (SUCCEEDED(StgOpenStorageEx(path.c_str(), STGM_READ | STGM_SHARE_EXCLUSIVE, STGFMT_STORAGE, 0, nullptr, nullptr,
                                   IID_PPV_ARGS(storage.Put()))) &&
        SUCCEEDED(storage->OpenStream(L"DestList", nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, destList.Put())))
        destList->Read(&version, sizeof version, nullptr);
    return version;
}

} // namespace

int main() {
    const n_com::t_ComApartment apartment;
    const std::wstring folder = BenchFolder(L"jumplist");
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring path = folder + stem + std::wstring(automaticDestinationsSuffix);
    DeleteFileW(path.c_str());
    const std::vector<std::wstring> programs = SystemPrograms(entryCount, {L"*.exe", L"*.dll"});
    if (programs.size() < entryCount) {
        std::fprintf(stderr, "bench_jumplist: too few programs in the system folder\n");
        return 1;
    }
    {
        t_AutomaticDestinationsFile file;
        file.Open(folder, stem);
        for (const std::wstring& program : programs) file.FindOrAdd(LinkTo(program));
    }

    std::vector<double> times;
    std::size_t entries = 0;
    for (int run = 0; run < runs; ++run) {
        t_AutomaticDestinationsFile file;
        times.push_back(TimeMilliseconds([&] { file.Open(folder, stem); }));
        entries = file.Entries().size();
    }
    std::fprintf(stderr, "bench_jumplist: %zu entries, DestList version %u\n", entries, FileVersion(path));
    std::printf("BENCH id=jumplist.open.64 n=%zu median=%.2f unit=ms target=10\n", entryCount, Median(times));
    DeleteFileW(path.c_str());
    RemoveDirectoryW(folder.c_str());
    return 0;
}

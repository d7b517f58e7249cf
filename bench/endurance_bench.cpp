// Shows and hides Ombrix's popup 10,000 times, a few characters typed into its search box each time, as a day's use
// does, and compares what Ombrix.exe holds at the end with what it held after the first 100 cycles:
//   popup.cycles.10k          the growth of its private bytes, in MB (under Wine the private commit is the pagefile
//                             usage: PrivateUsage reads 0 there);
//   popup.cycles.10k.handles  the growth of its handle count.
// The GDI and USER object counts are printed beside them; Wine keeps none (GetGuiResources answers 0 there).
// Under Wine without a window manager every hide waits about two seconds for the X server, so the script runs this
// benchmark in a Wine desktop, where Wine manages the windows itself.
//   bench_endurance.exe [CYCLES]

#include "bench_support.h"
#include "bench_windows.h"

#include "system/unique_handle.h"
#include "ui/window_messages.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

using namespace n_ombrix_bench;

namespace {

struct t_Holdings {
    double privateMegabytes = 0;
    DWORD handles = 0, gdiObjects = 0, userObjects = 0;
};

// The handles the process holds, from the system's table of all handles: Wine answers GetProcessHandleCount with 0.
DWORD HandleCount(DWORD processId) {
    struct t_Entry {
        void* object;
        ULONG_PTR processId, handle;
        ULONG access;
        USHORT creatorBackTrace, objectType;
        ULONG attributes, reserved;
    };
    struct t_Table {
        ULONG_PTR count, reserved;
        t_Entry entries[1];
    };
    constexpr ULONG extendedHandleInformation = 64;
    constexpr LONG lengthMismatch = static_cast<LONG>(0xC0000004);
    using t_Query = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);
    const auto query = reinterpret_cast<t_Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    std::vector<std::byte> buffer(1 << 20);
    LONG status = lengthMismatch;
    for (ULONG needed = 0; query && (status = query(extendedHandleInformation, buffer.data(),
                                                    static_cast<ULONG>(buffer.size()), &needed)) == lengthMismatch;)
        buffer.resize(std::max<std::size_t>(needed, buffer.size() * 2));
    if (status != 0) return 0;
    const auto* table = reinterpret_cast<const t_Table*>(buffer.data());
    DWORD count = 0;
    for (ULONG_PTR i = 0; i < table->count; ++i) count += table->entries[i].processId == processId;
    return count;
}

t_Holdings HoldingsOf(HANDLE process) {
    t_Holdings holdings;
    holdings.privateMegabytes = PrivateMegabytes(process);
    holdings.handles = HandleCount(GetProcessId(process));
    holdings.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
    holdings.userObjects = GetGuiResources(process, GR_USEROBJECTS);
    return holdings;
}

template <typename t_Condition> bool Within(DWORD milliseconds, t_Condition&& condition) {
    for (DWORD waited = 0; !condition(); waited += 5, Sleep(5))
        if (waited >= milliseconds) return false;
    return true;
}

// One cycle: the show request, the text typed once the popup has the keyboard and seen in its box, the popup
// deactivated as a click elsewhere does, until it is hidden. False when a step did not happen within two seconds.
bool Cycle(HWND popup, std::wstring_view text) {
    const HWND box = GetDlgItem(popup, 2);
    SendMessageW(popup, n_ombrix::MSG_SHOW_POPUP, 0, 0);
    if (!Within(2000, [&] { return GetForegroundWindow() == popup; })) return false;
    TypeCharacters(text);
    const bool typed = Within(2000, [&] {
        wchar_t shown[16]{};
        SendMessageW(box, WM_GETTEXT, 16, reinterpret_cast<LPARAM>(shown));
        return std::wstring_view(shown) == text;
    });
    SendMessageW(popup, WM_ACTIVATE, WA_INACTIVE, 0);
    return Within(2000, [&] { return !IsWindowVisible(popup); }) && typed;
}

} // namespace

int main(int argumentCount, char** arguments) {
    const int cycles = argumentCount > 1 ? std::atoi(arguments[1]) : 10'000;
    constexpr int settled = 100;
    const n_zql::n_system::n_windows::t_Handle process = StartBuiltOmbrix();
    if (!process) {
        std::fprintf(stderr, "bench_endurance: Ombrix.exe did not start\n");
        return 1;
    }
    HWND popup = nullptr;
    Within(10'000, [&] { return (popup = FindWindowW(L"Ombrix", nullptr)) != nullptr; });

    // Texts that find many rows, one, none, and a command.
    constexpr std::array<std::wstring_view, 4> texts{L"no", L"wordpad", L"zqx", L"cmd /c"};
    t_Sequence sequence(20261206);
    t_Holdings first, last;
    int failed = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        failed += !Cycle(popup, sequence.Pick(texts));
        if (cycle == settled) first = HoldingsOf(process.Get());
    }
    last = HoldingsOf(process.Get());
    const double seconds = Milliseconds(std::chrono::steady_clock::now() - start) / 1000;
    PostMessageW(popup, WM_CLOSE, 0, 0);
    DWORD exitCode = STILL_ACTIVE;
    WaitForSingleObject(process.Get(), 20'000);
    GetExitCodeProcess(process.Get(), &exitCode);

    std::fprintf(stderr,
                 "bench_endurance: %d cycles in %.0f s, %d incomplete; after %d: %.2f MB private, %lu handles, %lu GDI "
                 "and %lu USER objects; at the end: %.2f MB, %lu handles, %lu GDI, %lu USER; exit code %lu\n",
                 cycles, seconds, failed, settled, first.privateMegabytes, first.handles, first.gdiObjects,
                 first.userObjects, last.privateMegabytes, last.handles, last.gdiObjects, last.userObjects, exitCode);
    std::printf("BENCH id=popup.cycles.10k n=%d median=%.2f unit=MB target=1\n", cycles,
                last.privateMegabytes - first.privateMegabytes);
    std::printf("BENCH id=popup.cycles.10k.handles n=%d median=%ld unit=handles target=10\n", cycles,
                static_cast<long>(last.handles) - static_cast<long>(first.handles));
    return failed == 0 && exitCode == 0 ? 0 : 1;
}

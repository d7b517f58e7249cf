#pragma once
// Inputs of the Windows benchmarks: a scratch folder of their own and real programs to link to.

#include "system/com_ptr.h"
#include "system/display_metrics.h"
#include "system/error_exception.h"
#include "system/module_file_name.h"
#include "system/path_text.h"
#include "system/unique_handle.h"

#include <windows.h>

#include <psapi.h>
#include <shlobj.h>

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace n_ombrix_bench {

// "<temporary folder>ombrix-bench-<name>\".
inline std::wstring BenchFolder(const std::wstring& name) {
    wchar_t buffer[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
    return std::wstring(buffer, length) + L"ombrix-bench-" + name + L"\\";
}

// Up to count files of the system folder matching the patterns, in pattern order, then as the file system lists them.
inline std::vector<std::wstring> SystemPrograms(std::size_t count, std::initializer_list<const wchar_t*> patterns) {
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring folder = std::wstring(system) + L"\\";
    std::vector<std::wstring> programs;
    for (const wchar_t* pattern : patterns) {
        WIN32_FIND_DATAW entry;
        const n_zql::n_system::n_windows::t_FindHandle find(FindFirstFileW((folder + pattern).c_str(), &entry));
        if (!find) continue;
        do {
            if (programs.size() < count) programs.push_back(folder + entry.cFileName);
        } while (FindNextFileW(find.Get(), &entry));
    }
    return programs;
}

inline constexpr std::size_t treeLinkCount = 1000;
inline constexpr std::size_t linkedProgramCount = 50;

inline void MakeLink(const std::wstring& path, const std::wstring& target) {
    namespace n_com = n_zql::n_system::n_windows::n_com;
    n_com::t_ComPtr<IShellLinkW> link;
    n_com::ThrowIfFailed(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(link.Put())));
    n_com::ThrowIfFailed(link->SetPath(target.c_str()));
    n_com::ThrowIfFailed(link->SetDescription(L"A program of the benchmark"));
    n_com::ThrowIfFailed(link.Query<IPersistFile>()->Save(path.c_str(), TRUE));
}

inline void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    if (const n_zql::n_system::n_windows::t_FindHandle find(FindFirstFileW((folder + L"*").c_str(), &entry)); find) {
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

// A Start Menu of a well-used machine: Vendor v\Product p\Tool n.lnk, six vendors with ten products each, the
// 1,000 links spread evenly over the 60 product folders and the programs. COM must be initialised.
inline void MakeLinkTree(const std::wstring& root, const std::vector<std::wstring>& programs) {
    CreateDirectoryW(root.c_str(), nullptr);
    std::vector<std::wstring> folders;
    for (int v = 0; v < 6; ++v) {
        const std::wstring vendor = root + L"Vendor " + std::to_wstring(v) + L"\\";
        CreateDirectoryW(vendor.c_str(), nullptr);
        for (int p = 0; p < 10; ++p) {
            folders.push_back(vendor + L"Product " + std::to_wstring(p) + L"\\");
            CreateDirectoryW(folders.back().c_str(), nullptr);
        }
    }
    for (std::size_t i = 0; i < treeLinkCount; ++i)
        MakeLink(folders[i % folders.size()] + L"Tool " + std::to_wstring(i) + L".lnk", programs[i % programs.size()]);
}

// Ombrix.exe beside the benchmark started as its own process, and waited for until its message loop is idle; empty
// when it did not start.
inline n_zql::n_system::n_windows::t_Handle StartBuiltOmbrix() {
    const std::wstring program =
        n_zql::n_system::FolderOfPath(n_zql::n_system::n_windows::ModuleFileName(nullptr)) + L"Ombrix.exe";
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return {};
    n_zql::n_system::n_windows::t_Handle handle(process.hProcess);
    CloseHandle(process.hThread);
    WaitForInputIdle(handle.Get(), 60'000);
    return handle;
}

// A process's private memory in MB (under Wine the private commit is the pagefile usage: PrivateUsage reads 0 there).
inline double PrivateMegabytes(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    return static_cast<double>(memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage) / (1024.0 * 1024.0);
}

// Characters typed as the keyboard gives them, to whatever window has the focus.
inline void TypeCharacters(std::wstring_view text) {
    std::vector<INPUT> inputs;
    for (const wchar_t unit : text)
        for (const DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = unit;
            input.ki.dwFlags = KEYEVENTF_UNICODE | up;
            inputs.push_back(input);
        }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The screen's metrics at 96 DPI whatever the test screen says, so that figures compare across machines.
inline n_ombrix::t_DisplayMetrics DisplayAt96Dpi() {
    n_ombrix::t_DisplayMetrics display = n_ombrix::t_DisplayMetrics::Read();
    display.dpiX = display.dpiY = 96;
    display.dpiClass = 0;
    return display;
}

} // namespace n_ombrix_bench

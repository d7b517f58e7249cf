#pragma once
// Inputs of the Windows benchmarks: a scratch folder of their own and real programs to link to.

#include "system/display_metrics.h"
#include "system/unique_handle.h"

#include <windows.h>

#include <cstddef>
#include <initializer_list>
#include <string>
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

// The screen's metrics at 96 DPI whatever the test screen says, so that figures compare across machines.
inline n_ombrix::t_DisplayMetrics DisplayAt96Dpi() {
    n_ombrix::t_DisplayMetrics display = n_ombrix::t_DisplayMetrics::Read();
    display.dpiX = display.dpiY = 96;
    display.dpiClass = 0;
    return display;
}

} // namespace n_ombrix_bench

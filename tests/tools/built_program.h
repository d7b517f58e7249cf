#pragma once
// Programs built beside the test programs: Ombrix.exe, whose resources load as data (nothing of it runs), and the
// helper programs the tests start; and a way to start a program.

#include "system/module_file_name.h"
#include "system/path_text.h"
#include "system/resource_string.h"
#include "system/unique_handle.h"

#include <string>
#include <string_view>

namespace n_ombrix_test {

// The program of that name in the test program's own folder.
inline std::wstring BuiltProgramPath(std::wstring_view name = L"Ombrix.exe") {
    return n_zql::n_system::FolderOfPath(n_zql::n_system::n_windows::ModuleFileName(nullptr)) + std::wstring(name);
}

// Empty when the program cannot be loaded.
inline n_zql::n_system::n_windows::t_Module LoadBuiltProgramResources() {
    return n_zql::n_system::n_windows::t_Module(
        LoadLibraryExW(BuiltProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
}

// Starts the command line as a process of its own, the program named by its first word unless given; its handle,
// empty when it did not start.
inline n_zql::n_system::n_windows::t_Handle StartProcess(std::wstring commandLine, const std::wstring& program = {}) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION information{};
    if (!CreateProcessW(program.empty() ? nullptr : program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &information))
        return {};
    CloseHandle(information.hThread);
    return n_zql::n_system::n_windows::t_Handle(information.hProcess);
}

// A string of the program's table, as the program shows it.
inline std::wstring ProgramString(UINT id) {
    return n_zql::n_system::n_windows::ResourceString(LoadBuiltProgramResources().Get(), id);
}

} // namespace n_ombrix_test

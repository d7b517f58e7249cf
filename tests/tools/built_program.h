#pragma once
// Programs built beside the test programs: Ombrix.exe, whose resources load as data (nothing of it runs), and the
// helper programs the tests start.

#include "system/module_file_name.h"
#include "system/path_text.h"
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

} // namespace n_ombrix_test

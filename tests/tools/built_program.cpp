#include "built_program.h"

#include "system/module_file_name.h"
#include "system/path_text.h"

namespace n_ombrix_test {

std::wstring BuiltProgramPath() {
    return n_zql::n_system::FolderOfPath(n_zql::n_system::n_windows::ModuleFileName(nullptr)) + L"Ombrix.exe";
}

n_zql::n_system::n_windows::t_Module LoadBuiltProgramResources() {
    return n_zql::n_system::n_windows::t_Module(LoadLibraryExW(
        BuiltProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
}

} // namespace n_ombrix_test

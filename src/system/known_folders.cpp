#include "system/known_folders.h"

#include "system/com_ptr.h"
#include "system/module_file_name.h"
#include "system/path_text.h"

#include <knownfolders.h>

namespace n_ombrix {

using namespace n_zql::n_system;
using namespace n_zql::n_system::n_windows;

std::wstring KnownFolderPath(const KNOWNFOLDERID& id) {
    n_com::t_CoTaskMemString path;
    ThrowIfFailed(SHGetKnownFolderPath(id, 0, nullptr, path.Put()));
    return WithTrailingBackslash(path.Get());
}

t_KnownFolders::t_KnownFolders(HINSTANCE instance)
    : folders_{FolderOfPath(ModuleFileName(instance)),
               KnownFolderPath(FOLDERID_RoamingAppData) + L"Ombrix\\",
               KnownFolderPath(FOLDERID_Recent) + L"AutomaticDestinations\\",
               KnownFolderPath(FOLDERID_Recent) + L"CustomDestinations\\",
               KnownFolderPath(FOLDERID_CommonStartMenu),
               KnownFolderPath(FOLDERID_StartMenu)} {}

} // namespace n_ombrix

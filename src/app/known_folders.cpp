#include "app/known_folders.h"

#include "system/com_ptr.h"
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

std::wstring ModuleFileName(HMODULE module) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) ThrowWin32Error(GetLastError());
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2); // truncated: try again with more room
    }
}

t_KnownFolders::t_KnownFolders(HINSTANCE instance)
    : folders_{FolderOfPath(ModuleFileName(instance)),
               KnownFolderPath(FOLDERID_RoamingAppData) + L"Ombrix\\",
               KnownFolderPath(FOLDERID_Recent) + L"AutomaticDestinations\\",
               KnownFolderPath(FOLDERID_Recent) + L"CustomDestinations\\",
               KnownFolderPath(FOLDERID_CommonStartMenu),
               KnownFolderPath(FOLDERID_StartMenu)} {}

} // namespace n_ombrix

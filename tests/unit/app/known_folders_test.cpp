#include "app/known_folders.h"
#include "system/module_file_name.h"

#include "registry_override.h"
#include "scratch_folder.h"
#include "system/error_exception.h"
#include "system/path_text.h"

#include <gtest/gtest.h>

#include <knownfolders.h>

using namespace n_ombrix;
using n_ombrix_test::t_RegistryOverride;
using n_ombrix_test::userShellFoldersKey;

namespace {

bool EndsInOneBackslash(const std::wstring& path) {
    return path.size() >= 2 && path.back() == L'\\' && path[path.size() - 2] != L'\\';
}

} // namespace

TEST(KnownFolders, AllSixEndInExactlyOneBackslash) {
    const t_KnownFolders folders(GetModuleHandleW(nullptr));
    for (const std::wstring* folder :
         {&folders.ProgramFolder(), &folders.DataFolder(), &folders.AutomaticDestinationsFolder(),
          &folders.CustomDestinationsFolder(), &folders.CommonStartMenuFolder(), &folders.UserStartMenuFolder()})
        EXPECT_TRUE(EndsInOneBackslash(*folder)) << *folder;

    EXPECT_EQ(folders.ProgramFolder(), n_zql::n_system::FolderOfPath(n_zql::n_system::n_windows::ModuleFileName(nullptr)));
    EXPECT_EQ(folders.DataFolder(), KnownFolderPath(FOLDERID_RoamingAppData) + L"Ombrix\\");
    EXPECT_EQ(folders.AutomaticDestinationsFolder(), KnownFolderPath(FOLDERID_Recent) + L"AutomaticDestinations\\");
    EXPECT_EQ(folders.CustomDestinationsFolder(), KnownFolderPath(FOLDERID_Recent) + L"CustomDestinations\\");
}

TEST(KnownFolders, APathThatAlreadyEndsInABackslashKeepsOnlyThatOne) {
    // A Start Menu moved to the root of a drive: the shell gives "X:\", which must not become "X:\\".
    const t_RegistryOverride startMenu(userShellFoldersKey, L"Start Menu", L"C:\\", REG_EXPAND_SZ);
    EXPECT_EQ(KnownFolderPath(FOLDERID_StartMenu), L"C:\\");

    const n_ombrix_test::t_ScratchFolder moved(L"known-folders");
    const t_RegistryOverride appData(userShellFoldersKey, L"AppData", moved.Path(), REG_EXPAND_SZ);
    const t_KnownFolders folders(GetModuleHandleW(nullptr));
    EXPECT_EQ(folders.UserStartMenuFolder(), L"C:\\");
    EXPECT_EQ(folders.DataFolder(), moved.Path() + L"Ombrix\\");
}

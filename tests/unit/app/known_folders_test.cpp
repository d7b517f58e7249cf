// The folders the system works in, read through the shell from the test prefix's folder settings.

#include "app/known_folders.h"

#include "registry_override.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

using namespace n_ombrix;
using namespace n_ombrix_test;

TEST(KnownFolders, EachFollowsTheUsersShellFoldersAndEndsInOneBackslash) {
    const t_ScratchFolder moved(L"known-folders");
    ASSERT_TRUE(CreateDirectoryW((moved / L"Recent").c_str(), nullptr));
    // A Start Menu moved to the root of a drive: the shell gives "C:\", which must not become "C:\\".
    const t_RegistryOverride startMenu(userShellFoldersKey, L"Start Menu", L"C:\\", REG_EXPAND_SZ);
    const t_RegistryOverride appData(userShellFoldersKey, L"AppData", moved.Path(), REG_EXPAND_SZ);
    const t_RegistryOverride recent(userShellFoldersKey, L"Recent", moved / L"Recent", REG_EXPAND_SZ);
    const t_KnownFolders folders(GetModuleHandleW(nullptr));
    EXPECT_EQ(folders.UserStartMenuFolder(), L"C:\\");
    EXPECT_EQ(folders.DataFolder(), moved / L"Ombrix\\");
    EXPECT_EQ(folders.AutomaticDestinationsFolder(), moved / L"Recent\\AutomaticDestinations\\");
    EXPECT_EQ(folders.CustomDestinationsFolder(), moved / L"Recent\\CustomDestinations\\");
    // The program's own folder holds the built program beside the test; the common Start Menu is a folder of its own.
    EXPECT_NE(GetFileAttributesW((folders.ProgramFolder() + L"Ombrix.exe").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(folders.CommonStartMenuFolder().ends_with(L"\\") &&
                !folders.CommonStartMenuFolder().ends_with(L"\\\\"));
    EXPECT_NE(GetFileAttributesW(folders.CommonStartMenuFolder().c_str()), INVALID_FILE_ATTRIBUTES);
}

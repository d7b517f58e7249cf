// The folders the system works in, read through the shell from the test prefix's folder settings.

#include "system/known_folders.h"

#include "registry_override.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

using namespace n_ombrix_test;

TEST(KnownFolders, EachFollowsTheUsersShellFoldersAndEndsInOneBackslash) {
    const t_ScratchFolder moved(L"known-folders");
    // A Start Menu moved to the root of a drive: the shell gives "C:\", which must not become "C:\\". The moved
    // folders are given with a backslash at the end, which must not be doubled either.
    const t_RegistryOverride startMenu(userShellFoldersKey, L"Start Menu", L"C:\\", REG_EXPAND_SZ);
    const t_RegistryOverride appData(userShellFoldersKey, L"AppData", moved.Path(), REG_EXPAND_SZ);
    const t_RegistryOverride recent(userShellFoldersKey, L"Recent", moved.Path(), REG_EXPAND_SZ);
    const n_ombrix::t_KnownFolders folders(GetModuleHandleW(nullptr));
    EXPECT_EQ(folders.UserStartMenuFolder(), L"C:\\");
    EXPECT_EQ(folders.DataFolder(), moved / L"Ombrix\\");
    EXPECT_EQ(folders.AutomaticDestinationsFolder(), moved / L"AutomaticDestinations\\");
    EXPECT_EQ(folders.CustomDestinationsFolder(), moved / L"CustomDestinations\\");
    // The program's own folder holds the built program beside the test; the common Start Menu stays where it was,
    // not the user's.
    EXPECT_NE(GetFileAttributesW((folders.ProgramFolder() + L"Ombrix.exe").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(folders.CommonStartMenuFolder().ends_with(L"\\Start Menu\\")) << folders.CommonStartMenuFolder();
}

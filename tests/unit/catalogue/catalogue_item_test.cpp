// Catalogue items as their users see them: identity hashes, command lines, jump-list marks, and real launches. What a
// cleared catalogue keeps (nothing) is seen with the scan, on a catalogue of real links.

#include "catalogue/file_item.h"
#include "catalogue/folder_item.h"
#include "catalogue/packaged_app_item.h"
#include "catalogue/shortcut_item.h"

#include "launch_record.h"
#include "scratch_folder.h"
#include "shell_link.h"
#include "system/com_ptr.h"

#include <gtest/gtest.h>

using namespace n_ombrix;
using namespace n_ombrix_test;

TEST(CatalogueItem, OnlyShortcutsCarryAnIdentityAJumpListAndACommandLine) {
    t_ShortcutItem explorer(nullptr, L"Explorer", L"", L"MICROSOFT.windows.explorer", L"C:\\My Apps\\e.exe", L"", L"");
    t_ShortcutItem site(nullptr, L"Site", L"", L"", L"", L"--x", L""); // a link to something that is not a file
    t_FileItem file(nullptr, L"Read me", L"C:\\readme.url");
    t_FolderItem folder(nullptr, L"Tools", {});
    // The hash names Explorer's jump-list files; without an identity it is all ones, as for a file or a folder.
    EXPECT_EQ(explorer.GetAppIdHash(), 0xf01b4d95cf55d32aull);
    EXPECT_TRUE(site.GetAppIdHash() == ~0ull && file.GetAppIdHash() == ~0ull && folder.GetAppIdHash() == ~0ull);
    // Only applications have jump lists (that a shortcut keeps its mark is seen with the jump lists).
    file.SetHasJumpList(true);
    folder.SetHasJumpList(true);
    EXPECT_FALSE(file.HasJumpList() || folder.HasJumpList());
    // The target quoted, one blank, the arguments: the blank stays without any.
    EXPECT_EQ(explorer.GetCommandLine(), L"\"C:\\My Apps\\e.exe\" ");
    EXPECT_FALSE(site.HasCommandLine() || file.HasCommandLine());
}

TEST(CatalogueItem, AShortcutLaunchesItsLinkWithTheLinksOwnArgumentsAndFolder) {
    const n_zql::n_system::n_windows::n_com::t_ComApartment apartment;
    const t_ScratchFolder folder(L"shortcut-launch");
    const std::wstring link = folder / L"Recorder.lnk";
    MakeShellLink(link, {.target = t_LaunchRecord::RecorderPath(),
                         .arguments = L"--from-link \"two words\"",
                         .workingFolder = folder.Path()});
    const t_LaunchRecord record(folder.Path());

    ASSERT_TRUE(
        t_ShortcutItem(nullptr, L"Recorder", L"", L"", t_LaunchRecord::RecorderPath(), L"ignored", link).Launch(false));
    const t_LaunchRecord::t_Entry entry = record.Wait();
    EXPECT_EQ(entry.parameters, L"--from-link \"two words\"");
    EXPECT_EQ(entry.folder, folder.Path());
    // A missing file fails quietly. Wine has no application activation manager, so packaged apps cannot start
    // there; on Windows this identity is not installed. Either way the answer is false, elevated or not.
    EXPECT_FALSE(t_FileItem(nullptr, L"Gone", folder / L"gone.url").Launch(false));
    const t_PackagedAppItem app(nullptr, L"Not installed", L"", L"Ombrix.Test_0000000000000!App");
    EXPECT_FALSE(app.Launch(false) || app.Launch(true));
}

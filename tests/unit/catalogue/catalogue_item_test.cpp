// Catalogue items as their users see them: identity hashes, command lines, jump-list marks, and real launches.

#include "catalogue/catalogue.h"
#include "catalogue/file_item.h"
#include "catalogue/folder_item.h"
#include "catalogue/packaged_app_item.h"
#include "catalogue/shortcut_item.h"

#include "launch_record.h"
#include "scratch_folder.h"
#include "shell_link.h"
#include "system/com_ptr.h"
#include "system/path_text.h"

#include <gtest/gtest.h>

using namespace n_ombrix;
using namespace n_ombrix_test;

namespace {

constexpr std::uint64_t noHash = ~std::uint64_t{0};

t_ShortcutItem Shortcut(std::wstring appId, std::wstring target, std::wstring arguments, std::wstring link = L"") {
    return t_ShortcutItem(nullptr, L"Editor", L"Edits text", std::move(appId), std::move(target), std::move(arguments),
                          std::move(link));
}

} // namespace

TEST(CatalogueItem, IdentityHashesNameTheJumpListFiles) {
    EXPECT_EQ(Shortcut(L"Microsoft.Windows.Explorer", L"", L"").GetAppIdHash(), 0xf01b4d95cf55d32aull);
    // Letter case does not matter, as in the shell's file names.
    EXPECT_EQ(t_PackagedAppItem(nullptr, L"Explorer", L"", L"MICROSOFT.windows.explorer").GetAppIdHash(),
              0xf01b4d95cf55d32aull);
    // No identity: the same hash as a file or a folder, and no jump list.
    const t_ShortcutItem anonymous = Shortcut(L"", L"C:\\x.exe", L"");
    EXPECT_FALSE(anonymous.HasAppId());
    EXPECT_EQ(anonymous.GetAppIdHash(), noHash);
    EXPECT_EQ(t_FileItem(nullptr, L"Read me", L"C:\\readme.url").GetAppIdHash(), noHash);
    EXPECT_EQ(t_FolderItem(nullptr, L"Tools", {}).GetAppIdHash(), noHash);
}

TEST(CatalogueItem, CommandLinesAndJumpListMarks) {
    t_ShortcutItem shortcut = Shortcut(L"Vendor.Editor", L"C:\\Program Files\\App\\app.exe", L"--new \"a b\"");
    t_FileItem file(nullptr, L"Read me", L"C:\\readme.url");
    t_FolderItem folder(nullptr, L"Tools", {});
    EXPECT_EQ(shortcut.GetCommandLine(), L"\"C:\\Program Files\\App\\app.exe\" --new \"a b\"");
    EXPECT_EQ(Shortcut(L"", L"C:\\x.exe", L"").GetCommandLine(), L"\"C:\\x.exe\" ");
    EXPECT_FALSE(Shortcut(L"", L"", L"--x").HasCommandLine()); // a link to something that is not a file
    EXPECT_FALSE(file.HasCommandLine());
    // Only applications keep the mark.
    for (t_CatalogueItem* item : std::initializer_list<t_CatalogueItem*>{&shortcut, &file, &folder})
        item->SetHasJumpList(true);
    EXPECT_TRUE(shortcut.HasJumpList());
    EXPECT_FALSE(file.HasJumpList() || folder.HasJumpList());
}

TEST(CatalogueItem, FoldersListChildrenTheyDoNotOwn) {
    t_Catalogue catalogue;
    t_CatalogueItem& file = catalogue.Adopt(std::make_unique<t_FileItem>(nullptr, L"Read me", L"C:\\readme.url"));
    t_CatalogueItem& folder =
        catalogue.Adopt(std::make_unique<t_FolderItem>(nullptr, L"Tools", std::vector<t_CatalogueItem*>{&file}));
    catalogue.AppsRoot().push_back(&folder);
    catalogue.Search().Add(folder);
    catalogue.Search().Add(file);
    EXPECT_EQ(catalogue.Search().Search(L"re", false), std::vector<t_CatalogueItem*>{&file});
    EXPECT_TRUE(folder.IsFolder());
    EXPECT_FALSE(folder.IsLaunchable());
    EXPECT_EQ(folder.GetChildren(), std::vector<t_CatalogueItem*>{&file});
    EXPECT_TRUE(file.GetChildren().empty());
    EXPECT_EQ(catalogue.Items().size(), 2u);

    catalogue.Clear();
    EXPECT_TRUE(catalogue.Search().AllItems().empty()); // nothing refers to the destroyed items
    EXPECT_TRUE(catalogue.AppsRoot().empty());
    EXPECT_TRUE(catalogue.Items().empty());
}

TEST(CatalogueItem, AShortcutLaunchesItsLinkWithTheLinksOwnArgumentsAndFolder) {
    const n_zql::n_system::n_windows::n_com::t_ComApartment apartment;
    const t_ScratchFolder folder(L"shortcut-launch");
    ASSERT_TRUE(CreateDirectoryW((folder / L"work").c_str(), nullptr));
    const std::wstring link = folder / L"Recorder.lnk";
    MakeShellLink(link, {.target = t_LaunchRecord::RecorderPath(),
                         .arguments = L"--from-link \"two words\"",
                         .workingFolder = folder / L"work"});
    const t_LaunchRecord record(folder.Path());

    const t_ShortcutItem item = Shortcut(L"", t_LaunchRecord::RecorderPath(), L"ignored", link);
    ASSERT_TRUE(item.Launch(false));
    const auto entry = record.Wait();
    ASSERT_TRUE(entry) << "the recorder did not run";
    EXPECT_EQ(t_LaunchRecord::ParametersOf(entry->commandLine), L"--from-link \"two words\"");
    EXPECT_EQ(n_zql::n_system::WithTrailingBackslash(entry->folder), folder / L"work\\");
}

TEST(CatalogueItem, MissingTargetsAndAbsentActivationFailQuietly) {
    const n_zql::n_system::n_windows::n_com::t_ComApartment apartment;
    const t_ScratchFolder folder(L"item-failures");
    EXPECT_FALSE(t_FileItem(nullptr, L"Gone", folder / L"gone.url").Launch(false));
    // Wine has no application activation manager, so packaged apps cannot start there; on Windows this identity is
    // not installed. Either way the answer is false, elevated or not, and nothing is shown.
    const t_PackagedAppItem app(nullptr, L"Not installed", L"", L"Ombrix.Test_0000000000000!App");
    EXPECT_FALSE(app.Launch(false));
    EXPECT_FALSE(app.Launch(true));
}

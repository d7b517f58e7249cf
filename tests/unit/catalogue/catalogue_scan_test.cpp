// The catalogue built from real folders and real links made through IShellLinkW: two Start Menu trees (per-user
// and all-users) in a scratch folder, passed both as the Start Menu folders and as the configured locations. And its
// items as their users see them: identity hashes, command lines, jump-list marks, and real launches.

#include "catalogue/catalogue_scan.h"

#include "catalogue/file_item.h"
#include "catalogue/link_properties.h"
#include "catalogue/packaged_app_item.h"
#include "catalogue/shortcut_item.h"
#include "launch_record.h"
#include "quillwort_manifest.h"
#include "registered_package.h"
#include "scratch_folder.h"
#include "shell_link.h"
#include "system/display_metrics.h"
#include "system/path_text.h"

#include <gtest/gtest.h>

#include <shlobj.h>

using namespace n_ombrix;
using namespace n_ombrix_test;

namespace {

// "a, Games[Chess, Solitaire]": display names in list order, folders with their children in brackets.
std::wstring Render(const std::vector<t_CatalogueItem*>& list) {
    std::wstring out;
    for (const t_CatalogueItem* item : list) {
        out += (out.empty() ? L"" : L", ") + item->DisplayName();
        if (item->IsFolder()) out += L"[" + Render(item->GetChildren()) + L"]";
    }
    return out;
}

class CatalogueScan : public testing::Test {
protected:
    void SetUp() override {
        configuration_.appsShortcutsFilters = FactoryFilters();
        // Without the trailing backslash, as a user types them.
        configuration_.appsShortcutsLocations = {scratch_ / L"User\\Start Menu", scratch_ / L"Common\\Start Menu"};
        configuration_.placesShortcutsLocations = {};
        configuration_.showIcons = false;
        // The user's packages are the registry's, which a test running beside this one may register in.
        configuration_.handleModernApps = false;
    }

    // A link (to the launch recorder unless told otherwise), in a folder made as needed.
    void Link(const std::wstring& path, t_ShellLinkFields fields = {}) {
        SHCreateDirectoryExW(nullptr, n_zql::n_system::FolderOfPath(path).c_str(), nullptr);
        if (fields.target.empty()) fields.target = t_LaunchRecord::RecorderPath();
        MakeShellLink(path, fields);
    }
    void Build() { BuildCatalogue(catalogue_, store_, configuration_, {.user = user_, .common = common_}); }

    n_zql::n_system::n_windows::n_com::t_ComApartment apartment_;
    // The scan draws no glyphs, so the store needs no resource module.
    t_IconStore store_{t_DisplayMetrics::Read(), nullptr};
    // Wine cannot remove a folder link, so the loop test leaves its folder behind; a name of each run's own keeps the
    // next runs, to which Wine gives the same process ids, out of it.
    t_ScratchFolder scratch_{L"catalogue-scan-" + std::to_wstring(GetTickCount64())};
    const std::wstring user_ = scratch_ / L"User\\Start Menu\\";
    const std::wstring common_ = scratch_ / L"Common\\Start Menu\\";
    t_Configuration configuration_{L"", 96};
    t_Catalogue catalogue_;
};

} // namespace

TEST_F(CatalogueScan, BothStartMenusBecomeOneTreeOfTheirProgramsFolders) {
    // A Start Menu's own links are listed; its subfolders other than Programs are the shell's. A link beside a folder
    // of its name goes into the folder. Hidden entries are never listed; system ones are.
    for (const wchar_t* name : {L"Top.lnk", L"Other\\Not Scanned.lnk", L"Programs\\Accessories\\Notepad.lnk",
                                L"Programs\\Accessories\\Paint.lnk", L"Programs\\Games.lnk", L"Programs\\Secret.lnk",
                                L"Programs\\Hidden Folder\\A.lnk", L"Programs\\System.lnk"})
        Link(user_ + name);
    ASSERT_TRUE(SetFileAttributesW((user_ + L"Programs\\Secret.lnk").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesW((user_ + L"Programs\\Hidden Folder").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesW((user_ + L"Programs\\System.lnk").c_str(), FILE_ATTRIBUTE_SYSTEM));
    // A link in both trees is listed once. A folder whose every entry is filtered out goes (as an empty one does: the
    // scan cannot tell them apart). Links are filtered by their targets too, other files by their names.
    for (const wchar_t* name : {L"Games\\Chess.lnk", L"Accessories\\Notepad.lnk", L"Accessories\\Calculator.lnk",
                                L"Cleanup\\Uninstall Tools.lnk", L"Tools\\Tool Box.lnk"})
        Link(common_ + L"Programs\\" + name);
    WriteFileBytes(scratch_ / L"UnInstall.exe", "MZ");
    Link(common_ + L"Programs\\Remove.lnk", {.target = scratch_ / L"UnInstall.exe"});
    WriteFileBytes(common_ + L"Programs\\Project Site.url", "[InternetShortcut]\r\nURL=http://localhost/\r\n");
    // A location that does not exist adds nothing and stops nothing.
    configuration_.appsShortcutsLocations.insert(configuration_.appsShortcutsLocations.begin(), scratch_ / L"Gone");

    // Single items are lifted out of their folders unless the configuration says otherwise.
    Build();
    EXPECT_EQ(Render(catalogue_.AppsRoot()),
              L"Accessories[Calculator, Notepad, Paint], Games[Chess, Games], System, Tool Box, Top");
    // The item store holds exactly the tree: merged-away folders and duplicates are gone.
    EXPECT_EQ(catalogue_.Items().size(), 10u);
    configuration_.extractSingleItemFolders = false;
    Build();
    EXPECT_EQ(Render(catalogue_.AppsRoot()),
              L"Accessories[Calculator, Notepad, Paint], Games[Chess, Games], System, Tools[Tool Box], Top");
    EXPECT_EQ(catalogue_.Items().size(), 11u); // a build starts from an empty catalogue
}

TEST_F(CatalogueScan, LocationsListedTwiceMergeAndPlacesTakeOnlyTheirOwnFiles) {
    const std::wstring tools = scratch_ / L"Tools\\";
    for (const wchar_t* name : {L"c.lnk", L"Kit\\a.lnk", L"Kit\\b.lnk"}) Link(tools + name);
    configuration_.appsShortcutsLocations = {tools, scratch_ / L"TOOLS"};
    const std::wstring places = scratch_ / L"Places\\";
    for (const wchar_t* name : {L"Documents.lnk", L"Sub\\Deeper.lnk"}) Link(places + name);
    WriteFileBytes(places + L"Notes.txt", "filtered");
    // Locations are expanded from the environment.
    ASSERT_TRUE(SetEnvironmentVariableW(L"OMBRIX_TEST_PLACES", places.c_str()));
    configuration_.placesShortcutsLocations = {L"%OMBRIX_TEST_PLACES%"};

    Build();
    EXPECT_EQ(Render(catalogue_.AppsRoot()), L"c, Kit[a, b]");
    EXPECT_EQ(Render(catalogue_.PlacesRoot()), L"Documents");
    EXPECT_EQ(catalogue_.Items().size(), 5u);
    // Places are never search results.
    EXPECT_EQ(catalogue_.Search().AllItems().size(), 4u);
    // The places list's rows have the place under its header.
    EXPECT_EQ(catalogue_.PlacesRows().at(1).command, t_PlacesCommand::launchPlace);
    // Clearing keeps nothing that refers to the items, which are gone with it.
    catalogue_.Clear();
    EXPECT_TRUE(catalogue_.AppsRoot().empty() && catalogue_.PlacesRoot().empty() && catalogue_.PlacesRows().empty() &&
                catalogue_.Items().empty() && catalogue_.Search().AllItems().empty());
}

TEST_F(CatalogueScan, ShortcutsCarryWhatTheirLinksSay) {
    const std::wstring programs = user_ + L"Programs\\";
    Link(programs + L"App.lnk", {.arguments = L"--new", .description = L"Edits text"});
    AddLinkProperties(programs + L"App.lnk", {{appUserModelIdKey, L"Vendor.App"}});
    Link(programs + L"Plain.lnk", {.description = L"PLAIN"});
    Link(programs + L"Excluded.lnk");
    AddLinkProperties(programs + L"Excluded.lnk", {{{appUserModelFormatId, 17}, true}});
    configuration_.showIcons = true;

    Build();
    // Under Wine the link's property store answers nothing: the identity and the exclusion come from the link's
    // bytes. Wine has no application resolver either, so Plain gets no identity from the shell.
    ASSERT_EQ(Render(catalogue_.AppsRoot()), L"App, Plain");
    const t_CatalogueItem& app = *catalogue_.AppsRoot()[0];
    EXPECT_EQ(app.GetAppId(), L"Vendor.App");
    EXPECT_EQ(app.GetDescription(), L"Edits text");
    // Plain's description only repeated its name; without an identity its hash is the one no jump list has.
    EXPECT_FALSE(catalogue_.AppsRoot()[1]->HasAppId() || catalogue_.AppsRoot()[1]->HasDescription());
    EXPECT_EQ(catalogue_.AppsRoot()[1]->GetAppIdHash(), ~0ull);
    const std::wstring command = L"\"" + t_LaunchRecord::RecorderPath() + L"\" --new";
    EXPECT_EQ(_wcsicmp(app.GetCommandLine().c_str(), command.c_str()), 0) << app.GetCommandLine();
    EXPECT_NE(app.Icon(), nullptr);

    configuration_.showIcons = false;
    configuration_.compactMode = true;
    Build();
    EXPECT_TRUE(!catalogue_.AppsRoot().at(0)->HasDescription() && !catalogue_.AppsRoot().at(0)->Icon());
}

// A folder that a junction or symbolic link makes its own descendant is walked once.
TEST_F(CatalogueScan, AFolderLoopCostsNothing) {
    const std::wstring loop = user_ + L"Programs\\Loop\\";
    Link(loop + L"A.lnk");
    Link(loop + L"B.lnk");
    ASSERT_TRUE(MakeFolderLink(loop + L"Again", loop)) << "no folder link could be made here";
    Build();
    EXPECT_EQ(Render(catalogue_.AppsRoot()), L"Loop[A, B]");
}

using CatalogueItem = CatalogueScan;

TEST_F(CatalogueItem, AShortcutLaunchesItsLinkWithTheLinksOwnArgumentsAndFolder) {
    const std::wstring link = scratch_ / L"Recorder.lnk";
    Link(link, {.arguments = L"--from-link \"two words\"", .workingFolder = scratch_.Path()});
    const t_LaunchRecord record(scratch_.Path());

    ASSERT_TRUE(
        t_ShortcutItem(nullptr, L"Recorder", L"", L"", t_LaunchRecord::RecorderPath(), L"ignored", link).Launch(false));
    const t_LaunchRecord::t_Entry entry = record.Wait();
    EXPECT_EQ(entry.parameters, L"--from-link \"two words\"");
    EXPECT_EQ(entry.folder, scratch_.Path());
    // A missing file fails quietly. Wine has no application activation manager, so packaged apps cannot start
    // there; on Windows this identity is not installed. Either way the answer is false, elevated or not.
    EXPECT_FALSE(t_FileItem(nullptr, L"Gone", scratch_ / L"gone.url").Launch(false));
    const t_PackagedAppItem app(nullptr, L"Not installed", L"", L"Ombrix.Test_0000000000000!App");
    EXPECT_FALSE(app.Launch(false) || app.Launch(true));
}

// The top-left pixel of an item's image, where the logo's background shows.
std::uint32_t CornerPixel(const t_CatalogueItem& item) {
    DIBSECTION section{};
    if (GetObjectW(item.Icon(), sizeof section, &section) != sizeof section) return 0;
    const auto* rows = static_cast<const std::uint32_t*>(section.dsBm.bmBits);
    return section.dsBmih.biHeight < 0 ? rows[0] : rows[(section.dsBm.bmHeight - 1) * section.dsBm.bmWidth];
}

// Only a package whose Flags has bit 0, with a sound manifest in its folder, counts; of its applications, those meant
// for the list and not filtered join the top of the tree, under a readable name where Wine cannot resolve a resource
// name, their logos the variants the qualifiers rank first, drawn on their backgrounds.
TEST_F(CatalogueScan, PackagedAppsOfRegisteredPackagesJoinTheTopOfTheTree) {
    const std::string manifest = quillwortManifest;
    const std::wstring root = scratch_ / L"Quillwort.Notes", broken = scratch_ / L"Quillwort.Broken";
    for (const wchar_t* folder : {L"\\Assets\\de-de", L"\\Assets\\en-us"})
        SHCreateDirectoryExW(nullptr, (root + folder).c_str(), nullptr);
    for (const wchar_t* logo :
         {L"Logo.scale-100.png", L"Logo.scale-200.png", L"Logo.scale-400.png", L"Logo.targetsize-16.png",
          L"Logo.targetsize-24.png", L"Logo.contrast-black_targetsize-24.png", L"Logo.targetsize-32.png",
          L"Logo.targetsize-48_altform-unplated.png", L"de-de\\Logo.targetsize-32.png",
          L"en-us\\Logo.targetsize-32.png"})
        WriteFileBytes(root + L"\\Assets\\" + logo, OpaqueBitmapFileBytes(44, 0xFF0000));
    WriteFileBytes(root + L"\\AppxManifest.xml", manifest);
    CreateDirectoryW(broken.c_str(), nullptr);
    WriteFileBytes(broken + L"\\AppxManifest.xml", manifest.substr(0, 300));
    const t_RegisteredPackage listed(L"Quillwort.Notes_abc", L"Quillwort.Notes_1.0.0.0_x64__abc", root, 1),
        unregistered(L"Quillwort.Other_abc", L"Quillwort.Other_1.0.0.0_x64__abc", root, 2),
        damaged(L"Quillwort.Broken_abc", L"Quillwort.Broken_1.0.0.0_x64__abc", broken, 1),
        missing(L"Quillwort.Gone_abc", L"Quillwort.Gone_1.0.0.0_x64__abc", scratch_ / L"Quillwort.Gone", 1);
    configuration_.appsShortcutsFilters.push_back(L"*SKETCH*");
    Build();
    EXPECT_EQ(Render(catalogue_.AppsRoot()), L"") << "handle modern apps off";
    configuration_.handleModernApps = configuration_.showIcons = true;
    Build();
    ASSERT_EQ(Render(catalogue_.AppsRoot()), L"Notes, Quillwort Draw");
    const t_CatalogueItem &notes = *catalogue_.AppsRoot()[0], &draw = *catalogue_.AppsRoot()[1];
    EXPECT_EQ(notes.GetAppId() + L"|" + notes.GetDescription(), L"Quillwort.Notes_abc!Notes|Takes notes");
    EXPECT_EQ(draw.GetAppId(), L"Quillwort.Notes_abc!Draw");
    EXPECT_FALSE(draw.HasDescription()) << "a description that repeats the name";
    EXPECT_EQ(std::pair(CornerPixel(notes), CornerPixel(draw)),
              std::pair(0xFF00FF00u, store_.LogoBackground() | 0xFF000000u));

    // The ranking by path: the smallest plated variant that reaches the size, else the largest; a language the user
    // does not prefer never.
    t_LogoChooser chooser;
    for (const auto& [full, target, chosen] :
         {std::tuple(32, 24, L"Logo.targetsize-24.png"), std::tuple(16, 14, L"Logo.targetsize-24.png"),
          std::tuple(64, 48, L"Logo.scale-200.png")})
        EXPECT_EQ(chooser.Choose(root, L"Assets/Logo.png", full, target, false), root + L"\\Assets\\" + chosen);
}

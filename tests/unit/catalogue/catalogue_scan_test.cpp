// The catalogue built from real folders and real links made through IShellLinkW: two Start Menu trees (per-user
// and all-users) in a scratch folder, passed both as the Start Menu folders and as the configured locations.

#include "catalogue/catalogue_scan.h"

#include "app/display_metrics.h"
#include "catalogue/link_properties.h"
#include "launch_record.h"
#include "link_property_writer.h"
#include "scratch_folder.h"
#include "shell_link.h"
#include "system/path_text.h"

#include "built_program.h"

#include <gtest/gtest.h>

#include <shlobj.h>

using namespace n_ombrix;
using namespace n_ombrix_test;
using namespace n_zql::n_system::n_windows;

namespace {

// "a, Games[Chess, Solitaire]": display names in list order, folders with their children in brackets.
std::wstring Render(const std::vector<t_CatalogueItem*>& list) {
    std::wstring out;
    for (const t_CatalogueItem* item : list) {
        if (!out.empty()) out += L", ";
        out += item->DisplayName();
        if (item->IsFolder()) out += L"[" + Render(item->GetChildren()) + L"]";
    }
    return out;
}

class CatalogueScan : public testing::Test {
protected:
    void SetUp() override {
        configuration_.appsShortcutsFilters = FactoryFilters();
        // Without the trailing backslash, as a user types them.
        configuration_.appsShortcutsLocations = {user_.substr(0, user_.size() - 1),
                                                 common_.substr(0, common_.size() - 1)};
        configuration_.placesShortcutsLocations = {};
        configuration_.showIcons = false;
    }

    // A link (to the launch recorder unless told otherwise), in a folder made as needed.
    void Link(const std::wstring& path, t_ShellLinkFields fields = {}) {
        SHCreateDirectoryExW(nullptr, n_zql::n_system::FolderOfPath(path).c_str(), nullptr);
        if (fields.target.empty()) fields.target = t_LaunchRecord::RecorderPath();
        MakeShellLink(path, fields);
    }
    void Build() { BuildCatalogue(catalogue_, store_, configuration_, {.user = user_, .common = common_}); }

    n_com::t_ComApartment apartment_;
    t_Module program_ = LoadBuiltProgramResources();
    t_IconStore store_{t_DisplayMetrics::Read(), program_.Get()};
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
    Link(user_ + L"Top.lnk");
    Link(user_ + L"Other\\Not Scanned.lnk"); // a Start Menu's subfolders other than Programs are the shell's
    Link(user_ + L"desktop.LNK");
    Link(user_ + L"Programs\\Accessories\\Notepad.lnk");
    Link(user_ + L"Programs\\Accessories\\Paint.lnk");
    Link(user_ + L"Programs\\Games.lnk"); // beside a folder of that name: it goes into the folder
    Link(common_ + L"Programs\\Games\\Chess.lnk");
    Link(common_ + L"Programs\\Accessories\\Notepad.lnk"); // in both trees: listed once
    Link(common_ + L"Programs\\Accessories\\Calculator.lnk");
    Link(common_ + L"Programs\\Accessories\\DESKTOP.lnk");
    Link(common_ + L"Programs\\Cleanup\\Uninstall Tools.lnk"); // everything filtered out: the folder goes too
    Link(common_ + L"Programs\\Tools\\Tool Box.lnk");
    SHCreateDirectoryExW(nullptr, (common_ + L"Programs\\Empty").c_str(), nullptr);
    const std::wstring uninstaller = scratch_ / L"UnInstall.exe";
    WriteFileBytes(uninstaller, "MZ");
    Link(common_ + L"Programs\\Remove.lnk", {.target = uninstaller}); // filtered by its target
    WriteFileBytes(common_ + L"Programs\\Project Site.url", "[InternetShortcut]\r\nURL=http://localhost/\r\n");
    // Hidden entries are never listed; system ones are.
    Link(user_ + L"Programs\\Secret.lnk");
    Link(user_ + L"Programs\\Hidden Folder\\A.lnk");
    Link(user_ + L"Programs\\System.lnk");
    ASSERT_TRUE(SetFileAttributesW((user_ + L"Programs\\Secret.lnk").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesW((user_ + L"Programs\\Hidden Folder").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesW((user_ + L"Programs\\System.lnk").c_str(), FILE_ATTRIBUTE_SYSTEM));
    // A location that does not exist adds nothing and stops nothing.
    configuration_.appsShortcutsLocations.insert(configuration_.appsShortcutsLocations.begin(), scratch_ / L"Gone");

    // Single items are lifted out of their folders unless the configuration says otherwise.
    Build();
    EXPECT_EQ(Render(catalogue_.AppsRoot()),
              L"Accessories[Calculator, Notepad, Paint], Games[Chess, Games], System, Tool Box, Top");
    // The item store holds exactly the tree (merged-away folders and duplicates are gone), and so does the search.
    EXPECT_EQ(catalogue_.Items().size(), 10u);
    EXPECT_EQ(catalogue_.Search().AllItems().size(), 10u);
    configuration_.extractSingleItemFolders = false;
    Build();
    EXPECT_EQ(Render(catalogue_.AppsRoot()),
              L"Accessories[Calculator, Notepad, Paint], Games[Chess, Games], System, Tools[Tool Box], Top");
}

TEST_F(CatalogueScan, LocationsListedTwiceMergeAndPlacesTakeOnlyTheirOwnFiles) {
    const std::wstring tools = scratch_ / L"Tools\\";
    for (const wchar_t* name : {L"c.lnk", L"Kit\\a.lnk", L"Kit\\b.lnk"}) Link(tools + name);
    configuration_.appsShortcutsLocations = {tools, scratch_ / L"TOOLS"};
    const std::wstring places = scratch_ / L"Places\\";
    Link(places + L"Documents.lnk");
    Link(places + L"Sub\\Deeper.lnk");
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
    EXPECT_TRUE(catalogue_.Search().Search(L"Doc", false).empty());
    // The places list's rows lead with the place under its header, then the commands.
    const std::vector<t_PlacesRow>& rows = catalogue_.PlacesRows();
    ASSERT_GE(rows.size(), 2u);
    EXPECT_TRUE(rows[0].header && rows[1].command == t_PlacesCommand::launchPlace && rows[1].placeIndex == 0);
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
    const t_CatalogueItem& plain = *catalogue_.AppsRoot()[1];
    EXPECT_EQ(app.GetAppId(), L"Vendor.App");
    EXPECT_FALSE(plain.HasAppId());
    EXPECT_EQ(app.GetDescription(), L"Edits text");
    EXPECT_FALSE(plain.HasDescription()); // it only repeated the name
    const std::wstring command = L"\"" + t_LaunchRecord::RecorderPath() + L"\" --new";
    EXPECT_EQ(_wcsicmp(app.GetCommandLine().c_str(), command.c_str()), 0) << app.GetCommandLine();
    EXPECT_NE(app.Icon(), nullptr);

    configuration_.showIcons = false;
    configuration_.compactMode = true;
    Build();
    EXPECT_FALSE(catalogue_.AppsRoot().at(0)->HasDescription());
    EXPECT_EQ(catalogue_.AppsRoot().at(0)->Icon(), nullptr);
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

// An application's jump list from its two files, the shell's automatic one and its own custom one: files made here
// and a custom file Windows 7 wrote.

#include "jumplists/jump_list.h"

#include "built_program.h"
#include "catalogue/catalogue.h"
#include "catalogue/shortcut_item.h"
#include "jump_list_files.h"
#include "jumplists/current_jump_list.h"
#include "jumplists/custom_destinations_file.h"
#include "jumplists/destinations_file_name.h"
#include "scratch_folder.h"
#include "system/com_ptr.h"
#include "system/identity_hash.h"
#include "system/upper_case.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace n_ombrix;
using namespace n_ombrix_test;
using namespace n_zql::n_system;
using namespace n_zql::n_system::n_windows;

namespace {

const std::wstring identity = L"Ombrix.Tests.Editor";

const t_JumpListHeaderTexts texts{
    .pinned = L"Pinned", .recent = L"Recent", .frequent = L"Frequent", .unnamedCategory = L"More", .tasks = L"Tasks"};

// One row as text: "[Header]", or "<section><kind><e when editable> <target file name>".
std::wstring Row(const t_JumpListEntry& entry) {
    if (entry.IsHeader()) return L"[" + entry.GetText() + L"]";
    const std::wstring target = LinkTarget(*entry.Destination());
    return std::to_wstring(static_cast<int>(entry.Section())) + std::to_wstring(static_cast<int>(entry.Kind())) +
           (entry.Editable() ? L"e " : L" ") + target.substr(target.rfind(L'\\') + 1);
}

class JumpList : public testing::Test {
protected:
    JumpList() {
        CreateDirectoryW(folders_.automatic.c_str(), nullptr);
        CreateDirectoryW(folders_.custom.c_str(), nullptr);
    }

    // The shell's automatic file: the recent documents in the order used (the last is the most recent), then pins.
    void WriteAutomatic(const std::vector<std::wstring>& used, const std::vector<std::wstring>& pinned) {
        t_AutomaticDestinationsFile file;
        file.Open(folders_.automatic, Stem());
        for (const std::wstring& name : used) file.FindOrAdd(DocumentLink(scratch_ / name));
        for (const std::wstring& name : pinned) file.Pin(DocumentLink(scratch_ / name));
    }

    void WriteCustom(const std::vector<t_CustomCategoryFields>& categories) {
        WriteFileBytes(folders_.custom + Stem() + std::wstring(customDestinationsSuffix),
                       CustomDestinationsBytes(categories));
    }

    std::string Link(const std::wstring& name) { return SavedLink(scratch_ / name); }

    static std::wstring Stem() { return DestinationsFileStem(ApplicationIdentityHash(identity)); }

    // The rows of the list assembled afresh.
    std::vector<std::wstring> Rows(t_JumpList& jumpList) {
        entries_ = jumpList.Assemble(texts);
        std::vector<std::wstring> rows;
        for (const std::unique_ptr<t_JumpListEntry>& entry : entries_) rows.push_back(Row(*entry));
        return rows;
    }

    // The entry of the row, from the list assembled afresh.
    t_JumpListEntry& Entry(t_JumpList& jumpList, const std::wstring& row) {
        const std::vector<std::wstring> rows = Rows(jumpList);
        return *entries_.at(std::ranges::find(rows, row) - rows.begin());
    }

    const n_com::t_ComApartment apartment_;
    t_ScratchFolder scratch_{L"jump list"};
    const t_DestinationsFolders folders_{scratch_ / L"Automatic\\", scratch_ / L"Custom\\"};
    std::vector<std::unique_ptr<t_JumpListEntry>> entries_;
};

} // namespace

TEST_F(JumpList, DocumentsShowOnceInTheirPlace) {
    WriteAutomatic({L"old.txt", L"listed.txt", L"recent.txt"}, {L"both.txt"});
    WriteCustom({{.type = 0, .name = L"Projects", .links = {Link(L"both.txt"), Link(L"listed.txt"), Link(L"own.txt")}},
                 {.type = 1, .knownId = 1},
                 {.type = 2, .links = {Link(L"tool.exe")}},
                 {.type = 0, .name = L"", .links = {Link(L"spare.txt")}}});
    t_JumpList jumpList(identity, folders_);
    // Pinned documents show only under Pinned; recent ones listed in a category show only there; the Frequent
    // category puts its name on the recent group; tasks come last, whatever their place in the file.
    EXPECT_EQ(Rows(jumpList),
              (std::vector<std::wstring>{L"[Pinned]", L"21e both.txt", L"[Frequent]", L"00e recent.txt", L"00e old.txt",
                                         L"[Projects]", L"10e listed.txt", L"10e own.txt", L"[More]", L"10e spare.txt",
                                         L"[Tasks]", L"32 tool.exe"}));

    // Unpinned, a document of a category goes back to the category only: it leaves the automatic file.
    Entry(jumpList, L"21e both.txt").TogglePin();
    const std::vector<std::wstring> unpinned = Rows(jumpList);
    EXPECT_EQ(std::tuple(std::ranges::find(unpinned, L"10e both.txt") - unpinned.begin(), unpinned.size(),
                         jumpList.Automatic().Entries().size()),
              std::tuple(5, 12u, 3u));

    // Pinning one of a category's documents, which the automatic file does not hold, pins it there, and it leaves
    // the category.
    Entry(jumpList, L"10e own.txt").TogglePin();
    const std::vector<std::wstring> pinned = Rows(jumpList);
    EXPECT_EQ(pinned.at(1), L"21e own.txt");
    EXPECT_EQ(std::ranges::count(pinned, L"10e own.txt"), 0);
}

TEST_F(JumpList, RemovingAndClearingEditBothFiles) {
    WriteAutomatic({L"recent.txt", L"twice.txt"}, {});
    WriteCustom({{.type = 0, .name = L"A", .links = {Link(L"twice.txt")}},
                 {.type = 0, .name = L"B", .links = {Link(L"twice.txt"), Link(L"b.txt")}},
                 {.type = 2, .links = {Link(L"tool.exe")}}});
    {
        t_JumpList jumpList(identity, folders_);
        // Listed in two categories: removed from the automatic file and the first category only.
        Entry(jumpList, L"10e twice.txt").Remove();
    }
    {
        // Read again from the files; clearing empties both but keeps the tasks.
        t_JumpList jumpList(identity, folders_);
        EXPECT_EQ(Rows(jumpList),
                  (std::vector<std::wstring>{L"[Pinned]", L"[Recent]", L"00e recent.txt", L"[A]", L"[B]",
                                             L"10e twice.txt", L"10e b.txt", L"[Tasks]", L"32 tool.exe"}));
        jumpList.Clear();
        EXPECT_EQ(Rows(jumpList),
                  (std::vector<std::wstring>{L"[Pinned]", L"[Recent]", L"[A]", L"[B]", L"[Tasks]", L"32 tool.exe"}));
    }
    t_JumpList reread(identity, folders_);
    EXPECT_EQ(Rows(reread).size(), 6u);
}

TEST_F(JumpList, AFailedEditShowsHeadersOnly) {
    // Only a custom file: still a jump list. Pinning needs an automatic file, whose folder is gone.
    WriteCustom({{.type = 0, .name = L"Projects", .links = {Link(L"a.txt")}}, {.type = 2, .links = {Link(L"t.exe")}}});
    const t_DestinationsFolders broken{scratch_ / L"Missing\\", folders_.custom};
    t_JumpList jumpList(identity, broken);
    Entry(jumpList, L"10e a.txt").TogglePin();
    EXPECT_EQ(Rows(jumpList), (std::vector<std::wstring>{L"[Pinned]", L"[Recent]", L"[Tasks]"}));
}

TEST_F(JumpList, TheCurrentItemsApplicationKeepsItsJumpList) {
    WriteCustom({{.type = 2, .links = {Link(L"t.exe")}}});
    t_Catalogue catalogue;
    auto item = [&](const std::wstring& appId) -> t_CatalogueItem& {
        return catalogue.Adopt(std::make_unique<t_ShortcutItem>(nullptr, appId, L"", appId, L"", L"", L""));
    };
    t_CatalogueItem& editor = item(identity);
    t_CatalogueItem& sameApplication = item(identity);
    t_CatalogueItem& other = item(L"Ombrix.Tests.Other");

    t_CurrentJumpList current(folders_);
    current.MarkAvailability(catalogue, true);
    EXPECT_TRUE(editor.HasJumpList() && sameApplication.HasJumpList() && !other.HasJumpList());

    EXPECT_EQ(current.Follow(&editor), t_CurrentJumpList::t_Change::built);
    const t_JumpList* built = current.Get();
    EXPECT_EQ(current.Follow(&sameApplication), t_CurrentJumpList::t_Change::none);
    EXPECT_EQ(current.Get(), built);
    EXPECT_EQ(current.Follow(&other), t_CurrentJumpList::t_Change::dropped);
    EXPECT_EQ(current.Get(), nullptr);
    EXPECT_EQ(current.Follow(nullptr), t_CurrentJumpList::t_Change::none);
}

// The custom file alone, read into its categories.
using CustomDestinationsFile = JumpList;

TEST_F(CustomDestinationsFile, AWindows7FileReadsAsItsTasks) {
    const std::wstring name = L"5afe4de1b92fc382.customDestinations-ms";
    const std::wstring shared = std::wstring(OMBRIX_SHARED_TESTDATA_WINDOWS) + L"\\jumplists\\win7-" + name;
    if (GetFileAttributesW(shared.c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "the shared test data is not there";
    ASSERT_TRUE(CopyFileW(shared.c_str(), (folders_.custom + name).c_str(), FALSE));
    t_CustomDestinationsFile file;
    file.Open(folders_.custom, L"5afe4de1b92fc382");
    ASSERT_EQ(file.Categories().size(), 1u);
    const t_CustomCategory& tasks = file.Categories()[0];
    ASSERT_EQ(std::pair(tasks.kind, tasks.items.size()), std::pair(t_CustomCategoryKind::tasks, std::size_t{9}));
    // Each title is a resource reference into a Windows library (oobefldr.dll, strings 1101 to 1261, as the
    // link-property test reads them from these bytes); Wine has no such library, so the titles do not load and
    // each task shows the shell's name of its target instead (Wine cannot name this missing program well, so
    // only that the raw reference is not shown is asserted). On Windows the loaded titles show.
    for (const t_ShellDestination& task : tasks.items) {
        EXPECT_EQ(LinkTarget(task), L"C:\\Windows\\System32\\GettingStarted.exe");
        EXPECT_TRUE(task.DisplayText().empty() || task.DisplayText().front() != L'@');
    }
}

// A task's key ignores the letter case of its path but not that of its arguments, nor its title; a separator is no
// destination to show or open.
TEST_F(CustomDestinationsFile, NamesMayBeResourceReferencesAndTasksAreKeyedByTheirArgumentsAndTitles) {
    const std::wstring tool = scratch_ / L"tool.exe";
    const t_Property title{titleKey, std::wstring(L"Run the tool")};
    WriteCustom({{.type = 0, .name = L"@" + BuiltProgramPath() + L",-207", .links = {Link(L"a.txt")}},
                 {.type = 0, .name = L"@Z:\\no such library.dll,-1"},
                 {.type = 2,
                  .links = {SavedLink(tool, L"/run", {title}), SavedLink(UpperCased(tool), L"/run", {title}),
                            SavedLink(tool, L"/RUN", {title}), SavedLink(tool, L"/run"),
                            SavedLink(tool, {}, {{isDestListSeparatorKey, true}})}}});
    t_CustomDestinationsFile file;
    file.Open(folders_.custom, Stem());
    const std::vector<t_CustomCategory>& categories = file.Categories();
    ASSERT_EQ(categories.size(), 3u);
    // A resource reference shows the string it names; one that cannot be loaded shows itself.
    EXPECT_EQ(categories[0].displayName + L"|" + categories[1].displayName, L"Pinned|@Z:\\no such library.dll,-1");
    // Items of the application's own categories keep the text that pinning stores; tasks are never pinned. A task's
    // title comes from its link's properties.
    EXPECT_FALSE(categories[0].items.at(0).ParsingText().empty());
    const std::vector<t_ShellDestination>& tasks = categories[2].items;
    ASSERT_EQ(tasks.size(), 5u);
    EXPECT_EQ(tasks[0].DisplayText() + L"|" + tasks[0].ParsingText(), L"Run the tool|");
    EXPECT_EQ(tasks[1].IdentityKey(), tasks[0].IdentityKey());
    EXPECT_TRUE(tasks[2].IdentityKey() != tasks[0].IdentityKey() && tasks[3].IdentityKey() != tasks[0].IdentityKey());
    EXPECT_TRUE(tasks[4].IsSeparator() && tasks[4].DisplayText().empty() && !tasks[4].Open(L"Any.App"));
}

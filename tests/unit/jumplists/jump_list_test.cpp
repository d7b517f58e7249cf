#include "jumplists/jump_list.h"

#include "catalogue/catalogue.h"
#include "catalogue/shortcut_item.h"
#include "jump_list_files.h"
#include "jumplists/current_jump_list.h"
#include "jumplists/destinations_file_name.h"
#include "scratch_folder.h"
#include "system/com_ptr.h"
#include "system/identity_hash.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <stdexcept>

using namespace n_ombrix;
using namespace n_ombrix_test;
using namespace n_zql::n_system;
using namespace n_zql::n_system::n_windows;
using n_com::t_ComPtr;

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

    std::wstring Document(const std::wstring& name) { return WriteDocument(scratch_ / name); }

    t_ShellDestination Destination(const std::wstring& name) { return DocumentLink(scratch_ / name); }

    // The shell's automatic file: the recent documents in the order used (the last is the most recent), then pins.
    void WriteAutomatic(const std::vector<std::wstring>& used, const std::vector<std::wstring>& pinned) {
        t_AutomaticDestinationsFile file;
        file.Open(folders_.automatic, Stem());
        for (const std::wstring& name : used) file.FindOrAdd(Destination(name));
        for (const std::wstring& name : pinned) file.Pin(Destination(name));
    }

    void WriteCustom(const std::vector<t_CustomCategoryFields>& categories) {
        WriteFileBytes(folders_.custom + Stem() + std::wstring(customDestinationsSuffix),
                       CustomDestinationsBytes(categories));
    }

    std::string Link(const std::wstring& name) { return SavedLink(Document(name)); }

    static std::wstring Stem() { return DestinationsFileStem(ApplicationIdentityHash(identity)); }

    std::vector<std::wstring> Rows(t_JumpList& jumpList) {
        std::vector<std::wstring> rows;
        for (const std::unique_ptr<t_JumpListEntry>& entry : jumpList.Assemble(texts)) rows.push_back(Row(*entry));
        return rows;
    }

    t_JumpListEntry& FindRow(std::vector<std::unique_ptr<t_JumpListEntry>>& entries, const std::wstring& row) {
        for (const std::unique_ptr<t_JumpListEntry>& entry : entries)
            if (Row(*entry) == row) return *entry;
        throw std::runtime_error("no such row");
    }

    const n_com::t_ComApartment apartment_;
    t_ScratchFolder scratch_{L"jump list"};
    const t_DestinationsFolders folders_{scratch_ / L"Automatic\\", scratch_ / L"Custom\\"};
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
    auto entries = jumpList.Assemble(texts);
    (FindRow(entries, L"21e both.txt")).TogglePin();
    EXPECT_EQ(Rows(jumpList),
              (std::vector<std::wstring>{L"[Pinned]", L"[Frequent]", L"00e recent.txt", L"00e old.txt", L"[Projects]",
                                         L"10e both.txt", L"10e listed.txt", L"10e own.txt", L"[More]",
                                         L"10e spare.txt", L"[Tasks]", L"32 tool.exe"}));
    EXPECT_EQ(jumpList.Automatic().Entries().size(), 3u);

    // Pinning one of a category's documents adds it to the automatic file, and it leaves the category.
    entries = jumpList.Assemble(texts);
    (FindRow(entries, L"10e own.txt")).TogglePin();
    entries = jumpList.Assemble(texts);
    EXPECT_EQ(Row(*entries[1]), L"21e own.txt");
    EXPECT_EQ(
        std::count_if(entries.begin(), entries.end(), [](const auto& entry) { return Row(*entry) == L"10e own.txt"; }),
        0);
    // Unpinned again, it is back in its category only.
    entries[1]->TogglePin();
    EXPECT_EQ(Rows(jumpList)[1], L"[Frequent]");
}

TEST_F(JumpList, RemovingAndClearingEditBothFiles) {
    WriteAutomatic({L"recent.txt", L"twice.txt"}, {});
    WriteCustom({{.type = 0, .name = L"A", .links = {Link(L"twice.txt")}},
                 {.type = 0, .name = L"B", .links = {Link(L"twice.txt"), Link(L"b.txt")}},
                 {.type = 2, .links = {Link(L"tool.exe")}}});
    {
        t_JumpList jumpList(identity, folders_);
        auto entries = jumpList.Assemble(texts);
        // Listed in two categories: removed from the automatic file and the first category only.
        (FindRow(entries, L"10e twice.txt")).Remove();
        EXPECT_EQ(Rows(jumpList),
                  (std::vector<std::wstring>{L"[Pinned]", L"[Recent]", L"00e recent.txt", L"[A]", L"[B]",
                                             L"10e twice.txt", L"10e b.txt", L"[Tasks]", L"32 tool.exe"}));
    }
    {
        // The files say the same when read again; clearing empties both but keeps the tasks.
        t_JumpList jumpList(identity, folders_);
        EXPECT_EQ(Rows(jumpList).size(), 9u);
        jumpList.Clear();
        EXPECT_EQ(Rows(jumpList),
                  (std::vector<std::wstring>{L"[Pinned]", L"[Recent]", L"[A]", L"[B]", L"[Tasks]", L"32 tool.exe"}));
    }
    EXPECT_EQ(GetFileAttributesW((folders_.automatic + Stem() + std::wstring(automaticDestinationsSuffix)).c_str()),
              INVALID_FILE_ATTRIBUTES);
    t_JumpList reread(identity, folders_);
    EXPECT_EQ(Rows(reread).size(), 6u);
}

TEST_F(JumpList, AFailedEditShowsHeadersOnly) {
    // Only a custom file: still a jump list. Pinning needs an automatic file, whose folder is gone.
    WriteCustom({{.type = 0, .name = L"Projects", .links = {Link(L"a.txt")}}, {.type = 2, .links = {Link(L"t.exe")}}});
    const t_DestinationsFolders broken{scratch_ / L"Missing\\", folders_.custom};
    t_JumpList jumpList(identity, broken);
    auto entries = jumpList.Assemble(texts);
    ASSERT_EQ(entries.size(), 6u);
    (FindRow(entries, L"10e a.txt")).TogglePin();
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
    current.MarkAvailability(catalogue, false);
    EXPECT_FALSE(editor.HasJumpList());
    current.MarkAvailability(catalogue, true);
    EXPECT_TRUE(editor.HasJumpList());
    EXPECT_TRUE(sameApplication.HasJumpList());
    EXPECT_FALSE(other.HasJumpList());

    EXPECT_EQ(current.Follow(&editor), t_CurrentJumpList::t_Change::built);
    const t_JumpList* built = current.Get();
    EXPECT_EQ(current.Follow(&sameApplication), t_CurrentJumpList::t_Change::none);
    EXPECT_EQ(current.Get(), built);
    EXPECT_EQ(current.Follow(&other), t_CurrentJumpList::t_Change::dropped);
    EXPECT_EQ(current.Get(), nullptr);
    EXPECT_EQ(current.Follow(nullptr), t_CurrentJumpList::t_Change::none);
}

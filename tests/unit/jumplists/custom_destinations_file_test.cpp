#include "jumplists/custom_destinations_file.h"

#include "built_program.h"
#include "jump_list_files.h"
#include "jumplists/destinations_file_name.h"
#include "scratch_folder.h"
#include "system/com_ptr.h"

#include <gtest/gtest.h>

#include <set>

using namespace n_ombrix;
using namespace n_ombrix_test;
using namespace n_zql::n_system;
using namespace n_zql::n_system::n_windows;

namespace {

const std::wstring sharedCustomFile =
    std::wstring(OMBRIX_SHARED_TESTDATA_WINDOWS) + L"\\jumplists\\win7-5afe4de1b92fc382.customDestinations-ms";

class CustomDestinationsFile : public testing::Test {
protected:
    std::wstring Document(const std::wstring& name) { return WriteDocument(scratch_ / name); }

    std::wstring Write(const std::vector<t_CustomCategoryFields>& categories) {
        WriteFileBytes(FilePath(), CustomDestinationsBytes(categories));
        return FilePath();
    }

    std::wstring FilePath() const { return scratch_ / (stem_ + std::wstring(customDestinationsSuffix)); }

    void Open() { file_.Open(scratch_.Path(), stem_); }

    const n_com::t_ComApartment apartment_;
    t_ScratchFolder scratch_{L"custom destinations"};
    const std::wstring stem_ = L"5afe4de1b92fc382";
    t_CustomDestinationsFile file_;
};

} // namespace

TEST_F(CustomDestinationsFile, AWindows7FileReadsAsItsTasks) {
    if (GetFileAttributesW(sharedCustomFile.c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "the shared test data is not there";
    ASSERT_TRUE(CopyFileW(sharedCustomFile.c_str(), FilePath().c_str(), FALSE));
    Open();
    ASSERT_TRUE(file_.IsOpen());
    ASSERT_EQ(file_.Categories().size(), 1u);
    const t_CustomCategory& tasks = file_.Categories()[0];
    EXPECT_EQ(tasks.kind, t_CustomCategoryKind::tasks);
    ASSERT_EQ(tasks.items.size(), 9u);

    // Each title is a resource reference into a Windows library (oobefldr.dll, strings 1101 to 1261, as the
    // link-property test reads them from these bytes); Wine has no such library, so the titles do not load and
    // each task shows the shell's name of its target instead (Wine cannot name this missing program well, so
    // only that the raw reference is not shown is asserted). On Windows the loaded titles show.
    std::set<std::uint64_t> keys;
    for (const t_ShellDestination& task : tasks.items) {
        EXPECT_EQ(LinkTarget(task), L"C:\\Windows\\System32\\GettingStarted.exe");
        EXPECT_TRUE(task.DisplayText().empty() || task.DisplayText().front() != L'@');
        keys.insert(task.IdentityKey());
    }
    // The nine tasks start one program with different arguments: nine keys.
    EXPECT_EQ(keys.size(), 9u);
}

TEST_F(CustomDestinationsFile, CategoriesReadWithTheirNamesAndItems) {
    const std::wstring resourceName = L"@" + BuiltProgramPath() + L",-207";
    Write({{.type = 0, .name = L"Projects", .links = {SavedLink(Document(L"a.txt")), SavedLink(Document(L"b.txt"))}},
           {.type = 1, .knownId = 1},
           {.type = 0, .name = resourceName, .links = {SavedLink(Document(L"c.txt"))}},
           {.type = 0, .name = L"@Z:\\no such library.dll,-1"},
           {.type = 2, .links = {SavedLink(Document(L"tool.exe"), L"/run", L"Run the tool")}}});
    Open();
    const std::vector<t_CustomCategory>& categories = file_.Categories();
    ASSERT_EQ(categories.size(), 5u);
    EXPECT_EQ(categories[0].displayName, L"Projects");
    ASSERT_EQ(categories[0].items.size(), 2u);
    EXPECT_EQ(LinkTarget(categories[0].items[1]), scratch_ / L"b.txt");
    // Items of the application's own categories keep the text that pinning stores; tasks are never pinned.
    EXPECT_FALSE(categories[0].items[0].ParsingText().empty());
    EXPECT_EQ(categories[1].kind, t_CustomCategoryKind::frequent);
    // A resource reference shows the string it names; one that cannot be loaded shows itself.
    EXPECT_EQ(categories[2].displayName, L"Pinned");
    EXPECT_EQ(categories[3].displayName, L"@Z:\\no such library.dll,-1");
    EXPECT_EQ(categories[4].kind, t_CustomCategoryKind::tasks);
    EXPECT_EQ(categories[4].items.at(0).DisplayText(), L"Run the tool");
    EXPECT_TRUE(categories[4].items[0].ParsingText().empty());
}

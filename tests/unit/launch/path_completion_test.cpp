// Path completion (Ctrl+Space) against a real folder. The executor is a real custom executor whose working folder is
// the scratch folder, so relative tokens are looked up there.

#include "launch/path_completion.h"

#include "launch/custom_executor.h"

#include "scratch_folder.h"
#include "system/unique_handle.h"

#include <gtest/gtest.h>

using namespace n_ombrix;
using namespace n_ombrix_test;

namespace {

class PathCompletion : public testing::Test {
protected:
    void SetUp() override {
        for (const wchar_t* name : {L"Report 2023.docx", L"report 2024.docx", L"README.txt", L"Zeta.txt"})
            WriteFileBytes(folder_ / name, "x");
        ASSERT_TRUE(CreateDirectoryW((folder_ / L"Reports").c_str(), nullptr));
    }

    // The first name the file system gives for the pattern: completion keeps its letters.
    std::wstring FirstFound(const std::wstring& pattern) const {
        WIN32_FIND_DATAW found;
        const n_zql::n_system::n_windows::t_FindHandle search(FindFirstFileW((folder_ / pattern).c_str(), &found));
        return search ? found.cFileName : L"";
    }

    t_ScratchFolder folder_{L"path-completion"};
    t_LaunchItem item_{L"ed", L"", L"notepad", L"%typed_command%", folder_.Path()};
    t_CustomExecutor executor_{item_};
};

} // namespace

TEST_F(PathCompletion, OneMatchGivesTheWholeName) {
    std::wstring text = L"notepad read";
    EXPECT_EQ(CompletePath(executor_, text), (t_PathCompletion{8, 12, 18}));
    EXPECT_EQ(text, L"notepad README.txt");

    // An absolute token, with forward slashes, inside quotes that stay closed.
    const std::wstring folder = folder_.Path().substr(0, folder_.Path().size() - 1) + L"/";
    text = L"edit \"" + folder + L"z\"  ";
    const std::size_t name = 6 + folder.size();
    EXPECT_EQ(CompletePath(executor_, text), (t_PathCompletion{name, name + 1, name + 8}));
    EXPECT_EQ(text, L"edit \"" + folder + L"Zeta.txt\"  ");
}

TEST_F(PathCompletion, SeveralMatchesGiveTheirCommonPrefixInTheLettersOfTheFirst) {
    std::wstring text = L"rep";
    EXPECT_EQ(CompletePath(executor_, text), (t_PathCompletion{0, 3, 6}));
    EXPECT_EQ(text, FirstFound(L"rep*").substr(0, 6)); // "Report" or "report": the file system's order decides

    text = L"\"" + folder_.Path() + L"REPORT 2";
    ASSERT_TRUE(CompletePath(executor_, text));
    EXPECT_EQ(text, L"\"" + folder_.Path() + FirstFound(L"REPORT 2*").substr(0, 10));
}

TEST_F(PathCompletion, NothingWhenTheNamesShareNothingOrTheTextIsComplete) {
    // A token that ends in a separator matches "." and ".." as well as the real names (Wine returns them as Windows
    // does), and those share nothing with "Report...".
    for (std::wstring text : {folder_.Path(), std::wstring(L"cd .\\"), L"x" + folder_.Path() + L"\\missing",
                              std::wstring(L"notepad nothing-like-this"), std::wstring(L"README.txt"),
                              std::wstring(L"type rep|more"), std::wstring(L"  ")}) {
        const std::wstring before = text;
        EXPECT_EQ(CompletePath(executor_, text), std::nullopt) << testing::PrintToString(before);
        EXPECT_EQ(text, before);
    }
}

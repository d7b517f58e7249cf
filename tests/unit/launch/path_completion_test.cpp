// Path completion (Ctrl+Space) against a real folder. The executor is a real custom executor whose working folder is
// the scratch folder, so relative tokens are looked up there.

#include "launch/path_completion.h"

#include "launch/custom_executor.h"

#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <tuple>

using namespace n_ombrix;
using namespace n_ombrix_test;

TEST(PathCompletion, TheNameGrowsToWhatAllItsMatchesShareInTheirOwnLetters) {
    const t_ScratchFolder folder(L"path-completion");
    for (auto name : {L"Report 1.x", L"Report 2.x", L"README.txt", L"Zeta.txt"}) WriteFileBytes(folder / name, "x");
    ASSERT_TRUE(CreateDirectoryW((folder / L"Reports").c_str(), nullptr));
    const t_LaunchItem item{L"ed", L"", L"notepad", L"%typed_command%", folder.Path()};
    // A relative token is looked up in the working folder. An absolute one may have forward slashes and may stand
    // inside quotes, closed or not. Folders are names too.
    const std::wstring slashed = folder.Path().substr(0, folder.Path().size() - 1) + L"/";
    const std::size_t at = 6 + slashed.size(), quoted = 1 + folder.Path().size();
    const std::tuple<std::wstring, std::wstring, t_PathCompletion> completed[] = {
        {L"notepad read", L"notepad README.txt", {8, 12, 18}},
        {L"edit \"" + slashed + L"z\"  ", L"edit \"" + slashed + L"Zeta.txt\"  ", {at, at + 1, at + 8}},
        {L"\"" + folder.Path() + L"REP", L"\"" + folder.Path() + L"Report", {quoted, quoted + 3, quoted + 6}}};
    for (auto [text, expected, completion] : completed) {
        EXPECT_EQ(CompletePath(t_CustomExecutor(item), text), completion) << text;
        EXPECT_EQ(text, expected);
    }
    // Nothing, and the text stays: names that share nothing (a token that ends in a separator matches "." and ".."
    // too, as on Windows), no match, a complete name, a token no path can be, blank text.
    for (const wchar_t* before : {folder.Path().c_str(), L"zz", L"README.txt", L"type rep|more", L"  "}) {
        std::wstring text = before;
        EXPECT_TRUE(!CompletePath(t_CustomExecutor(item), text) && text == before) << before;
    }
}

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
    for (const wchar_t* name : {L"Report 2023.docx", L"Report 2024.docx", L"README.txt", L"Zeta.txt"})
        WriteFileBytes(folder / name, "x");
    ASSERT_TRUE(CreateDirectoryW((folder / L"Reports").c_str(), nullptr));
    const t_LaunchItem item{L"ed", L"", L"notepad", L"%typed_command%", folder.Path()};
    // An absolute token, with forward slashes, inside quotes that stay closed.
    const std::wstring slashed = folder.Path().substr(0, folder.Path().size() - 1) + L"/";
    const std::size_t at = 6 + slashed.size(), quoted = 1 + folder.Path().size();
    const std::tuple<std::wstring, std::wstring, t_PathCompletion> completed[] = {
        {L"notepad read", L"notepad README.txt", {8, 12, 18}},
        {L"rep", L"Report", {0, 3, 6}},
        {L"edit \"" + slashed + L"z\"  ", L"edit \"" + slashed + L"Zeta.txt\"  ", {at, at + 1, at + 8}},
        {L"\"" + folder.Path() + L"REPORT 2", L"\"" + folder.Path() + L"Report 202", {quoted, quoted + 8, quoted + 10}},
    };
    for (auto [text, expected, completion] : completed) {
        EXPECT_EQ(CompletePath(t_CustomExecutor(item), text), completion) << text;
        EXPECT_EQ(text, expected);
    }
    // Nothing: names that share nothing (a token that ends in a separator matches "." and ".." too, as on Windows),
    // no match, a complete name, a token no path can be, blank text.
    for (std::wstring text : {folder.Path(), std::wstring(L"cd .\\"), L"x" + folder.Path() + L"\\missing",
                              std::wstring(L"README.txt"), std::wstring(L"type rep|more"), std::wstring(L"  ")}) {
        const std::wstring before = text;
        EXPECT_EQ(CompletePath(t_CustomExecutor(item), text), std::nullopt) << before;
        EXPECT_EQ(text, before);
    }
}

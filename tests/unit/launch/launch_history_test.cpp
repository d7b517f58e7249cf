// A launch history's rules (most recent first, no repeats, 10,000 entries at most) and its part of "History.qln".

#include "launch/launch_history.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

using namespace n_ombrix;
using t_Entries = std::vector<std::wstring>;

TEST(LaunchHistory, LoadingKeepsWhatTheFileSaysAddingPutsTheTextInFrontOnce) {
    t_LaunchHistory history;
    // Empty texts are skipped; repeats, which a hand-edited file may hold, are kept.
    for (const wchar_t* text : {L"a", L"", L"b", L"a", L"A"}) EXPECT_TRUE(history.Append(text));
    EXPECT_EQ(history.Entries(), (t_Entries{L"a", L"b", L"a", L"A"}));
    // Every equal entry goes; equality is exact, letter case and blanks included.
    history.Add(L"a");
    history.Add(L"b ");
    history.Remove(2);
    EXPECT_EQ(history.Entries(), (t_Entries{L"b ", L"a", L"A"}));
}

TEST(LaunchHistory, AFullHistoryDropsItsOldestEntryOnlyForANewText) {
    t_LaunchHistory history;
    for (std::size_t n = 10000; n-- > 0;) history.Append(std::to_wstring(n));
    EXPECT_FALSE(history.Append(L"more"));
    history.Add(L"5000"); // only moves
    history.Add(L"explorer");
    EXPECT_EQ(history.Size(), 10000u);
    EXPECT_EQ(history[9999], L"1");
}

// Read, then written back: the default executor's history and three custom executors', two of which share the
// caption "cmd"; those read the first element of that name.
TEST(HistoryDocument, ReadAndWrittenInTheFilesLayout) {
    const std::wstring text = L"\"Ombrix History\"\r\n    \"default executor\" \"\"=\"notepad a.txt\" \"\"=\"calc\"\r\n"
                              L"    \"custom executors\"\r\n        \"cmd\" \"\"=\"dir /s\"\r\n        \"PwS\"\r\n"
                              L"        \"cmd\" \"\"=\"ver\"\r\n";
    const std::array<std::wstring_view, 3> captions{L"cmd", L"PwS", L"cmd"};
    n_quillane::t_Document document;
    document.Parse(text);
    std::array<t_LaunchHistory, 4> histories;
    ReadHistoryDocument(document, histories, captions);
    EXPECT_EQ(
        (std::array{histories[0].Entries(), histories[1].Entries(), histories[2].Entries(), histories[3].Entries()}),
        (std::array<t_Entries, 4>{t_Entries{L"notepad a.txt", L"calc"}, {L"dir /s"}, {}, {L"dir /s"}}));

    const n_quillane::t_Document all = WriteHistoryDocument(histories, captions);
    EXPECT_EQ(all.Serialise(all.Root()), std::wstring(text).replace(text.find(L"ver"), 3, L"dir /s"));
    // Without custom executors their element is written all the same.
    const n_quillane::t_Document alone = WriteHistoryDocument(std::span(histories).first(1), {});
    EXPECT_EQ(alone.Serialise(alone.Root()), text.substr(0, text.find(L"        ")));
}

TEST(HistoryDocument, EmptyValuesAndMissingPartsReadAsNothing) {
    n_quillane::t_Document document;
    document.Parse(
        L"\"Ombrix History\"\n    \"default executor\" \"\"=\"\" \"\"=\"calc\" \"named\"=\"taken too\" \"\"=\"\"\n");
    std::array<t_LaunchHistory, 2> histories;
    ReadHistoryDocument(document, histories, std::array<std::wstring_view, 1>{L"cmd"});
    EXPECT_EQ((std::array{histories[0].Entries(), histories[1].Entries()}),
              (std::array<t_Entries, 2>{t_Entries{L"calc", L"taken too"}, {}}));
}

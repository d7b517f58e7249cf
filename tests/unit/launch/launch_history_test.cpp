// A launch history's rules (most recent first, no repeats, 10,000 entries at most) and its part of "History.qln".

#include "launch/launch_history.h"

#include <gtest/gtest.h>

#include <array>

using namespace n_ombrix;
using t_Entries = std::vector<std::wstring>;

TEST(LaunchHistory, LoadingKeepsWhatTheFileSaysAddingPutsTheTextInFrontOnceAndAFullHistoryDropsItsOldest) {
    t_LaunchHistory history;
    // Empty texts are skipped; repeats, which a hand-edited file may hold, are kept.
    for (const wchar_t* text : {L"a", L"", L"b", L"a", L"A"}) EXPECT_TRUE(history.Append(text));
    EXPECT_EQ(history.Entries(), (t_Entries{L"a", L"b", L"a", L"A"}));
    // Every equal entry goes; equality is exact, letter case and blanks included.
    history.Add(L"a");
    history.Add(L"b ");
    history.Remove(2);
    EXPECT_EQ(history.Entries(), (t_Entries{L"b ", L"a", L"A"}));

    // Full, the oldest entry goes only for a new text.
    history.Clear();
    for (std::size_t n = 10000; n-- > 0;) history.Append(std::to_wstring(n));
    EXPECT_FALSE(history.Append(L"more"));
    history.Add(L"5000"); // only moves
    history.Add(L"explorer");
    EXPECT_EQ(std::pair(history.Size(), history[9999]), std::pair(std::size_t{10000}, std::wstring(L"1")));
}

// Read (here from the compact form), then written back in the file's layout: the default executor's history and four
// custom executors', two of which share the caption "cmd" (those read the first element of that name) and one of
// which has no element. Empty values are skipped; named ones are taken as well.
TEST(HistoryDocument, ReadAndWrittenInTheFilesLayout) {
    const std::wstring_view text = LR"(("Ombrix History"("default executor" ""="notepad a.txt" ""="" "named"="calc"))"
                                   LR"(("custom executors"("cmd" ""="dir /s")("PwS")("cmd" ""="ver"))))";
    const std::wstring written =
        L"\"Ombrix History\"\r\n    \"default executor\" \"\"=\"notepad a.txt\" \"\"=\"calc\"\r\n"
        L"    \"custom executors\"\r\n        \"cmd\" \"\"=\"dir /s\"\r\n        \"PwS\"\r\n"
        L"        \"cmd\" \"\"=\"dir /s\"\r\n        \"gone\"\r\n";
    const std::array<std::wstring_view, 4> captions{L"cmd", L"PwS", L"cmd", L"gone"};
    n_quillane::t_Document document;
    document.Parse(text);
    std::array<t_LaunchHistory, 5> histories;
    ReadHistoryDocument(document, histories, captions);
    // What was read is what is written.
    const n_quillane::t_Document all = WriteHistoryDocument(histories, captions);
    EXPECT_EQ(all.Serialise(all.Root()), written);
    // Without custom executors their element is written all the same.
    const n_quillane::t_Document alone = WriteHistoryDocument(std::span(histories).first(1), {});
    EXPECT_EQ(alone.Serialise(alone.Root()), written.substr(0, written.find(L"        ")));
}

// A launch history's rules (most recent first, no repeats, 10,000 entries at most) and its part of "History.qln",
// over documents in memory.

#include "launch/launch_history.h"

#include "history_builder.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

using namespace n_ombrix;
using n_ombrix_test::HistoryOf;
using n_ombrix_test::t_Entries;
using n_quillane::t_Document;
using n_quillane::t_Element;

namespace {

std::wstring Numbered(std::size_t n) { return L"cmd /c echo " + std::to_wstring(n); }

// A full history: "cmd /c echo 0" is the oldest entry, "cmd /c echo 9999" the most recent.
t_LaunchHistory FullHistory() {
    t_LaunchHistory history;
    for (std::size_t n = t_LaunchHistory::capacity; n-- > 0;) history.Append(Numbered(n));
    return history;
}

} // namespace

TEST(LaunchHistory, AddingPutsTheTextInFrontOnce) {
    t_LaunchHistory history = HistoryOf({L"notepad", L"calc", L"cmd"});
    history.Add(L"cmd");
    EXPECT_EQ(history.Entries(), (t_Entries{L"cmd", L"notepad", L"calc"}));
    // Equality is exact: a text that differs in letter case or in a trailing blank is another entry.
    history.Add(L"Notepad");
    history.Add(L"calc ");
    EXPECT_EQ(history.Entries(), (t_Entries{L"calc ", L"Notepad", L"cmd", L"notepad", L"calc"}));
    history.Remove(1);
    EXPECT_EQ(history.Entries(), (t_Entries{L"calc ", L"cmd", L"notepad", L"calc"}));
}

TEST(LaunchHistory, AFullHistoryDropsItsOldestEntryOnlyForANewText) {
    t_LaunchHistory history = FullHistory();
    ASSERT_EQ(history.Size(), 10000u);
    // A text already there only moves: nothing is dropped.
    history.Add(Numbered(5000));
    EXPECT_EQ(history.Size(), 10000u);
    EXPECT_EQ(history[0], Numbered(5000));
    EXPECT_EQ(history[9999], Numbered(0));
    // The 10,001st text pushes out the oldest.
    history.Add(L"explorer");
    EXPECT_EQ(history.Size(), 10000u);
    EXPECT_EQ(history[0], L"explorer");
    EXPECT_EQ(history[9999], Numbered(1));
}

TEST(LaunchHistory, LoadingAppendsUpToTheCapacityAndAddingRemovesEveryRepeat) {
    t_LaunchHistory history;
    EXPECT_TRUE(history.Append(L"a"));
    EXPECT_TRUE(history.Append(L""));
    EXPECT_TRUE(history.Append(L"b"));
    EXPECT_TRUE(history.Append(L"a")); // a hand-edited file may repeat itself; loading keeps what it says
    EXPECT_EQ(history.Entries(), (t_Entries{L"a", L"b", L"a"}));
    history.Add(L"a");
    EXPECT_EQ(history.Entries(), (t_Entries{L"a", L"b"}));

    t_LaunchHistory full = FullHistory();
    EXPECT_FALSE(full.Append(L"more"));
    EXPECT_EQ(full.Size(), 10000u);
}

namespace {

// The histories of the default executor and of three custom executors, two of which share the caption "cmd".
class HistoryDocument : public testing::Test {
protected:
    std::array<std::wstring_view, 3> captions_{L"cmd", L"PwS", L"cmd"};
    std::array<t_LaunchHistory, 4> histories_;

    static std::array<t_LaunchHistory, 4> Read(const t_Document& document,
                                               std::span<const std::wstring_view> captions) {
        std::array<t_LaunchHistory, 4> read;
        ReadHistoryDocument(document, std::span(read).first(captions.size() + 1), captions);
        return read;
    }

    static t_Document Reparsed(const t_Document& document) {
        t_Document parsed;
        parsed.Parse(document.Serialise(document.Root()));
        return parsed;
    }
};

} // namespace

TEST_F(HistoryDocument, SavedHistoriesReadBackInOrder) {
    histories_[0] = HistoryOf({L"\"C:\\Program Files\\App\\app.exe\" --flag \"a b\"", L"calc", L"%TEMP%"});
    histories_[1] = HistoryOf({L"dir /s", L"ver"});
    histories_[2] = HistoryOf({L"Get-Process | Sort-Object CPU"});
    histories_[3] = HistoryOf({L"echo lost"});

    const std::array<t_LaunchHistory, 4> read = Read(Reparsed(WriteHistoryDocument(histories_, captions_)), captions_);
    EXPECT_EQ(read[0].Entries(), histories_[0].Entries());
    EXPECT_EQ(read[1].Entries(), histories_[1].Entries());
    EXPECT_EQ(read[2].Entries(), histories_[2].Entries());
    // Executors that share a caption share one element when read: the first one written.
    EXPECT_EQ(read[3].Entries(), histories_[1].Entries());
}

TEST_F(HistoryDocument, WrittenInTheFilesLayout) {
    histories_[0] = HistoryOf({L"b", L"a"});
    const t_Document document = WriteHistoryDocument(std::span(histories_).first(1), {});
    const t_Element root = document.Root();
    EXPECT_EQ(document.Name(root), L"Ombrix History");
    const t_Element standard = document.FirstChild(root);
    EXPECT_EQ(document.Name(standard), L"default executor");
    const auto first = document.FirstAttribute(standard);
    EXPECT_EQ(document.Name(first), L"");
    EXPECT_EQ(document.Value(first), L"b");
    EXPECT_EQ(document.Value(document.NextAttribute(standard, first)), L"a");
    // The custom executors' element is there even without any.
    const t_Element custom = document.NextSibling(standard);
    EXPECT_EQ(document.Name(custom), L"custom executors");
    EXPECT_EQ(document.FirstChild(custom), n_quillane::nullElement);
}

TEST_F(HistoryDocument, EmptyValuesAndMissingPartsReadAsNothing) {
    t_Document document;
    const t_Element root = document.CreateRoot(L"Ombrix History");
    const t_Element standard = document.AppendChild(root, L"default executor");
    for (const wchar_t* value : {L"", L"notepad", L"", L"calc", L""}) document.AddAttribute(standard, L"", value);
    document.AddAttribute(standard, L"named", L"taken too");
    // No "custom executors" element at all.
    document.Finish();

    const std::array<t_LaunchHistory, 4> read = Read(Reparsed(document), captions_);
    EXPECT_EQ(read[0].Entries(), (t_Entries{L"notepad", L"calc", L"taken too"}));
    EXPECT_TRUE(read[1].Empty());
    EXPECT_TRUE(read[2].Empty());
    EXPECT_TRUE(read[3].Empty());
}

// Which history entries the command box offers while the user types, in which order, and how the cursor steps
// through them.

#include "launch/history_candidates.h"

#include "history_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <random>
#include <string>
#include <vector>

using namespace n_ombrix;
using n_ombrix_test::HistoryOf;
using n_ombrix_test::t_Entries;

namespace {

t_Entries Offered(const t_HistoryCandidates& candidates) {
    t_Entries offered;
    for (std::size_t i = 0; i < candidates.Count(); ++i) offered.push_back(candidates[i]);
    return offered;
}

class HistoryCandidates : public testing::Test {
protected:
    void Use(const t_Entries& mostRecentFirst) {
        history_ = HistoryOf(mostRecentFirst);
        candidates_.Reset(&history_);
    }

    t_LaunchHistory history_;
    t_HistoryCandidates candidates_;
    std::wstring text_ = L"typed";
};

} // namespace

TEST_F(HistoryCandidates, EarlierMatchesComeFirstThenTheTextIgnoringCase) {
    Use({L"notepad", L"my notes", L"Notebook"});
    candidates_.UpdateQuery(L"note");
    EXPECT_EQ(Offered(candidates_), (t_Entries{L"Notebook", L"notepad", L"my notes"}));
    // Narrowing keeps the order rule; the query's letter case does not matter.
    candidates_.UpdateQuery(L"NOTEP");
    EXPECT_EQ(Offered(candidates_), (t_Entries{L"notepad"}));
    candidates_.UpdateQuery(L"");
    EXPECT_EQ(Offered(candidates_), (t_Entries{L"notepad", L"my notes", L"Notebook"}));
    candidates_.UpdateQuery(L"zzz");
    EXPECT_EQ(Offered(candidates_), (t_Entries{}));
}

TEST_F(HistoryCandidates, TextsEqualIgnoringCaseKeepHistoryOrder) {
    Use({L"xab", L"AB", L"ab", L"Ab c", L"aB"});
    candidates_.UpdateQuery(L"a");
    EXPECT_EQ(Offered(candidates_), (t_Entries{L"AB", L"ab", L"aB", L"Ab c", L"xab"}));
    candidates_.UpdateQuery(L"aB");
    EXPECT_EQ(Offered(candidates_), (t_Entries{L"AB", L"ab", L"aB", L"Ab c", L"xab"}));
    // Once the most recent of them is launched again it leads.
    history_.Add(L"aB");
    candidates_.Reset(&history_);
    candidates_.UpdateQuery(L"ab");
    EXPECT_EQ(Offered(candidates_), (t_Entries{L"aB", L"AB", L"ab", L"Ab c", L"xab"}));
}

TEST_F(HistoryCandidates, TheCursorWrapsAtBothEnds) {
    Use({L"one", L"two", L"three"});
    EXPECT_EQ(candidates_.Cursor(), std::nullopt);
    EXPECT_TRUE(candidates_.Next(text_));
    EXPECT_EQ(text_, L"one");
    EXPECT_TRUE(candidates_.Previous(text_));
    EXPECT_EQ(text_, L"three");
    EXPECT_TRUE(candidates_.Next(text_));
    EXPECT_EQ(text_, L"one");
    EXPECT_EQ(candidates_.Cursor(), 0u);

    // From no candidate, stepping back starts at the last one.
    candidates_.Reset(&history_);
    EXPECT_TRUE(candidates_.Previous(text_));
    EXPECT_EQ(text_, L"three");
    EXPECT_TRUE(candidates_.Previous(text_));
    EXPECT_EQ(text_, L"two");
}

TEST_F(HistoryCandidates, ASingleOrMissingCandidateStopsTheCursor) {
    Use({L"only"});
    EXPECT_TRUE(candidates_.Previous(text_));
    EXPECT_EQ(text_, L"only");
    text_ = L"edited";
    EXPECT_FALSE(candidates_.Next(text_));
    EXPECT_FALSE(candidates_.Previous(text_));
    EXPECT_EQ(text_, L"edited");
    EXPECT_EQ(candidates_.Cursor(), 0u);

    candidates_.UpdateQuery(L"x");
    EXPECT_FALSE(candidates_.Next(text_));
    EXPECT_FALSE(candidates_.Previous(text_));
    EXPECT_EQ(text_, L"edited");
    EXPECT_EQ(candidates_.Cursor(), std::nullopt);
}

TEST_F(HistoryCandidates, TheCursorIsDroppedOnlyWhenTheCandidatesChange) {
    Use({L"alpha", L"beta", L"alphabet"});
    candidates_.UpdateQuery(L"al");
    ASSERT_TRUE(candidates_.Next(text_));
    ASSERT_TRUE(candidates_.Next(text_));
    EXPECT_EQ(text_, L"alphabet");
    candidates_.UpdateQuery(L"AL"); // the same query
    EXPECT_EQ(candidates_.Cursor(), 1u);
    EXPECT_EQ(candidates_.Query(), L"al");
    candidates_.UpdateQuery(L"alp"); // the same candidates
    EXPECT_EQ(candidates_.Cursor(), 1u);
    candidates_.UpdateQuery(L"alphab");
    EXPECT_EQ(candidates_.Cursor(), std::nullopt);
}

TEST_F(HistoryCandidates, CompletionTakesTheFirstCandidateThatBeginsWithTheText) {
    Use({L"cmd /k dir", L"control", L"Calc", L"CMD"});
    std::wstring text = L"cm";
    EXPECT_TRUE(candidates_.CompleteFromHistory(text));
    EXPECT_EQ(text, L"cmd /k dir");
    EXPECT_EQ(candidates_.Cursor(), 0u);
    candidates_.UpdateQuery(L"c");
    text = L"cmd";
    EXPECT_TRUE(candidates_.CompleteFromHistory(text));
    EXPECT_EQ(text, L"CMD"); // the query's order puts it before "cmd /k dir"
    EXPECT_EQ(candidates_.Cursor(), 1u);

    text = L"x";
    EXPECT_FALSE(candidates_.CompleteFromHistory(text));
    EXPECT_EQ(text, L"x");
    EXPECT_EQ(candidates_.Cursor(), std::nullopt);
    text.clear();
    EXPECT_FALSE(candidates_.CompleteFromHistory(text));
}

TEST_F(HistoryCandidates, RemovingKeepsTheCursorOnItsCandidate) {
    Use({L"a1", L"a2", L"a3", L"a4"});
    candidates_.UpdateQuery(L"a");
    ASSERT_TRUE(candidates_.Previous(text_));
    ASSERT_TRUE(candidates_.Previous(text_));
    ASSERT_EQ(text_, L"a3");
    candidates_.Remove(0);
    EXPECT_EQ(history_.Entries(), (t_Entries{L"a2", L"a3", L"a4"}));
    EXPECT_EQ(Offered(candidates_), (t_Entries{L"a2", L"a3", L"a4"}));
    EXPECT_EQ(candidates_.Cursor(), 1u);
    candidates_.Remove(2);
    EXPECT_EQ(candidates_.Cursor(), 1u);
    // The cursor's own candidate: the cursor stays in place, on the last when it was the last.
    candidates_.Remove(1);
    EXPECT_EQ(Offered(candidates_), (t_Entries{L"a2"}));
    EXPECT_EQ(candidates_.Cursor(), 0u);
    candidates_.Remove(0);
    EXPECT_EQ(candidates_.Cursor(), std::nullopt);
    EXPECT_TRUE(history_.Empty());
    // The narrowed list still follows the history after removals.
    history_.Add(L"b");
    history_.Add(L"ab");
    candidates_.Reset(&history_);
    candidates_.UpdateQuery(L"b");
    candidates_.Remove(1);
    candidates_.UpdateQuery(L"b ");
    candidates_.UpdateQuery(L"b");
    EXPECT_EQ(Offered(candidates_), (t_Entries{L"b"}));
}

namespace {

// The order stated plainly: the whole history for an empty query; otherwise filter it, then sort stably by where
// the query occurs and by the upper-cased text.
std::vector<std::uint32_t> ReferenceCandidates(const t_Entries& entries, const std::wstring& query) {
    const auto upper = [](std::wstring text) {
        for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(c)));
        return text;
    };
    const std::wstring upperQuery = upper(query);
    std::vector<std::uint32_t> indices;
    for (std::uint32_t i = 0; i < entries.size(); ++i)
        if (upper(entries[i]).find(upperQuery) != std::wstring::npos) indices.push_back(i);
    if (query.empty()) return indices;
    std::stable_sort(indices.begin(), indices.end(), [&](std::uint32_t a, std::uint32_t b) {
        const std::wstring upperA = upper(entries[a]);
        const std::wstring upperB = upper(entries[b]);
        const std::size_t positionA = upperA.find(upperQuery);
        const std::size_t positionB = upperB.find(upperQuery);
        return positionA != positionB ? positionA < positionB : upperA < upperB;
    });
    return indices;
}

} // namespace

// Random histories, heavy in texts that differ only in letter case, and random typing: adding and deleting letters,
// removing candidates and launching. Whatever path led to a query, the candidates are those of a fresh search.
TEST(HistoryCandidatesProperty, NarrowingGivesWhatARestartGives) {
    std::mt19937 random(20240611); // fixed random start value: every run sees the same cases
    const std::wstring alphabet = L"aAbBc ";
    const auto letter = [&] { return alphabet[random() % alphabet.size()]; };
    const auto word = [&] {
        std::wstring text(1 + random() % 12, L' ');
        for (wchar_t& c : text) c = letter();
        return text;
    };

    for (int round = 0; round < 200; ++round) {
        t_LaunchHistory history;
        const std::size_t size = random() % 60;
        for (std::size_t i = 0; i < size; ++i) {
            // Loading may bring repeats; launching never does.
            if (random() % 4 == 0)
                history.Append(word());
            else
                history.Add(word());
        }
        t_HistoryCandidates candidates;
        candidates.Reset(&history);
        std::wstring query;
        for (int step = 0; step < 60; ++step) {
            const unsigned action = random() % 10;
            if (action < 6) {
                query += letter();
            } else if (action < 8) {
                if (!query.empty()) query.pop_back();
            } else if (action == 8 && candidates.Count() > 0) {
                candidates.Remove(random() % candidates.Count());
            } else {
                history.Add(word());
                candidates.Reset(&history);
                query.clear();
            }
            candidates.UpdateQuery(query);
            ASSERT_EQ(candidates.Indices(), ReferenceCandidates(history.Entries(), query))
                << "round " << round << ", step " << step;
        }
    }
}

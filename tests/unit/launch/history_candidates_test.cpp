// Which history entries the command box offers while the user types, in which order, and how the cursor steps
// through them.

#include "launch/history_candidates.h"
#include "system/upper_case.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

using namespace n_ombrix;
using n_zql::n_system::UpperCased;

namespace {

using t_Entries = std::vector<std::wstring>;

// Plays what the user does in the command box over a history built as launches build it; each step is
// "action = outcome". Actions: "n" Next, "p" Previous, "q<text>" typing the text, "c<text>" completing the text,
// "r<position>" removing that candidate. The outcome: "no: " when the call refused; "still <query>: " when typing
// left the query as it was; after typing or removing, the candidates separated by '|', after stepping or completing,
// the text in the box; " [cursor]" when there is one.
void Play(const t_Entries& mostRecentFirst, const std::vector<std::wstring>& steps) {
    t_LaunchHistory history;
    for (auto entry = mostRecentFirst.rbegin(); entry != mostRecentFirst.rend(); ++entry) history.Add(*entry);
    t_HistoryCandidates candidates;
    candidates.Reset(&history);
    std::wstring text;
    for (const std::wstring& step : steps) {
        const std::size_t equals = step.find(L" = ");
        const std::wstring argument = step.substr(1, equals - 1);
        if (step[0] == L'q') candidates.UpdateQuery(text = argument);
        if (step[0] == L'r') candidates.Remove(std::stoul(argument));
        const bool done = step[0] == L'n'   ? candidates.Next(text)
                          : step[0] == L'p' ? candidates.Previous(text)
                                            : step[0] != L'c' || candidates.CompleteFromHistory(text = argument);
        const bool listed = step[0] == L'q' || step[0] == L'r';
        std::wstring outcome = step.substr(0, equals + 3) + (done ? L"" : L"no: ") + (listed ? L"" : text);
        if (step[0] == L'q' && candidates.Query() != argument) outcome += L"still " + candidates.Query() + L": ";
        for (std::size_t i = 0; listed && i < candidates.Count(); ++i) outcome += (i == 0 ? L"" : L"|") + candidates[i];
        if (candidates.Cursor()) outcome += L" [" + std::to_wstring(*candidates.Cursor()) + L"]";
        EXPECT_EQ(outcome, step);
    }
}

// The order stated plainly: the whole history for an empty query; otherwise the entries that hold it (upper-cased as
// the program does) by where it occurs, then by the upper-cased text, then in history order.
std::vector<std::uint32_t> Reference(const t_Entries& entries, const std::wstring& query) {
    std::set<std::tuple<std::size_t, std::wstring, std::uint32_t>> found; // where, upper-cased text, history order
    for (std::uint32_t i = 0; i < entries.size(); ++i)
        if (const std::wstring upper = UpperCased(entries[i]); upper.find(UpperCased(query)) != std::wstring::npos)
            found.emplace(upper.find(UpperCased(query)), query.empty() ? L"" : upper, i);
    std::vector<std::uint32_t> indices;
    for (const auto& match : found) indices.push_back(std::get<2>(match));
    return indices;
}

} // namespace

// Completion takes the first candidate that begins with the text. The cursor wraps at both ends, follows its
// candidate and is dropped when the candidates change. The candidates' order itself is the property test's.
TEST(HistoryCandidates, CompletionAndTheCursorFollowTheCandidates) {
    Play({L"cmd /k dir", L"control", L"Calc", L"CMD"},
         {L"ccm = cmd /k dir [0]", L"qc = Calc|CMD|cmd /k dir|control", L"ccmd = CMD [1]", L"cx = no: x", L"c = no: "});
    Play({L"pad", L"pen", L"paddle"},
         {L"n = pad [0]", L"p = paddle [2]", L"n = pad [0]", L"qpa = pad|paddle", L"p = paddle [1]",
          L"qPA = still pa: pad|paddle [1]", L"qPAD = pad|paddle [1]", L"qpadd = paddle", L"p = paddle [0]",
          L"qpaddl = paddle [0]", L"n = no: paddl [0]", L"qx = ", L"n = no: x", L"p = no: x"});
    // Removing a candidate keeps the cursor on its candidate, or in its place when it was the one removed.
    Play({L"a1", L"a2", L"a3", L"a4"}, {L"qa = a1|a2|a3|a4", L"p = a4 [3]", L"p = a3 [2]", L"r0 = a2|a3|a4 [1]",
                                        L"r2 = a2|a3 [1]", L"r1 = a2 [0]", L"r0 = "});
}

// Random loaded histories, their texts cut from a text of the same few letters in both cases, and random typing:
// adding and deleting letters, removing candidates, launching. Whatever path led to a query, the candidates are
// those of a fresh search.
TEST(HistoryCandidatesProperty, NarrowingGivesWhatARestartGives) {
    std::mt19937 random(20240611); // fixed random start value: every run sees the same cases
    const std::wstring pool = L"aAbB cab AbA BAa cBAb abAB aab BaA ca Bb ABa";
    const auto word = [&] { return pool.substr(random() % pool.size()).substr(0, 1 + random() % 12); };
    for (int round = 0; round < 200; ++round) {
        t_LaunchHistory history;
        for (std::size_t i = random() % 60; i-- > 0;) history.Append(word()); // a loaded file may hold repeats
        t_HistoryCandidates candidates;
        candidates.Reset(&history);
        std::wstring query;
        for (int step = 0; step < 60; ++step) {
            const unsigned action = random() % 10;
            if (action < 5) query += pool[random() % pool.size()];
            if (action >= 5 && action < 8 && !query.empty()) query.pop_back();
            if (action == 8 && candidates.Count() > 0) candidates.Remove(random() % candidates.Count());
            if (action == 9) history.Add(word());
            if (action == 9) candidates.Reset(&history);
            candidates.UpdateQuery(query);
            ASSERT_EQ(candidates.Indices(), Reference(history.Entries(), query)) << "step " << round << '.' << step;
        }
    }
}

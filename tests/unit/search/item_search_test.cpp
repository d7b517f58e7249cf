// Which catalogue items the list shows while the user types, and in which order.

#include "search/item_search.h"
#include "system/upper_case.h"

#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <set>
#include <tuple>

using namespace n_ombrix;
using n_zql::n_system::UpperCased;

namespace {

struct t_TestItem {
    std::wstring name, description{};
    bool folder = false;

    const std::wstring& DisplayName() const { return name; }
    bool IsFolder() const { return folder; }
    bool HasDescription() const { return !description.empty(); }
    const std::wstring& GetDescription() const { return description; }
};

// The names separated by '|'.
std::wstring Names(const std::vector<t_TestItem*>& items) {
    std::wstring names;
    for (const t_TestItem* item : items) names += (item == items.front() ? L"" : L"|") + item->name;
    return names;
}

// The order stated plainly: the items whose name, or else whose description, holds the query (upper-cased as the
// program does), by where it occurs, then by the upper-cased name, then in the order added.
std::vector<t_TestItem*> Reference(std::deque<t_TestItem>& items, const std::wstring& query, bool noFolders) {
    std::set<std::tuple<std::size_t, std::wstring, std::size_t>> found; // where, upper-cased name, order added
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::wstring name = UpperCased(items[i].name);
        std::size_t at = name.find(UpperCased(query));
        if (at == std::wstring::npos) at = UpperCased(items[i].description).find(UpperCased(query));
        if (at != std::wstring::npos && !(noFolders && items[i].folder)) found.emplace(at, name, i);
    }
    std::vector<t_TestItem*> sorted;
    for (const auto& match : found) sorted.push_back(&items[std::get<2>(match)]);
    return sorted;
}

} // namespace

// Folders left out, and the rest of the rules on every kind of path to a query, are the property test's.
TEST(ItemSearch, EarlierMatchesComeFirstThenTheNameThenTheOrderAdded) {
    std::deque<t_TestItem> items{{L"Viewer", L"Text"}, {L"My Texts", L"Texts"}};
    for (const wchar_t* name : {L"Notepad", L"WordPad", L"Paddle", L"pad_", L"Pad", L"pad", L"PAD"})
        items.push_back({name});
    t_ItemSearch<t_TestItem> search;
    for (t_TestItem& item : items) search.Add(item);
    // Names are compared upper-cased, unit by unit: "_" comes after the letters.
    EXPECT_EQ(Names(search.Search(L"pad", false)), L"Pad|pad|PAD|Paddle|pad_|Notepad|WordPad");
    // An empty query matches nothing. A name that holds the query places the item, even when the description has
    // the query earlier; otherwise the description does.
    EXPECT_EQ(Names(search.Search(L"", false)), L"");
    EXPECT_EQ(Names(search.Search(L"ex", false)), L"Viewer|My Texts");
    // The same query in other letters is not searched again.
    EXPECT_EQ(Names(search.Search(L"EX", false)), L"Viewer|My Texts");
    EXPECT_EQ(search.LastQuery(), L"ex");

    search.Reset();
    EXPECT_TRUE(search.AllItems().empty() && search.Results().empty() && search.LastQuery().empty());
}

// Random catalogues, their names and descriptions cut from a text of the same few letters in both cases, and random
// typing: adding and deleting letters, leaving folders out or not, adding items. Whatever path led to a query, the
// answer is that of a search over every item.
TEST(ItemSearchProperty, NarrowingGivesWhatARestartGives) {
    std::mt19937 random(20240917); // fixed random start value: every run sees the same cases
    const std::wstring pool = L"aAbB cab AbA BAa cBAb abAB aab BaA ca Bb ABa";
    const auto text = [&](unsigned most) { return pool.substr(random() % pool.size()).substr(0, random() % most); };
    for (int round = 0; round < 100; ++round) {
        std::deque<t_TestItem> items;
        t_ItemSearch<t_TestItem> search;
        std::wstring query;
        for (int step = 0; step < 100; ++step) {
            const unsigned action = step < 30 ? 0 : random() % 10;
            if (action == 0)
                search.Add(items.emplace_back(t_TestItem{text(11), random() % 3 ? L"" : text(15), random() % 5 == 0}));
            if (action > 0 && action < 5 && query.size() > 1) query.pop_back();
            if (action >= 5 || query.empty()) query += pool[random() % pool.size()];
            const bool noFolders = random() % 4 == 0;
            ASSERT_EQ(search.Search(query, noFolders), Reference(items, query, noFolders)) << round << '.' << step;
        }
    }
}

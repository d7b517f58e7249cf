// Which catalogue items the list shows while the user types, and in which order.

#include "search/item_search.h"
#include "system/upper_case.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <random>
#include <string>
#include <tuple>
#include <vector>

using namespace n_ombrix;
using n_zql::n_system::UpperCased;

namespace {

struct t_TestItem {
    std::wstring name;
    std::wstring description;
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
    std::vector<std::tuple<std::size_t, std::wstring, std::size_t>> found; // where, upper-cased name, order added
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::wstring name = UpperCased(items[i].name);
        std::size_t at = name.find(UpperCased(query));
        if (at == std::wstring::npos) at = UpperCased(items[i].description).find(UpperCased(query));
        if (at != std::wstring::npos && !(noFolders && items[i].folder)) found.emplace_back(at, name, i);
    }
    std::sort(found.begin(), found.end());
    std::vector<t_TestItem*> sorted;
    for (const auto& match : found) sorted.push_back(&items[std::get<2>(match)]);
    return sorted;
}

} // namespace

TEST(ItemSearch, EarlierMatchesComeFirstThenTheNameThenTheOrderAdded) {
    std::deque<t_TestItem> items{{L"Viewer", L"Text"}, {L"My Texts", L"Texts"}, {L"Accessories", L"", true}};
    for (const wchar_t* name : {L"Notepad", L"WordPad", L"Paddle", L"pad_", L"Pad", L"pad", L"PAD", L"Access Manager"})
        items.push_back({name, L""});
    t_ItemSearch<t_TestItem> search;
    for (t_TestItem& item : items) search.Add(item);
    // Names are compared upper-cased, unit by unit: "_" comes after the letters.
    EXPECT_EQ(Names(search.Search(L"pad", false)), L"Pad|pad|PAD|Paddle|pad_|Notepad|WordPad");
    // A name that holds the query places the item, even when the description has the query earlier; otherwise the
    // description does. Nothing matches across the two, and an empty query matches nothing.
    EXPECT_EQ(Names(search.Search(L"ex", false)), L"Viewer|My Texts");
    EXPECT_EQ(Names(search.Search(L"rte", false)), L"");
    EXPECT_EQ(Names(search.Search(L"", false)), L"");
    // Wanting folders again brings them back, also for a query that extends the last one.
    EXPECT_EQ(Names(search.Search(L"acc", true)), L"Access Manager");
    EXPECT_EQ(Names(search.Search(L"acce", false)), L"Access Manager|Accessories");
    // The same query in other letters is not searched again.
    EXPECT_EQ(Names(search.Search(L"ACCE", false)), L"Access Manager|Accessories");
    EXPECT_EQ(search.LastQuery(), L"acce");

    search.Reset();
    EXPECT_TRUE(search.AllItems().empty() && search.Results().empty() && search.LastQuery().empty());
}

// Random catalogues, their names and descriptions cut from a text of the same few letters in both cases, and random
// typing: adding and deleting letters, leaving folders out or not, adding items. Whatever path led to a query, the
// answer is that of a search over every item.
TEST(ItemSearchProperty, NarrowingGivesWhatARestartGives) {
    std::mt19937 random(20240917); // fixed random start value: every run sees the same cases
    const std::wstring pool = L"aAbB cab AbA BAa cBAb abAB aab BaA ca Bb ABa";
    const auto letter = [&] { return pool[random() % pool.size()]; };
    const auto text = [&](unsigned longest) {
        return pool.substr(random() % pool.size()).substr(0, random() % longest);
    };
    for (int round = 0; round < 100; ++round) {
        std::deque<t_TestItem> items;
        t_ItemSearch<t_TestItem> search;
        std::wstring query;
        for (int step = 0; step < 100; ++step) {
            const unsigned action = step < 30 ? 0 : random() % 10;
            if (action == 0)
                search.Add(items.emplace_back(t_TestItem{text(11), random() % 3 ? L"" : text(15), random() % 5 == 0}));
            if (action > 0 && action < 5 && query.size() > 1) query.pop_back();
            if (action >= 5 || query.empty()) query += letter();
            const bool excludeFolders = random() % 4 == 0;
            ASSERT_EQ(search.Search(query, excludeFolders), Reference(items, query, excludeFolders))
                << "round " << round << ", step " << step;
        }
    }
}

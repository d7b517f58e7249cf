// Which catalogue items the list shows while the user types, and in which order.

#include "search/item_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <deque>
#include <random>
#include <string>
#include <utility>
#include <vector>

using namespace n_ombrix;

namespace {

struct t_TestItem {
    t_TestItem() = default;
    t_TestItem(std::wstring name, std::wstring description = {}, bool folder = false)
        : name(std::move(name)), description(std::move(description)), folder(folder) {}

    std::wstring name;
    std::wstring description;
    bool folder = false;

    const std::wstring& DisplayName() const { return name; }
    bool IsFolder() const { return folder; }
    bool HasDescription() const { return !description.empty(); }
    const std::wstring& GetDescription() const { return description; }
};

using t_Search = t_ItemSearch<t_TestItem>;
using t_Names = std::vector<std::wstring>;

t_Names Names(const std::vector<t_TestItem*>& items) {
    t_Names names;
    for (const t_TestItem* item : items) names.push_back(item->name);
    return names;
}

class ItemSearch : public testing::Test {
protected:
    void Use(std::vector<t_TestItem> items) {
        items_.assign(items.begin(), items.end());
        search_.Reset();
        search_.Reserve(items_.size());
        for (t_TestItem& item : items_) search_.Add(item);
    }
    t_Names Find(std::wstring_view query, bool excludeFolders = false) {
        return Names(search_.Search(query, excludeFolders));
    }

    std::deque<t_TestItem> items_; // addresses stay put
    t_Search search_;
};

} // namespace

TEST_F(ItemSearch, EarlierMatchesComeFirstThenTheNameThenTheOrderAdded) {
    Use({{L"Notepad"}, {L"WordPad"}, {L"Paddle"}, {L"Paint"}});
    EXPECT_EQ(Find(L"pad"), (t_Names{L"Paddle", L"Notepad", L"WordPad"}));

    // Names equal but for case keep the order they were added in; ordering is by the upper-cased name, so "b" and
    // "B" sort together, and "_" (between the upper and lower case letters) after both.
    Use({{L"x_"}, {L"xb"}, {L"XB"}, {L"xa"}, {L"Xb"}, {L"nox"}});
    EXPECT_EQ(Find(L"x"), (t_Names{L"xa", L"xb", L"XB", L"Xb", L"x_", L"nox"}));
}

TEST_F(ItemSearch, ADescriptionMatchesOnlyWhenTheNameDoesNot) {
    Use({{L"Editor", L"Plain text editor"},
         {L"My Texts", L"Text collection"},
         {L"Viewer", L"Text viewer"},
         {L"Texture Studio"},
         {L"", L"texts without a name"},
         {L""},
         {L"Calculator", L"Adds up numbers"}});
    // A description match is placed by where the query occurs in the description, its ties still by name; a name
    // match is placed by the name even when the description has the query earlier.
    EXPECT_EQ(Find(L"text"), (t_Names{L"", L"Texture Studio", L"Viewer", L"My Texts", L"Editor"}));
    EXPECT_EQ(Find(L"e"), (t_Names{L"Editor", L"", L"Texture Studio", L"Viewer", L"My Texts", L"Calculator"}));
    EXPECT_EQ(Find(L"numbers"), (t_Names{L"Calculator"}));
    EXPECT_EQ(Find(L"Calculators"), (t_Names{}));
}

TEST_F(ItemSearch, FoldersAreLeftOutWhenAsked) {
    Use({{L"Accessories", L"", true}, {L"Access Manager"}, {L"Tools", L"Accessibility", true}});
    EXPECT_EQ(Find(L"acc"), (t_Names{L"Access Manager", L"Accessories", L"Tools"}));
    EXPECT_EQ(Find(L"acc", true), (t_Names{L"Access Manager"}));
    // Wanting folders again brings them back, even for a query that extends the last one.
    EXPECT_EQ(Find(L"acce"), (t_Names{L"Access Manager", L"Accessories", L"Tools"}));
    EXPECT_EQ(Find(L"acces", true), (t_Names{L"Access Manager"}));
    EXPECT_EQ(Find(L"access"), (t_Names{L"Access Manager", L"Accessories", L"Tools"}));
}

TEST_F(ItemSearch, TypingNarrowsAndDeletingStartsAgain) {
    Use({{L"Notepad"}, {L"Snipping Tool"}, {L"Calculator"}, {L"Control Panel"}});
    const std::vector<t_TestItem*>& results = search_.Search(L"n", false);
    const t_Names first = Names(results);
    EXPECT_EQ(first, (t_Names{L"Notepad", L"Snipping Tool", L"Control Panel"}));
    EXPECT_EQ(Find(L"no"), (t_Names{L"Notepad"}));
    EXPECT_EQ(Find(L"n"), first);

    // The same query in another case is not searched again: the answer and the query it answers stay.
    Find(L"no");
    const std::vector<t_TestItem*>& again = search_.Search(L"NO", false);
    EXPECT_EQ(&again, &results);
    EXPECT_EQ(Names(again), (t_Names{L"Notepad"}));
    EXPECT_EQ(search_.LastQuery(), L"no");

    // An item added after a search is found by the next one, even one that extends the last query.
    items_.push_back({L"Notes"});
    search_.Add(items_.back());
    EXPECT_EQ(Find(L"not"), (t_Names{L"Notepad", L"Notes"}));

    search_.Reset();
    EXPECT_TRUE(search_.AllItems().empty());
    EXPECT_TRUE(search_.Results().empty());
    EXPECT_EQ(search_.LastQuery(), L"");
    EXPECT_EQ(Find(L"n"), (t_Names{}));
}

namespace {

// The order stated plainly, upper-casing as it goes: filter every item, then sort stably by position and name.
std::vector<t_TestItem*> ReferenceSearch(std::deque<t_TestItem>& items, const std::wstring& query,
                                         bool excludeFolders) {
    const auto upper = [](wchar_t c) { return std::towupper(static_cast<std::wint_t>(c)); };
    const auto find = [&](const std::wstring& text) -> std::size_t {
        for (std::size_t start = 0; start + query.size() <= text.size(); ++start)
            if (std::equal(query.begin(), query.end(), text.begin() + static_cast<std::ptrdiff_t>(start),
                           [&](wchar_t a, wchar_t b) { return upper(a) == upper(b); }))
                return start;
        return std::wstring::npos;
    };
    std::vector<std::pair<t_TestItem*, std::size_t>> matches;
    for (t_TestItem& item : items) {
        if (excludeFolders && item.folder) continue;
        std::size_t position = item.name.empty() ? std::wstring::npos : find(item.name);
        if (position == std::wstring::npos && item.HasDescription()) position = find(item.description);
        if (position != std::wstring::npos) matches.emplace_back(&item, position);
    }
    std::stable_sort(matches.begin(), matches.end(), [&](const auto& a, const auto& b) {
        if (a.second != b.second) return a.second < b.second;
        return std::lexicographical_compare(a.first->name.begin(), a.first->name.end(), b.first->name.begin(),
                                            b.first->name.end(),
                                            [&](wchar_t x, wchar_t y) { return upper(x) < upper(y); });
    });
    std::vector<t_TestItem*> result;
    for (const auto& match : matches) result.push_back(match.first);
    return result;
}

} // namespace

// Random catalogues heavy in names that differ only in case, and random typing: adding and deleting letters, now and
// then leaving folders out or not. Whatever path led to a query, the answer is that of a search over every item.
TEST(ItemSearchProperty, NarrowingGivesWhatARestartGives) {
    std::mt19937 random(20240917); // fixed random start value: every run sees the same cases
    const std::wstring alphabet = L"aAbBc ";
    const auto letter = [&] { return alphabet[random() % alphabet.size()]; };
    const auto text = [&](std::size_t longest) {
        std::wstring value(random() % (longest + 1), L' ');
        for (wchar_t& c : value) c = letter();
        return value;
    };

    for (int round = 0; round < 200; ++round) {
        std::deque<t_TestItem> items(random() % 50);
        for (t_TestItem& item : items) {
            item.name = text(10);
            if (random() % 3 == 0) item.description = text(14);
            item.folder = random() % 5 == 0;
        }
        t_Search search;
        for (t_TestItem& item : items) search.Add(item);
        std::wstring query;
        bool excludeFolders = false;
        for (int step = 0; step < 60; ++step) {
            const unsigned action = random() % 10;
            if (action < 6 || query.size() < 2)
                query += letter();
            else if (action < 9)
                query.pop_back();
            else
                excludeFolders = !excludeFolders;
            ASSERT_EQ(search.Search(query, excludeFolders), ReferenceSearch(items, query, excludeFolders))
                << "round " << round << ", step " << step;
        }
    }
}

// The finishing pass over small trees of a neutral item: order, merging, lifting single items, and which items
// survive.

#include "catalogue/catalogue_tidy.h"

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

using namespace n_ombrix;

namespace {

struct t_Item {
    std::wstring name;
    bool folder = false;
    std::vector<t_Item*> children{};

    const std::wstring& DisplayName() const { return name; }
    bool IsFolder() const { return folder; }
    std::vector<t_Item*>& GetMutableChildren() { return children; }
};

// "a Games[ Chess Solitaire ]": names without spaces, a folder's name followed by '[', its children and ']'. Items
// are owned in the order written, as the scan owns them.
std::vector<t_Item*> Parse(std::wistream&& in, std::vector<std::unique_ptr<t_Item>>& owned) {
    std::vector<t_Item*> list;
    for (std::wstring name; in >> name && name != L"]";) {
        list.push_back(owned.emplace_back(new t_Item{name.substr(0, name.find(L'[')), name.ends_with(L'[')}).get());
        if (list.back()->folder) list.back()->children = Parse(std::move(in), owned);
    }
    return list;
}

// The same form, each item followed by a space.
std::wstring Render(const std::vector<t_Item*>& list) {
    std::wstring out;
    for (const t_Item* item : list) out += item->name + (item->folder ? L"[ " + Render(item->children) + L"] " : L" ");
    return out;
}

} // namespace

// Each tree tidied, then the items kept from those scanned, in scan order.
TEST(CatalogueTidy, SortsMergesEqualNamesAndLiftsSingleItemsUntilNothingChanges) {
    const std::tuple<const wchar_t*, bool, std::wstring_view> cases[] = {
        // Names compare as _wcsicmp does: folded to lower case ('_' before the letters), a prefix is less, units
        // unsigned.
        {L"zed Note _b Notepad A \xFF21pp", false, L"_b A Note Notepad zed \xFF21pp | zed Note _b Notepad A \xFF21pp"},
        // Folders come first among equal names and take the namesakes in, their children merged too, at any depth;
        // of other items the first stays.
        {L"Gym Kit[ Pad[ i ] ] gym[ Bat ] KIT[ pad Ax ]", false,
         L"gym[ Bat Gym ] Kit[ Ax Pad[ i pad ] ] | Gym Kit Pad i gym Bat pad Ax"},
        // Lifted, single items come last: a namesake already at that level stays.
        {L"Vendor[ Suite[ Bin[ Tool ] ] ] Apple Kit[ Run ] KIT[ run ]", true, L"Apple Run Tool | Tool Apple Run"},
        {L"Outer[ Inner[ x ] y ] Alpha[ Editor ] editor", true, L"editor Outer[ x y ] | Outer x y editor"},
    };
    for (const auto& [text, extractSingleItems, expected] : cases) {
        std::vector<std::unique_ptr<t_Item>> owned;
        std::vector<t_Item*> root = Parse(std::wistringstream(text), owned);
        Tidy(root, extractSingleItems);
        std::wstring result = Render(root) + L"|";
        for (const std::unique_ptr<t_Item>& item : TakeReachable(owned, root)) result += L' ' + item->name;
        EXPECT_TRUE(owned.empty() && result == expected) << result;
    }
}

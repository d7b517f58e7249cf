// The finishing pass over small trees of a neutral item: order, merging, lifting single items, and which items
// survive.

#include "catalogue/catalogue_tidy.h"

#include <gtest/gtest.h>

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
using t_Owned = std::vector<std::unique_ptr<t_Item>>;

// "a, Games[Chess, Solitaire]": a folder's children in brackets, names without spaces. Items are owned in the order
// written, as the scan owns them.
std::vector<t_Item*> Parse(std::wstring_view& text, t_Owned& owned) {
    std::vector<t_Item*> list;
    for (wchar_t next = 0; !text.empty() && next != L']';) {
        const std::size_t end = std::min(text.find_first_of(L"[], "), text.size());
        next = end < text.size() ? text[end] : L']';
        if (end > 0) list.push_back(owned.emplace_back(new t_Item{std::wstring(text, 0, end), next == L'['}).get());
        text.remove_prefix(std::min(end + 1, text.size()));
        if (next == L'[') list.back()->children = Parse(text, owned);
    }
    return list;
}

std::wstring Render(const std::vector<t_Item*>& list) {
    std::wstring out;
    for (const t_Item* item : list)
        out += (out.empty() ? L"" : L", ") + item->name + (item->folder ? L"[" + Render(item->children) + L"]" : L"");
    return out;
}

} // namespace

// Each tree tidied, and the items kept from those scanned, in scan order.
TEST(CatalogueTidy, SortsMergesEqualNamesAndLiftsSingleItemsUntilNothingChanges) {
    const std::tuple<std::wstring_view, bool, const wchar_t*, const wchar_t*> cases[] = {
        // Names compare as _wcsicmp does: folded to lower case ('_' before the letters), a prefix is less, units
        // unsigned.
        {L"zed, Note, _b, Notepad, A, \xFF21pp", false, L"_b, A, Note, Notepad, zed, \xFF21pp",
         L"zed Note _b Notepad A \xFF21pp "},
        // Folders come first among equal names and take the namesakes in, their children merged too; of other
        // items the first stays.
        {L"Zed, Games, Kit[Pad, Pen], games[Chess], KIT[pad, Axe], zed", false,
         L"games[Chess, Games], Kit[Axe, Pad, Pen], Zed", L"Zed Games Kit Pad Pen games Chess Axe "},
        {L"Office[Tools[x, y]], office[tools[Y, z]]", false, L"Office[Tools[x, y, z]]", L"Office Tools x y z "},
        // Lifted, single items come last: a namesake already at that level stays.
        {L"Vendor[Suite[Bin[Tool]]], Apple, Kit[Run], KIT[run]", true, L"Apple, Run, Tool", L"Tool Apple Run "},
        {L"Outer[Inner[x], y], Alpha[Editor], Beta, editor", true, L"Beta, editor, Outer[x, y]",
         L"Outer x y Beta editor "},
    };
    for (auto [text, extractSingleItems, tidied, kept] : cases) {
        t_Owned owned;
        std::vector<t_Item*> root = Parse(text, owned);
        Tidy(root, extractSingleItems);
        EXPECT_EQ(Render(root), tidied);
        std::wstring taken;
        for (const std::unique_ptr<t_Item>& item : TakeReachable(owned, root)) taken += item->name + L' ';
        EXPECT_TRUE(owned.empty() && taken == kept) << taken;
    }
}

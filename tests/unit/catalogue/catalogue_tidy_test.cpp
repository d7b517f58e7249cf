// The finishing pass over small trees of a neutral item: order, merging, lifting single items, and which items
// survive.

#include "catalogue/catalogue_tidy.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace n_ombrix;

namespace {

struct t_Item {
    std::wstring name;
    bool folder = false;
    std::vector<t_Item*> children;

    const std::wstring& DisplayName() const { return name; }
    bool IsFolder() const { return folder; }
    std::vector<t_Item*>& GetMutableChildren() { return children; }
};

// Owns the items of one test, in creation order, like the scan.
class t_Tree {
public:
    t_Item* Leaf(std::wstring name) { return Add({std::move(name), false, {}}); }
    t_Item* Folder(std::wstring name, std::vector<t_Item*> children) {
        return Add({std::move(name), true, std::move(children)});
    }
    std::vector<std::unique_ptr<t_Item>>& Owned() { return owned_; }

private:
    t_Item* Add(t_Item item) {
        owned_.push_back(std::make_unique<t_Item>(std::move(item)));
        return owned_.back().get();
    }
    std::vector<std::unique_ptr<t_Item>> owned_;
};

// "a, Games[Chess, Solitaire]": names in list order, folders with their children in brackets.
std::wstring Render(const std::vector<t_Item*>& list) {
    std::wstring out;
    for (const t_Item* item : list) {
        if (!out.empty()) out += L", ";
        out += item->name;
        if (item->folder) out += L"[" + Render(item->children) + L"]";
    }
    return out;
}

std::wstring Tidied(std::vector<t_Item*> list, bool extractSingleItems) {
    Tidy(list, extractSingleItems);
    return Render(list);
}

} // namespace

TEST(CatalogueTidy, NamesCompareAsWcsicmpDoes) {
    EXPECT_EQ(CompareIgnoringCase(L"Notepad", L"NOTEPAD"), 0);
    EXPECT_LT(CompareIgnoringCase(L"Note", L"notepad"), 0); // a prefix is less
    EXPECT_GT(CompareIgnoringCase(L"notepad", L"Note"), 0);
    // Folded to lower case, not upper: '_' stands between the upper- and the lower-case letters.
    EXPECT_LT(CompareIgnoringCase(L"_Tools", L"Apps"), 0);
    // Units compare unsigned: the high ones come after the letters.
    EXPECT_GT(CompareIgnoringCase(L"\xFF21pp", L"zed"), 0);
}

TEST(CatalogueTidy, SortsFoldersFirstAmongEqualNamesAndMergesThem) {
    t_Tree tree;
    t_Item* userNotepad = tree.Leaf(L"Notepad");
    t_Item* commonNotepad = tree.Leaf(L"notepad");
    std::vector<t_Item*> root{
        tree.Leaf(L"zed"),
        tree.Leaf(L"Games"), // a shortcut named like the folder below: it goes into the folder
        tree.Folder(L"Accessories", {userNotepad, tree.Leaf(L"Paint")}),
        tree.Folder(L"_Tools", {tree.Leaf(L"b"), tree.Leaf(L"A")}),
        tree.Folder(L"games", {tree.Leaf(L"Chess"), tree.Leaf(L"Solitaire")}),
        tree.Folder(L"ACCESSORIES", {commonNotepad, tree.Leaf(L"Calculator")}),
        tree.Leaf(L"Zed"), // equal non-folders: the first in scan order stays
    };
    Tidy(root, false);
    EXPECT_EQ(Render(root),
              L"_Tools[A, b], Accessories[Calculator, Notepad, Paint], games[Chess, Games, Solitaire], zed");
    EXPECT_EQ(root[1]->children[1], userNotepad);

    // Merged folders merge their own subfolders too, and deep down.
    t_Tree deep;
    std::vector<t_Item*> twoTrees{
        deep.Folder(L"Office", {deep.Folder(L"Tools", {deep.Leaf(L"x"), deep.Leaf(L"y")})}),
        deep.Folder(L"office", {deep.Folder(L"tools", {deep.Leaf(L"Y"), deep.Leaf(L"z")})}),
    };
    EXPECT_EQ(Tidied(twoTrees, false), L"Office[Tools[x, y, z]]");
}

TEST(CatalogueTidy, LiftsSingleItemsOutOfFoldersUntilNothingChanges) {
    t_Tree tree;
    const auto chain = [&tree] {
        return tree.Folder(L"Vendor", {tree.Folder(L"Suite", {tree.Folder(L"Bin", {tree.Leaf(L"Tool")})})});
    };
    EXPECT_EQ(Tidied({chain(), tree.Leaf(L"Apple")}, true), L"Apple, Tool");
    EXPECT_EQ(Tidied({chain(), tree.Leaf(L"Apple")}, false), L"Apple, Vendor[Suite[Bin[Tool]]]");

    // A lifted item is sorted in and merged with its namesake on the next round; it comes last, so the item that
    // was already at this level stays.
    EXPECT_EQ(Tidied({tree.Folder(L"Zeta", {tree.Leaf(L"Editor")}), tree.Leaf(L"Beta"), tree.Leaf(L"editor")}, true),
              L"Beta, editor");
    // Inside a folder that keeps two items, a single-item subfolder still goes.
    EXPECT_EQ(Tidied({tree.Folder(L"Outer", {tree.Folder(L"Inner", {tree.Leaf(L"x")}), tree.Leaf(L"y")})}, true),
              L"Outer[x, y]");
    // A merge that leaves a folder with one item: the item is lifted.
    EXPECT_EQ(Tidied({tree.Folder(L"Kit", {tree.Leaf(L"Run")}), tree.Folder(L"KIT", {tree.Leaf(L"run")})}, true),
              L"Run");
    // An empty list stays empty.
    EXPECT_EQ(Tidied({}, true), L"");
}

TEST(CatalogueTidy, OnlyItemsLeftInTheTreeAreKeptInScanOrder) {
    t_Tree tree;
    t_Item* first = tree.Leaf(L"Notepad");
    t_Item* duplicate = tree.Leaf(L"NOTEPAD");
    t_Item* paint = tree.Leaf(L"Paint");
    t_Item* kept = tree.Folder(L"Accessories", {first, paint});
    t_Item* merged = tree.Folder(L"accessories", {duplicate});
    t_Item* lone = tree.Leaf(L"Lone");
    t_Item* lifted = tree.Folder(L"Single", {lone});
    std::vector<t_Item*> root{kept, merged, lifted};
    Tidy(root, true);

    std::vector<std::unique_ptr<t_Item>>& owned = tree.Owned();
    const std::vector<std::unique_ptr<t_Item>> taken = TakeReachable(owned, root);
    EXPECT_TRUE(owned.empty());
    std::vector<t_Item*> survivors;
    for (const std::unique_ptr<t_Item>& item : taken) survivors.push_back(item.get());
    EXPECT_EQ(survivors, (std::vector<t_Item*>{first, paint, kept, lone}));
}

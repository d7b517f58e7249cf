#pragma once
// The finishing pass over a scanned tree: sort, merge folders and items of equal name (this is how the per-user and
// the all-users Start Menu become one tree), lift the content out of single-item folders, and find which of the
// scanned items are still in the tree. Platform-neutral, a template over the item type, so that the scan uses
// t_CatalogueItem and the neutral tests an item of their own.

#include <algorithm>
#include <concepts>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

namespace n_ombrix {

// Compares as _wcsicmp does: each unit folded to lower case with towlower (in the character-type locale set at
// start-up), then compared as unsigned values; a text that is a prefix of the other is less. Negative, 0 or
// positive. Written once so that the catalogue's order is the same on every platform we build for.
int CompareIgnoringCase(std::wstring_view left, std::wstring_view right) noexcept;

template <typename t_Item>
concept c_TidyItem = requires(t_Item& item, const t_Item& constItem) {
    { constItem.DisplayName() } -> std::convertible_to<std::wstring_view>;
    { constItem.IsFolder() } -> std::same_as<bool>;
    // Called on folders only.
    { item.GetMutableChildren() } -> std::same_as<std::vector<t_Item*>&>;
};

namespace n_catalogue_tidy {

// Name, then folders before other items of the same name. The sort is stable, so of equally named items the one
// scanned first (the per-user tree before the all-users one) comes first and is the one kept.
template <c_TidyItem t_Item> bool Before(const t_Item* left, const t_Item* right) noexcept {
    const int order = CompareIgnoringCase(left->DisplayName(), right->DisplayName());
    if (order != 0) return order < 0;
    return left->IsFolder() && !right->IsFolder();
}

// Merges each run of equal names into its first item; true if anything was merged.
template <c_TidyItem t_Item> bool MergeEqualNames(std::vector<t_Item*>& list) {
    bool merged = false;
    std::size_t kept = 0;
    for (std::size_t next = 0; next < list.size(); ++next) {
        t_Item* item = list[next];
        if (kept > 0 && CompareIgnoringCase(list[kept - 1]->DisplayName(), item->DisplayName()) == 0) {
            t_Item* first = list[kept - 1];
            merged = true;
            if (first->IsFolder()) {
                std::vector<t_Item*>& children = first->GetMutableChildren();
                if (item->IsFolder()) {
                    std::vector<t_Item*>& moved = item->GetMutableChildren();
                    children.insert(children.end(), moved.begin(), moved.end());
                    moved.clear();
                } else {
                    // A shortcut named like a folder goes into that folder.
                    children.push_back(item);
                }
            }
            continue;
        }
        list[kept++] = item;
    }
    list.resize(kept);
    return merged;
}

// Replaces every folder with a single child by that child, appended at the end so that it is looked at too (a
// chain of single folders comes out whole). True if any folder went.
template <c_TidyItem t_Item> bool LiftSingleItems(std::vector<t_Item*>& list) {
    bool lifted = false;
    for (std::size_t index = 0; index < list.size();) {
        t_Item* item = list[index];
        if (item->IsFolder() && item->GetMutableChildren().size() == 1) {
            t_Item* child = item->GetMutableChildren().front();
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(index));
            list.push_back(child);
            lifted = true;
        } else {
            ++index;
        }
    }
    return lifted;
}

} // namespace n_catalogue_tidy

// Sorts the list and every folder in it, merges equal names and, when asked, lifts single items out of their
// folders, over and over until nothing changes. Every merge or lift removes an item from the tree, so it ends.
template <c_TidyItem t_Item> void Tidy(std::vector<t_Item*>& list, bool extractSingleItems) {
    for (;;) {
        std::stable_sort(list.begin(), list.end(), n_catalogue_tidy::Before<t_Item>);
        for (t_Item* item : list)
            if (item->IsFolder()) Tidy(item->GetMutableChildren(), extractSingleItems);
        if (n_catalogue_tidy::MergeEqualNames(list)) continue;
        if (extractSingleItems && n_catalogue_tidy::LiftSingleItems(list)) continue;
        return;
    }
}

// Takes the items still reachable from the root (through folders, at any depth) out of owned, in owned's order,
// and destroys the rest: duplicates dropped by merging, folders merged into others or lifted out of the tree.
template <c_TidyItem t_Item>
std::vector<std::unique_ptr<t_Item>> TakeReachable(std::vector<std::unique_ptr<t_Item>>& owned,
                                                   const std::vector<t_Item*>& root) {
    std::unordered_set<const t_Item*> reachable;
    std::vector<t_Item*> pending(root.begin(), root.end());
    while (!pending.empty()) {
        t_Item* item = pending.back();
        pending.pop_back();
        if (!reachable.insert(item).second || !item->IsFolder()) continue;
        const std::vector<t_Item*>& children = item->GetMutableChildren();
        pending.insert(pending.end(), children.begin(), children.end());
    }
    std::vector<std::unique_ptr<t_Item>> taken;
    taken.reserve(reachable.size());
    for (std::unique_ptr<t_Item>& item : owned)
        if (reachable.contains(item.get())) taken.push_back(std::move(item));
    owned.clear();
    return taken;
}

} // namespace n_ombrix

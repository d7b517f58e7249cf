#pragma once
// The catalogue entries whose name contains what the user types, best matches first: one answer per keystroke over
// every item of the applications tree. Platform-neutral, a template over the item type, so that the program uses
// t_ItemSearch<t_CatalogueItem> and the neutral tests an item of their own.
//
// An item matches when its display name contains the query, or else when its description does; case is ignored
// (each unit through towupper, in the character-type locale set at start-up). Order: where the query first occurs in
// the text that matched, earlier first; then the upper-cased display name, unit by unit as unsigned values; then the
// order the items were added. The order is total, so narrowing the previous answer by a longer query gives exactly
// what searching every item again gives, even for names that differ only in case.

#include "system/substring_search.h"
#include "system/upper_case.h"

#include <algorithm>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace n_ombrix {

template <typename t_Item>
concept c_SearchableItem = requires(const t_Item& item) {
    { item.DisplayName() } -> std::same_as<const std::wstring&>;
    { item.IsFolder() } -> std::same_as<bool>;
    { item.HasDescription() } -> std::same_as<bool>;
    { item.GetDescription() } -> std::same_as<const std::wstring&>;
};

namespace n_item_search {

inline bool UnitsLess(std::wstring_view a, std::wstring_view b) noexcept {
    using t_Unit = std::make_unsigned_t<wchar_t>;
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](wchar_t x, wchar_t y) {
        return static_cast<t_Unit>(x) < static_cast<t_Unit>(y);
    });
}

} // namespace n_item_search

// Lives on the user-interface thread, beside the catalogue whose items it refers to; the catalogue empties it before
// destroying them.
template <c_SearchableItem t_Item> class t_ItemSearch {
public:
    // Filling, by the catalogue build. The name, the description and whether the item is a folder are read here,
    // once: catalogue items never change them. Adding forgets the last query, so the next search sees the item.
    void Reserve(std::size_t count) {
        allItems_.reserve(count);
        entries_.reserve(count);
        occurrences_.reserve(count);
    }

    void Add(t_Item& item) {
        entries_.push_back({.start = upper_.size(),
                            .nameLength = static_cast<std::uint32_t>(item.DisplayName().size()),
                            .rank = 0,
                            .folder = item.IsFolder()});
        n_zql::n_system::AppendUpperCased(upper_, item.DisplayName());
        if (item.HasDescription()) n_zql::n_system::AppendUpperCased(upper_, item.GetDescription());
        allItems_.push_back(&item);
        occurrences_.push_back(0);
        ranked_ = false;
        ForgetQuery();
    }

    // The matching items in display order; the reference stays valid, its contents until the next Search or Reset.
    // Folders are left out when asked. Callers pass a non-empty query; an empty one finds nothing.
    const std::vector<t_Item*>& Search(std::wstring_view query, bool excludeFolders) {
        if (query.empty()) {
            results_.clear();
            resultIndices_.clear();
            ForgetQuery();
            return results_;
        }
        upperQuery_.clear();
        n_zql::n_system::AppendUpperCased(upperQuery_, query);
        const bool searched = !upperLastQuery_.empty();
        if (searched && upperQuery_ == upperLastQuery_ && excludeFolders == lastExcludeFolders_) return results_;
        Rank();

        // Whatever contains the longer query contains the shorter one in the same text, at the same place or later,
        // so only the previous answer needs looking at; unless folders it left out are wanted now.
        matches_.clear();
        if (searched && upperQuery_.starts_with(upperLastQuery_) && (excludeFolders || !lastExcludeFolders_)) {
            candidates_.swap(resultIndices_);
            for (const std::uint32_t index : candidates_)
                if (!excludeFolders || !entries_[index].folder) Narrow(index);
        } else {
            candidates_.clear();
            Sweep(excludeFolders);
        }

        // The rank stands for (upper-cased name, order added), so the keys sort without comparing a string.
        std::sort(matches_.begin(), matches_.end());
        resultIndices_.clear();
        results_.clear();
        for (const std::uint64_t key : matches_) {
            const std::uint32_t index = byRank_[static_cast<std::uint32_t>(key)];
            resultIndices_.push_back(index);
            results_.push_back(allItems_[index]);
        }
        lastQuery_.assign(query);
        upperLastQuery_.swap(upperQuery_);
        lastExcludeFolders_ = excludeFolders;
        return results_;
    }

    // Forgets every item, before the catalogue destroys them.
    void Reset() noexcept {
        allItems_.clear();
        entries_.clear();
        upper_.clear();
        byRank_.clear();
        ranked_ = true;
        occurrences_.clear();
        candidates_.clear();
        resultIndices_.clear();
        results_.clear();
        matches_.clear();
        ForgetQuery();
    }

    // Every item in the order added.
    const std::vector<t_Item*>& AllItems() const noexcept { return allItems_; }
    const std::vector<t_Item*>& Results() const noexcept { return results_; }
    // The query the results answer, as it was typed; empty at first and after Reset or Add.
    const std::wstring& LastQuery() const noexcept { return lastQuery_; }

private:
    // An item's texts in upper_: the upper-cased name from start, then the upper-cased description (empty for an
    // item without one) up to the next item's start.
    struct t_Entry {
        std::size_t start;
        std::uint32_t nameLength;
        std::uint32_t rank; // place among all items by upper-cased name, then order added
        bool folder;
    };

    std::size_t NameEnd(std::uint32_t index) const noexcept {
        return entries_[index].start + entries_[index].nameLength;
    }
    std::size_t End(std::uint32_t index) const noexcept {
        return index + 1 < entries_.size() ? entries_[index + 1].start : upper_.size();
    }

    // Takes an occurrence that lies wholly inside the item's name or wholly inside its description; one across the
    // boundary is no occurrence in either.
    bool Take(std::uint32_t index, std::size_t found) {
        const std::size_t nameEnd = NameEnd(index);
        if (found < nameEnd && found + upperQuery_.size() > nameEnd) return false;
        const std::size_t position = found < nameEnd ? found - entries_[index].start : found - nameEnd;
        matches_.push_back(std::uint64_t{position} << 32 | entries_[index].rank);
        occurrences_[index] = found;
        return true;
    }

    // Every item, in the order added, in one pass over upper_.
    void Sweep(bool excludeFolders) {
        const std::wstring_view all(upper_);
        std::uint32_t index = 0;
        std::size_t from = 0;
        for (;;) {
            const std::size_t found = n_zql::n_system::FindSubstring(all, upperQuery_, from);
            if (found == std::wstring_view::npos) return;
            while (End(index) <= found) ++index;
            const std::size_t end = End(index);
            if ((excludeFolders && entries_[index].folder) || found + upperQuery_.size() > end || Take(index, found)) {
                from = end;
                ++index;
            } else {
                from = NameEnd(index);
            }
        }
    }

    // One previous result, from where the shorter query occurred in it.
    void Narrow(std::uint32_t index) {
        const std::wstring_view texts = std::wstring_view(upper_).substr(0, End(index));
        std::size_t from = occurrences_[index];
        for (;;) {
            const std::size_t found = n_zql::n_system::FindSubstring(texts, upperQuery_, from);
            if (found == std::wstring_view::npos || Take(index, found)) return;
            from = NameEnd(index);
        }
    }

    // Once per filling, on the first search after it.
    void Rank() {
        if (ranked_) return;
        const auto name = [this](std::uint32_t index) {
            return std::wstring_view(upper_).substr(entries_[index].start, entries_[index].nameLength);
        };
        byRank_.resize(entries_.size());
        std::iota(byRank_.begin(), byRank_.end(), 0u);
        std::stable_sort(byRank_.begin(), byRank_.end(),
                         [&](std::uint32_t a, std::uint32_t b) { return n_item_search::UnitsLess(name(a), name(b)); });
        for (std::uint32_t rank = 0; rank < byRank_.size(); ++rank) entries_[byRank_[rank]].rank = rank;
        ranked_ = true;
    }

    void ForgetQuery() noexcept {
        lastQuery_.clear();
        upperLastQuery_.clear();
        lastExcludeFolders_ = false;
    }

    std::vector<t_Item*> allItems_; // not owned
    std::vector<t_Entry> entries_;  // by position in allItems_
    // Every item's upper-cased name and description one after another, so that a restart reads memory in one sweep.
    std::wstring upper_;
    std::vector<std::uint32_t> byRank_;
    bool ranked_ = true;
    // Where in upper_ the last query occurred, for the items that matched it; a longer one cannot occur earlier.
    std::vector<std::size_t> occurrences_;

    std::vector<t_Item*> results_; // not owned
    std::vector<std::uint32_t> resultIndices_;
    std::wstring lastQuery_;
    std::wstring upperLastQuery_;
    bool lastExcludeFolders_ = false;
    // Kept between searches so that typing allocates nothing once they have grown.
    std::vector<std::uint32_t> candidates_;
    std::vector<std::uint64_t> matches_; // where the query occurs (high half) and the item's rank (low half)
    std::wstring upperQuery_;
};

} // namespace n_ombrix

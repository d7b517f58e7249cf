#pragma once
// The launch history of one executor: the texts it ran, most recent first, and its part of "History.qln".
// Platform-neutral.

#include "quillane/document.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace n_ombrix {

class t_LaunchHistory {
public:
    static constexpr std::size_t capacity = 10000;

    std::size_t Size() const noexcept { return texts_.size(); }
    bool Empty() const noexcept { return texts_.empty(); }
    // Most recent first. No two entries are equal, unless a file holding duplicates was loaded.
    const std::vector<std::wstring>& Entries() const noexcept { return texts_; }
    const std::wstring& operator[](std::size_t index) const noexcept { return texts_[index]; }
    // The entry with every character through towupper; queries match against this.
    std::wstring_view UpperCase(std::size_t index) const noexcept {
        return std::wstring_view(upper_).substr(upperStarts_[index], upperStarts_[index + 1] - upperStarts_[index]);
    }

    // Puts the text in front; every equal entry (exact comparison) goes, and the oldest entries beyond the capacity.
    void Add(std::wstring_view text);
    // Appends the text as the oldest entry, as loading does: an empty text is skipped. False when the history is
    // full and the text was not taken.
    bool Append(std::wstring_view text);
    void Remove(std::size_t index);
    void Clear();

    // The entries' indices ordered by upper-cased text (compared unit by unit), then by history order. Queries
    // visit entries in this order, so that no string is compared while the user types. Kept up to date by Add and
    // Remove; after Append it is rebuilt here once.
    const std::vector<std::uint32_t>& TextOrder();

private:
    std::vector<std::wstring> texts_;
    // The upper-cased entries one after another, in history order, so that a query reads memory in one sweep;
    // entry i is [upperStarts_[i], upperStarts_[i + 1]).
    std::wstring upper_;
    std::vector<std::size_t> upperStarts_{0};
    std::vector<std::uint32_t> textOrder_;
    bool ordered_ = true; // false after Append until TextOrder rebuilds the order
};

// "History.qln" as a document: histories[0] is the default executor's, histories[i + 1] belongs to the custom
// executor whose short caption is captions[i]. Writing gives a finished document, one attribute per entry (empty
// name, the entry as value) in history order; the custom executors' list is written even when empty.
n_quillane::t_Document WriteHistoryDocument(std::span<const t_LaunchHistory> histories,
                                            std::span<const std::wstring_view> captions);

// Appends to each history the entries the document holds for it, up to the capacity, skipping empty values. A custom
// executor's entries are those of the first element named by its caption, so executors that share a caption read the
// same entries. Missing elements read as empty histories. The text order is built before returning.
void ReadHistoryDocument(const n_quillane::t_Document& document, std::span<t_LaunchHistory> histories,
                         std::span<const std::wstring_view> captions);

} // namespace n_ombrix

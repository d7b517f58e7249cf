#include "launch/history_candidates.h"

#include "system/substring_search.h"
#include "system/upper_case.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace n_ombrix {

namespace {

void AssignWholeHistory(std::vector<std::uint32_t>& candidates, std::vector<std::uint32_t>& positions,
                        const t_LaunchHistory* history) {
    candidates.resize(history ? history->Size() : 0);
    std::iota(candidates.begin(), candidates.end(), 0u);
    positions.assign(candidates.size(), 0);
}

} // namespace

void t_HistoryCandidates::Reset(t_LaunchHistory* history) {
    history_ = history;
    AssignWholeHistory(candidates_, positions_, history_);
    query_.clear();
    upperQuery_.clear();
    cursor_.reset();
}

void t_HistoryCandidates::UpdateQuery(std::wstring_view text) {
    upperText_.clear();
    n_zql::n_system::AppendUpperCased(upperText_, text);
    if (upperText_ == upperQuery_) return;
    const bool restart = upperQuery_.empty() || !upperText_.starts_with(upperQuery_);

    previous_.swap(candidates_);
    previousPositions_.swap(positions_);
    if (text.empty() || !history_) {
        AssignWholeHistory(candidates_, positions_, history_);
    } else {
        // Occurrence marks by history index. The entries are searched in the order they are stored, which is
        // much kinder to the memory caches than the candidates' order. When narrowing, a previous candidate is
        // marked with where the shorter query occurred, and the search starts there.
        marks_.assign(history_->Size(), 0);
        if (!restart)
            for (std::size_t i = 0; i < previous_.size(); ++i) marks_[previous_[i]] = previousPositions_[i] + 1;
        std::uint32_t last = 0;
        for (std::uint32_t index = 0; index < marks_.size(); ++index) {
            if (!restart && marks_[index] == 0) continue;
            const std::uint32_t from = restart ? 0 : marks_[index] - 1;
            const std::size_t found = n_zql::n_system::FindSubstring(history_->UpperCase(index), upperText_, from);
            marks_[index] = found == std::wstring_view::npos ? 0 : static_cast<std::uint32_t>(found + 1);
            last = std::max(last, marks_[index]);
        }
        // Visiting the matches in text order and placing them by position (a stable counting sort) gives the
        // order by position, then text, then history, without comparing a single string.
        matches_.clear();
        counts_.assign(last, 0);
        for (const std::uint32_t index : history_->TextOrder()) {
            if (marks_[index] != 0) {
                matches_.push_back({marks_[index] - 1, index});
                ++counts_[marks_[index] - 1];
            }
        }
        std::uint32_t start = 0;
        for (std::uint32_t& count : counts_) start += std::exchange(count, start);
        candidates_.resize(matches_.size());
        positions_.resize(matches_.size());
        for (const t_Match& match : matches_) {
            const std::uint32_t slot = counts_[match.position]++;
            candidates_[slot] = match.index;
            positions_[slot] = match.position;
        }
    }

    query_.assign(text);
    upperQuery_.swap(upperText_);
    if (candidates_ != previous_) cursor_.reset();
}

bool t_HistoryCandidates::CompleteFromHistory(std::wstring& text) {
    cursor_.reset();
    if (text.empty()) return false;
    upperText_.clear();
    n_zql::n_system::AppendUpperCased(upperText_, text);
    for (std::size_t position = 0; position < candidates_.size(); ++position) {
        if (history_->UpperCase(candidates_[position]).starts_with(upperText_)) {
            cursor_ = position;
            text = (*this)[position];
            return true;
        }
    }
    return false;
}

bool t_HistoryCandidates::Next(std::wstring& text) {
    if (candidates_.empty()) return false;
    return MoveCursorTo(!cursor_ || *cursor_ + 1 == candidates_.size() ? 0 : *cursor_ + 1, text);
}

bool t_HistoryCandidates::Previous(std::wstring& text) {
    if (candidates_.empty()) return false;
    return MoveCursorTo(!cursor_ || *cursor_ == 0 ? candidates_.size() - 1 : *cursor_ - 1, text);
}

bool t_HistoryCandidates::MoveCursorTo(std::size_t position, std::wstring& text) {
    if (cursor_ == position) return false;
    cursor_ = position;
    text = (*this)[position];
    return true;
}

void t_HistoryCandidates::Remove(std::size_t position) {
    if (position >= candidates_.size()) return;
    const std::uint32_t removed = candidates_[position];
    history_->Remove(removed);
    candidates_.erase(candidates_.begin() + static_cast<std::ptrdiff_t>(position));
    positions_.erase(positions_.begin() + static_cast<std::ptrdiff_t>(position));
    for (std::uint32_t& index : candidates_)
        if (index > removed) --index;
    if (!cursor_) return;
    if (*cursor_ > position) --*cursor_;
    if (candidates_.empty())
        cursor_.reset();
    else if (*cursor_ == candidates_.size())
        cursor_ = candidates_.size() - 1;
}

} // namespace n_ombrix

#include "launch/history_candidates.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <numeric>
#include <type_traits>
#include <utility>

namespace n_ombrix {

namespace {

void AssignWholeHistory(std::vector<std::uint32_t>& candidates, std::vector<std::uint32_t>& positions,
                        const t_LaunchHistory* history) {
    candidates.resize(history ? history->Size() : 0);
    std::iota(candidates.begin(), candidates.end(), 0u);
    positions.assign(candidates.size(), 0);
}

// Whether the query (not empty) stands at that place of the text; the caller leaves room for all of it.
bool MatchesAt(std::wstring_view text, std::size_t place, std::wstring_view query) {
    std::size_t matched = 0;
    while (matched < query.size() && text[place + matched] == query[matched]) ++matched;
    return matched == query.size();
}

// Where the query (not empty) first occurs in the text at or after from, plus one; 0 when it does not occur.
// Typing searches about a megabyte of text per keystroke, so the first character is looked for in a 64-bit word's
// worth of characters at a time: a lane that equals it becomes zero after the XOR, and the classic zero-lane test
// marks it (lanes above a real zero may be marked falsely; every mark is checked).
std::uint32_t OccurrenceMark(std::wstring_view text, std::wstring_view query, std::uint32_t from) {
    if (text.size() < query.size()) return 0;
    const std::size_t end = text.size() - query.size() + 1;
    std::size_t place = from;
    if constexpr (std::endian::native == std::endian::little && sizeof(wchar_t) <= 4) {
        constexpr std::size_t lanes = sizeof(std::uint64_t) / sizeof(wchar_t);
        constexpr unsigned laneBits = 8 * sizeof(wchar_t);
        constexpr std::uint64_t ones = ~std::uint64_t{0} / ((std::uint64_t{1} << (laneBits - 1) << 1) - 1);
        constexpr std::uint64_t highs = ones << (laneBits - 1);
        const std::uint64_t pattern =
            ones * static_cast<std::uint64_t>(static_cast<std::make_unsigned_t<wchar_t>>(query[0]));
        for (; place + lanes <= end; place += lanes) {
            std::uint64_t word;
            std::memcpy(&word, text.data() + place, sizeof word);
            word ^= pattern;
            for (std::uint64_t marks = (word - ones) & ~word & highs; marks != 0; marks &= marks - 1) {
                const std::size_t candidate = place + static_cast<std::size_t>(std::countr_zero(marks)) / laneBits;
                if (MatchesAt(text, candidate, query)) return static_cast<std::uint32_t>(candidate + 1);
            }
        }
    }
    for (; place < end; ++place)
        if (MatchesAt(text, place, query)) return static_cast<std::uint32_t>(place + 1);
    return 0;
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
    AppendUpperCase(upperText_, text);
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
            last = std::max(last, marks_[index] = OccurrenceMark(history_->UpperCase(index), upperText_, from));
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
    AppendUpperCase(upperText_, text);
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

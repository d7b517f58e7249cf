#pragma once
// The entries of one launch history that match what is typed in the command box, in the order they are offered, and
// the cursor that steps through them. Platform-neutral.
//
// Order for a non-empty query: the entries that contain the query (ignoring case, towupper per character) by where
// the query first occurs in them, earlier first; then by the entry's upper-cased text (unit by unit); then by history
// order, most recent first. The order is total, so narrowing the previous candidates by a longer query gives exactly
// what filtering the whole history again gives, even when entries differ only in letter case. An empty query offers
// the whole history, most recent first.

#include "launch/launch_history.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace n_ombrix {

class t_HistoryCandidates {
public:
    // Offers the whole history (none when null); the query is emptied and the cursor stands on no candidate.
    void Reset(t_LaunchHistory* history);

    // Follows the text typed so far. A text equal to the last query ignoring case changes nothing; one that extends
    // it narrows the current candidates; any other starts again from the whole history. The cursor goes back to no
    // candidate when the candidates change.
    void UpdateQuery(std::wstring_view text);

    // Puts the cursor on the first candidate that begins with the text, ignoring case, and replaces the text by it.
    // False (and no cursor) when the text is empty or no candidate begins with it.
    bool CompleteFromHistory(std::wstring& text);

    // Move the cursor, wrapping around at both ends (from no candidate: to the first, or to the last), and replace
    // the text by the candidate. False, with nothing changed, when there is no candidate or the cursor would not move.
    bool Next(std::wstring& text);
    bool Previous(std::wstring& text);

    // Removes the candidate's entry from the history as well. The cursor stays on the same candidate; if that was
    // the removed one, it stands on the candidate that took its place (or the new last one, or none).
    void Remove(std::size_t position);

    std::size_t Count() const noexcept { return candidates_.size(); }
    const std::wstring& operator[](std::size_t position) const noexcept { return (*history_)[candidates_[position]]; }
    // Positions in the history of the candidates, in the order they are offered.
    const std::vector<std::uint32_t>& Indices() const noexcept { return candidates_; }
    std::optional<std::size_t> Cursor() const noexcept { return cursor_; }
    const std::wstring& Query() const noexcept { return query_; }

private:
    struct t_Match {
        std::uint32_t position; // where the query first occurs in the entry
        std::uint32_t index;
    };

    bool MoveCursorTo(std::size_t position, std::wstring& text);

    t_LaunchHistory* history_ = nullptr; // not owned
    std::vector<std::uint32_t> candidates_;
    // Where the query first occurs in each candidate: a longer query cannot occur earlier.
    std::vector<std::uint32_t> positions_;
    std::wstring query_;
    std::wstring upperQuery_;
    std::optional<std::size_t> cursor_;
    // Kept between calls so that typing allocates nothing once they have grown.
    std::vector<std::uint32_t> previous_;
    std::vector<std::uint32_t> previousPositions_;
    std::vector<std::uint32_t> marks_; // by history index
    std::vector<t_Match> matches_;
    std::vector<std::uint32_t> counts_;
    std::wstring upperText_;
};

} // namespace n_ombrix

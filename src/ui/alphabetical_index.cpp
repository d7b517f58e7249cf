#include "ui/alphabetical_index.h"

#include "system/upper_case.h"

#include <algorithm>
#include <utility>

namespace n_ombrix {

using n_zql::n_system::UpperCased;

void t_AlphabeticalIndex::Rebuild(std::span<const wchar_t> initials) {
    std::vector<wchar_t> upper(initials.size());
    std::transform(initials.begin(), initials.end(), upper.begin(),
                   [](wchar_t initial) { return UpperCased(initial); });
    std::vector<wchar_t> characters = upper;
    std::sort(characters.begin(), characters.end());
    characters.erase(std::unique(characters.begin(), characters.end()), characters.end());

    groups_.assign(characters.size(), {});
    for (std::size_t group = 0; group < characters.size(); ++group) groups_[group].character = characters[group];
    rows_.resize(upper.size());
    for (std::size_t row = 0; row < upper.size(); ++row) {
        const auto group = static_cast<std::size_t>(std::lower_bound(characters.begin(), characters.end(), upper[row]) -
                                                    characters.begin());
        if (groups_[group].rowCount == 0) groups_[group].firstRow = row;
        rows_[row] = {group, groups_[group].rowCount++};
    }
    bandStart_ = bandEnd_ = 0;
    clicked_ = false;
    wheeledForward_.reset();
    SetOffset(offset_);
    needsPainting_ = true;
}

void t_AlphabeticalIndex::Resize(std::int32_t width, std::int32_t height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    SetOffset(offset_);
    needsPainting_ = true;
}

std::int64_t t_AlphabeticalIndex::BandEdge(std::size_t row, std::int64_t partOfRow, std::int32_t rowHeight) const {
    const t_RowPlace place = rows_[row];
    const std::int64_t cell = cellHeight_,
                       groupHeight = static_cast<std::int64_t>(groups_[place.group].rowCount) * rowHeight;
    return cell * static_cast<std::int64_t>(place.group) +
           cell * (static_cast<std::int64_t>(place.rank) * rowHeight + partOfRow) / groupHeight;
}

void t_AlphabeticalIndex::Synchronise(const t_ListSpan& span, t_IndexDirection direction) {
    const bool clicked = std::exchange(clicked_, false);
    const std::optional<bool> wheeledForward = std::exchange(wheeledForward_, std::nullopt);
    if (span.firstRow >= rows_.size() || span.lastRow >= rows_.size() || span.rowHeight <= 0) return;

    const std::int32_t rowHeight = span.rowHeight;
    std::int64_t start = BandEdge(span.firstRow, std::clamp(-span.firstTop, 0, rowHeight), rowHeight);
    // A list shorter than its pane ends above the pane's bottom; its last row then counts whole.
    const std::int32_t hiddenBelow = std::clamp(span.lastBottom - span.paneHeight, 0, rowHeight);
    std::int64_t end = BandEdge(span.lastRow, rowHeight - hiddenBelow, rowHeight);
    // Rows on screen that wrap from the list's end to its start: the band starts one period early, so that it is
    // one piece.
    if (rows_[span.lastRow].group < rows_[span.firstRow].group || end < start) start -= Period();
    if (end == 0) {
        start += Period();
        end = Period();
    }
    bool changed = start != bandStart_ || end != bandEnd_;
    bandStart_ = static_cast<std::int32_t>(start);
    bandEnd_ = static_cast<std::int32_t>(end);
    // After a click on the index the letter clicked stays under the pointer.
    if (!Fits() && !clicked)
        changed = Follow(wheeledForward.value_or(direction == t_IndexDirection::forward)) || changed;
    if (changed) needsPainting_ = true;
}

// Keeps the offset while a copy of the band is wholly in view; else brings the band's end to the bottom when
// moving forward, its start to the top when moving backward, unless only the other edge is out of view.
bool t_AlphabeticalIndex::Follow(bool forward) {
    const std::int64_t period = Period(), top = offset_, bottom = top + height_;
    bool topInside = false, bottomInside = false;
    for (std::int64_t shift = 0; shift <= 2 * period; shift += period) {
        const std::int64_t start = bandStart_ + shift, end = bandEnd_ + shift;
        if (top <= start && end <= bottom) return false;
        topInside = topInside || (start <= top && top < end);
        bottomInside = bottomInside || (start < bottom && bottom <= end);
    }
    const std::int64_t startAtTop = bandStart_, endAtBottom = std::int64_t{bandEnd_} - height_;
    if (forward) return SetOffset(topInside && !bottomInside ? startAtTop : endAtBottom);
    return SetOffset(bottomInside && !topInside ? endAtBottom : startAtTop);
}

bool t_AlphabeticalIndex::SetOffset(std::int64_t offset) {
    const std::int64_t period = Period();
    const auto normal = Fits() ? 0 : static_cast<std::int32_t>((offset % period + period) % period);
    return std::exchange(offset_, normal) != normal;
}

std::optional<std::size_t> t_AlphabeticalIndex::FirstRowOf(wchar_t character) const {
    const wchar_t upper = UpperCased(character);
    const auto group =
        std::lower_bound(groups_.begin(), groups_.end(), upper,
                         [](const t_Group& group, wchar_t character) { return group.character < character; });
    if (group == groups_.end() || group->character != upper) return std::nullopt;
    return group->firstRow;
}

std::optional<std::size_t> t_AlphabeticalIndex::ClickAt(std::int32_t y) {
    if (groups_.empty() || cellHeight_ <= 0 || y < 0 || y >= height_) return std::nullopt;
    auto cell = static_cast<std::size_t>((offset_ + y) / cellHeight_);
    if (cell >= groups_.size() && !Fits()) cell -= groups_.size();
    if (cell >= groups_.size()) return std::nullopt;
    clicked_ = true;
    return groups_[cell].firstRow;
}

std::optional<std::size_t> t_AlphabeticalIndex::Wheel(int notches, std::size_t firstRowInView) {
    if (groups_.empty() || firstRowInView >= rows_.size()) return std::nullopt;
    const auto count = static_cast<std::int64_t>(groups_.size());
    const std::int64_t target = (static_cast<std::int64_t>(rows_[firstRowInView].group) - notches) % count;
    wheeledForward_ = notches < 0;
    return groups_[static_cast<std::size_t>(target < 0 ? target + count : target)].firstRow;
}

bool t_AlphabeticalIndex::DragBy(std::int32_t dy) {
    if (Fits() || !SetOffset(std::int64_t{offset_} + dy)) return false;
    needsPainting_ = true;
    return true;
}

std::vector<t_Rect> t_AlphabeticalIndex::Bands() const {
    std::vector<t_Rect> bands;
    if (groups_.empty() || bandEnd_ <= bandStart_) return bands;
    const std::int32_t period = Period(), limit = Fits() ? period : height_;
    for (std::int32_t top = bandStart_ - offset_, bottom = bandEnd_ - offset_; top < limit;
         top += period, bottom += period) {
        const std::int32_t shownTop = std::max(top, 0), shownBottom = std::min(bottom, limit);
        if (shownTop < shownBottom) bands.push_back({0, shownTop, width_, shownBottom});
    }
    return bands;
}

std::vector<t_IndexLetter> t_AlphabeticalIndex::Letters() const {
    std::vector<t_IndexLetter> letters;
    if (groups_.empty() || cellHeight_ <= 0) return letters;
    auto cell = static_cast<std::size_t>(offset_ / cellHeight_);
    for (std::int32_t top = -(offset_ % cellHeight_); top < height_; top += cellHeight_, ++cell) {
        if (cell == groups_.size()) {
            if (Fits()) break;
            cell = 0;
        }
        letters.push_back({top, groups_[cell].character});
    }
    return letters;
}

} // namespace n_ombrix

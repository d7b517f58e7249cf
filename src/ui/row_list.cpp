#include "ui/row_list.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace n_ombrix {

void t_RowList::SetRowMetrics(std::int32_t rowHeight, std::int32_t slideRange, std::int32_t slideTolerance) noexcept {
    rowHeight_ = std::max(rowHeight, 1);
    slideRange_ = std::max(slideRange, 1);
    slideTolerance_ = slideTolerance;
    SetOffset(offset_ - offset_ % rowHeight_);
}

void t_RowList::Resize(std::int32_t width, std::int32_t height) noexcept {
    width_ = width;
    height_ = std::max(height, 0);
    SetOffset(offset_);
}

void t_RowList::Fill(std::vector<t_RowTraits> rows, bool searchResults) {
    rows_ = std::move(rows);
    if (searchResults) rows_.resize(std::min(rows_.size(), static_cast<std::size_t>(height_ / rowHeight_)));
    const bool elevatedMode = highlights_.elevatedMode;
    highlights_ = {};
    highlights_.elevatedMode = elevatedMode;
    remembered_.reset();
    offset_ = 0;
    ++rowsVersion_;
    Rebuild();
}

std::int32_t t_RowList::Cyclic(std::int64_t offset) const noexcept {
    if (Fits()) return 0;
    const std::int64_t total = Total();
    return static_cast<std::int32_t>((offset % total + total) % total);
}

void t_RowList::SetOffset(std::int64_t offset) noexcept {
    offset_ = Cyclic(offset);
    Rebuild();
}

void t_RowList::Rebuild() noexcept {
    ++layoutVersion_;
    visible_.clear();
    if (rows_.empty()) return;
    std::size_t row = static_cast<std::size_t>(offset_ / rowHeight_);
    for (std::int32_t top = -(offset_ % rowHeight_); top < height_; top += rowHeight_) {
        visible_.push_back({row, top});
        if (++row == rows_.size()) {
            if (Fits()) break;
            row = 0;
        }
    }
}

t_RowListChanges t_RowList::Settle() {
    t_RowListChanges changes;
    changes.rowsPlaced = std::exchange(settledRows_, rowsVersion_) != rowsVersion_;
    changes.moved = std::exchange(settledLayout_, layoutVersion_) != layoutVersion_;
    const t_RowHighlights before = std::exchange(settledHighlights_, highlights_);
    if (changes.moved || before.elevatedMode != highlights_.elevatedMode) {
        changes.repaint.everything = true;
        return changes;
    }
    if (before == highlights_) return changes;
    for (const std::optional<std::size_t> row :
         {before.current, before.preliminary, highlights_.current, highlights_.preliminary}) {
        if (!row) continue;
        for (const t_VisibleRow& visible : visible_)
            if (visible.row == *row) changes.repaint.rows.push_back({0, visible.top, width_, visible.top + rowHeight_});
    }
    return changes;
}

std::optional<std::size_t> t_RowList::SeamRow() const noexcept {
    if (Fits() || rows_.empty()) return std::nullopt;
    return rows_.size() - 1;
}

std::vector<std::size_t> t_RowList::DistinctVisibleRows() const {
    std::vector<std::size_t> rows;
    for (const t_VisibleRow& visible : visible_)
        if (std::find(rows.begin(), rows.end(), visible.row) == rows.end()) rows.push_back(visible.row);
    return rows;
}

std::optional<t_Rect> t_RowList::RowRectangle(std::size_t row) const noexcept {
    for (const t_VisibleRow& visible : visible_)
        if (visible.row == row) return t_Rect{0, visible.top, width_, visible.top + rowHeight_};
    return std::nullopt;
}

std::optional<std::size_t> t_RowList::RowAt(std::int32_t y) const noexcept {
    for (const t_VisibleRow& visible : visible_)
        if (y >= visible.top && y < visible.top + rowHeight_) return visible.row;
    return std::nullopt;
}

bool t_RowList::Elevated(std::size_t row) const noexcept {
    const bool highlighted = row == highlights_.current || row == highlights_.preliminary;
    if (!rows_[row].launchable || !highlighted) return false;
    if (highlights_.elevatedMode) return true;
    return row == highlights_.current && highlights_.slide + slideTolerance_ >= slideRange_;
}

bool t_RowList::FullyVisible(std::size_t row) const noexcept {
    return std::any_of(visible_.begin(), visible_.end(), [&](const t_VisibleRow& visible) {
        return visible.row == row && visible.top >= 0 && visible.top + rowHeight_ <= height_;
    });
}

std::optional<std::int32_t> t_RowList::TopOnScreen(std::size_t row) const noexcept {
    for (const t_VisibleRow& visible : visible_)
        if (visible.row == row) return visible.top;
    return std::nullopt;
}

std::optional<std::size_t> t_RowList::FirstFullyVisible() const noexcept {
    for (const t_VisibleRow& visible : visible_)
        if (visible.top >= 0 && visible.top + rowHeight_ <= height_) return visible.row;
    return std::nullopt;
}

std::optional<std::size_t> t_RowList::LastFullyVisible() const noexcept {
    for (auto visible = visible_.rbegin(); visible != visible_.rend(); ++visible)
        if (visible->top >= 0 && visible->top + rowHeight_ <= height_) return visible->row;
    return std::nullopt;
}

void t_RowList::SetCurrent(std::optional<std::size_t> row) noexcept {
    highlights_.current = row;
    highlights_.preliminary.reset();
    highlights_.glyphHighlight = false;
    highlights_.slide = 0;
}

void t_RowList::PointAt(std::int32_t y) noexcept { highlights_.preliminary = RowAt(y); }

void t_RowList::PointerLeft() noexcept {
    highlights_.preliminary.reset();
    const std::optional<std::size_t> current = highlights_.current;
    if (!current) return;
    // A row with a jump list stays current for the side pane, marked by its column alone.
    if (rows_[*current].jumpList) {
        highlights_.glyphHighlight = true;
    } else {
        remembered_ = current;
        highlights_.current.reset();
    }
}

void t_RowList::FocusGained() noexcept {
    highlights_.glyphHighlight = false;
    if (highlights_.current) return;
    SetCurrent(remembered_ && *remembered_ < rows_.size() ? remembered_ : FirstFullyVisible());
}

bool t_RowList::ScrollBy(std::int32_t dy) noexcept {
    if (Fits() || dy == 0) return false;
    SetOffset(std::int64_t{offset_} + dy);
    if (highlights_.current && !TopOnScreen(*highlights_.current)) SetCurrent(std::nullopt);
    return true;
}

void t_RowList::ShowAtTop(std::size_t row) noexcept {
    if (row >= rows_.size()) return;
    SetOffset(static_cast<std::int64_t>(row) * rowHeight_);
    SetCurrent(row);
}

void t_RowList::Wheel(int notches, unsigned linesPerNotch, bool pages) noexcept {
    if (Fits() || notches == 0) return;
    if (pages) {
        ScrollBy(-notches * height_);
        return;
    }
    const auto rowCount = static_cast<std::int64_t>(rows_.size());
    const std::int64_t lines = static_cast<std::int64_t>(linesPerNotch) * std::abs(notches) % rowCount;
    if (lines == 0) return;
    // A row cut at the edge the list moves away from is shown whole first, as one of the lines.
    std::int64_t distance = lines * rowHeight_;
    if (notches > 0) {
        if (const std::int32_t cut = offset_ % rowHeight_) distance += cut - rowHeight_;
        ScrollBy(static_cast<std::int32_t>(-distance));
    } else {
        if (const std::int32_t cut = (offset_ + height_) % rowHeight_) distance -= cut;
        ScrollBy(static_cast<std::int32_t>(distance));
    }
}

void t_RowList::Down() noexcept {
    if (rows_.empty()) return;
    const std::optional<std::size_t> current = highlights_.current;
    if (Fits()) {
        SetCurrent(current ? (*current + 1) % rows_.size() : 0);
        return;
    }
    if (!current) {
        SetCurrent(FirstFullyVisible());
        return;
    }
    const std::size_t next = (*current + 1) % rows_.size();
    if (FullyVisible(next)) {
        SetCurrent(next);
        return;
    }
    const std::int32_t hidden = visible_.back().top + rowHeight_ - height_;
    ScrollBy(hidden > 0 ? hidden : rowHeight_);
    SetCurrent(LastFullyVisible());
}

void t_RowList::Up() noexcept {
    if (rows_.empty()) return;
    const std::optional<std::size_t> current = highlights_.current;
    if (Fits()) {
        SetCurrent(current ? (*current + rows_.size() - 1) % rows_.size() : rows_.size() - 1);
        return;
    }
    if (!current) {
        SetCurrent(LastFullyVisible());
        return;
    }
    const std::size_t previous = (*current + rows_.size() - 1) % rows_.size();
    if (FullyVisible(previous)) {
        SetCurrent(previous);
        return;
    }
    const std::int32_t hidden = -visible_.front().top;
    ScrollBy(hidden > 0 ? -hidden : -rowHeight_);
    SetCurrent(FirstFullyVisible());
}

void t_RowList::PageDown() noexcept {
    if (Fits()) {
        End();
        return;
    }
    const std::int64_t target = std::int64_t{offset_} + height_;
    SetOffset(target - target % rowHeight_);
    SetCurrent(LastFullyVisible());
}

void t_RowList::PageUp() noexcept {
    if (Fits()) {
        Home();
        return;
    }
    const std::int32_t target = Cyclic(std::int64_t{offset_} - height_);
    SetOffset(target - target % rowHeight_);
    SetCurrent(FirstFullyVisible());
}

void t_RowList::Home() noexcept {
    if (rows_.empty()) return;
    SetOffset(0);
    SetCurrent(0);
}

void t_RowList::End() noexcept {
    if (rows_.empty()) return;
    SetOffset(Total() - height_);
    SetCurrent(rows_.size() - 1);
}

void t_RowList::KeepOnScreen(std::size_t row, std::int32_t top) noexcept {
    SetOffset(static_cast<std::int64_t>(row) * rowHeight_ - top);
}

void t_RowList::ShiftRows(std::size_t after, std::ptrdiff_t by, std::size_t folder) noexcept {
    // Rows removed with a closing folder give their place to the folder row.
    const auto shifted = [&](std::optional<std::size_t>& row) {
        if (!row || *row <= after) return;
        const auto moved = static_cast<std::ptrdiff_t>(*row) + by;
        row = moved <= static_cast<std::ptrdiff_t>(after) ? folder : static_cast<std::size_t>(moved);
    };
    shifted(highlights_.current);
    shifted(highlights_.preliminary);
    shifted(remembered_);
}

void t_RowList::Open(std::size_t row, std::span<const t_RowTraits> children) {
    if (row >= rows_.size() || !rows_[row].folder || rows_[row].open || children.empty()) return;
    const std::int32_t top = TopOnScreen(row).value_or(static_cast<std::int32_t>(row) * rowHeight_ - offset_);
    rows_[row].open = true;
    const auto at =
        rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(row) + 1, children.begin(), children.end());
    for (auto child = at; child != at + static_cast<std::ptrdiff_t>(children.size()); ++child) {
        child->depth = static_cast<std::uint16_t>(rows_[row].depth + 1);
        child->open = false;
    }
    ++rowsVersion_;
    ShiftRows(row, static_cast<std::ptrdiff_t>(children.size()), row);
    KeepOnScreen(row, top);
    SetCurrent(row);
}

void t_RowList::Close(std::size_t row) {
    if (row >= rows_.size() || !rows_[row].open) return;
    const std::int32_t top = TopOnScreen(row).value_or(static_cast<std::int32_t>(row) * rowHeight_ - offset_);
    std::size_t end = row + 1;
    while (end < rows_.size() && rows_[end].depth > rows_[row].depth) ++end;
    rows_[row].open = false;
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(row) + 1, rows_.begin() + static_cast<std::ptrdiff_t>(end));
    ++rowsVersion_;
    ShiftRows(row, -static_cast<std::ptrdiff_t>(end - row - 1), row);
    KeepOnScreen(row, top);
    SetCurrent(row);
}

bool t_RowList::SlideBy(std::int32_t dx) noexcept {
    const std::optional<std::size_t> current = highlights_.current;
    if (!current || !rows_[*current].launchable || dx == 0) return false;
    const std::int32_t slide = std::min(highlights_.slide + dx, slideRange_);
    if (slide == highlights_.slide) return false;
    highlights_.slide = slide;
    return true;
}

t_SlideEnd t_RowList::EndSlide() noexcept {
    const std::int32_t slide = highlights_.slide;
    highlights_.slide = 0;
    const std::optional<std::size_t> current = highlights_.current;
    if (!current || !rows_[*current].launchable) return t_SlideEnd::springBack;
    if (std::abs(slide) + slideTolerance_ < slideRange_) return t_SlideEnd::springBack;
    return slide < 1 ? t_SlideEnd::copyCommand : t_SlideEnd::launchElevated;
}

} // namespace n_ombrix

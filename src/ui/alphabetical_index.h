#pragma once
// The index bar beside the item list in application mode: one cell per first character of the list's rows, in the
// characters' order, and a band over the part of the index that matches the rows on screen. Longer than its pane,
// the index repeats endlessly (the list itself is cyclic) and follows the band as the list scrolls. Clicks and the
// wheel answer the row the list must scroll to. Platform-neutral; the Windows side draws what Bands and Letters say.

#include "ui/anchored_layout.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace n_ombrix {

// What the index needs to know of the list's visible rows; row indices are into the list's rows.
struct t_ListSpan {
    std::size_t firstRow = 0;    // first visible row
    std::int32_t firstTop = 0;   // its top relative to the list pane (<= 0: part of it may be scrolled out above)
    std::size_t lastRow = 0;     // last visible row
    std::int32_t lastBottom = 0; // its bottom relative to the list pane (>= the pane's height when cut off below)
    std::int32_t rowHeight = 0;  // R
    std::int32_t paneHeight = 0; // the list pane's
};

// Which way the list moved: forward is a scroll by a positive step or a folder opening.
enum class t_IndexDirection : bool { backward, forward };

// One letter to draw: its cell is CellHeight() high from top, across the pane.
struct t_IndexLetter {
    std::int32_t top = 0;
    wchar_t character = 0;
    friend constexpr bool operator==(const t_IndexLetter&, const t_IndexLetter&) = default;
};

class t_AlphabeticalIndex {
public:
    explicit t_AlphabeticalIndex(std::int32_t cellHeight) noexcept : cellHeight_(cellHeight) {}

    // After the list is refilled or a folder opens or closes: one initial per row, upper-cased here. The band is
    // empty until the next Synchronise.
    void Rebuild(std::span<const wchar_t> initials);
    void Resize(std::int32_t width, std::int32_t height);
    // After every scroll, fill or folder change of the list: places the band and, when the index does not fit,
    // scrolls it into view, unless the change came from a click on the index.
    void Synchronise(const t_ListSpan& span, t_IndexDirection direction);

    // Type-ahead: the first row whose initial is the character, upper-cased; nothing without such a row.
    std::optional<std::size_t> FirstRowOf(wchar_t character) const;
    // The first row of the letter under the pointer; nothing below the last letter of a fitting index.
    std::optional<std::size_t> ClickAt(std::int32_t y);
    // The first row of the letter the notches lead to from the one of the row at the list's top; positive notches
    // (the wheel turned away from the user) go to earlier letters. Wraps both ways.
    std::optional<std::size_t> Wheel(int notches, std::size_t firstRowInView);
    // Scrolls an index that does not fit, endlessly both ways; true when it moved.
    bool DragBy(std::int32_t dy);

    std::int32_t CellHeight() const noexcept { return cellHeight_; }
    bool Fits() const noexcept { return Period() <= height_; }
    std::int32_t Offset() const noexcept { return offset_; } // 0 to one period, 0 when the index fits
    // The band's rectangles in pane coordinates, and the letters from the pane's top to its bottom (repeating when
    // the index does not fit). The pane draws the background itself.
    std::vector<t_Rect> Bands() const;
    std::vector<t_IndexLetter> Letters() const;

    bool NeedsPainting() const noexcept { return needsPainting_; }
    void MarkForRepaint() noexcept { needsPainting_ = true; }
    void Painted() noexcept { needsPainting_ = false; }

private:
    struct t_Group {
        wchar_t character = 0;
        std::size_t firstRow = 0;
        std::size_t rowCount = 0;
    };
    // Where a row stands in its group; folders' child rows may break the list's order, so a group's rows need not
    // follow each other.
    struct t_RowPlace {
        std::size_t group = 0;
        std::size_t rank = 0; // the group's rows before this one
    };

    std::int32_t Period() const noexcept { return static_cast<std::int32_t>(groups_.size()) * cellHeight_; }
    // The band's edge at the given row's top plus the given part of the row.
    std::int64_t BandEdge(std::size_t row, std::int64_t partOfRow, std::int32_t rowHeight) const;
    // Both true when the offset changed.
    bool Follow(bool forward);
    bool SetOffset(std::int64_t offset); // brought into one period, 0 when the index fits

    std::int32_t cellHeight_;
    std::int32_t width_ = 0, height_ = 0;
    std::vector<t_Group> groups_; // by character
    std::vector<t_RowPlace> rows_;
    // The band in index coordinates, unwrapped: start may be up to one period before 0, end up to one period.
    std::int32_t bandStart_ = 0, bandEnd_ = 0;
    std::int32_t offset_ = 0;
    bool clicked_ = false;                 // the next Synchronise follows a click here and keeps the offset
    std::optional<bool> wheeledForward_{}; // the next Synchronise follows a wheel step here, in this direction
    bool needsPainting_ = true;
};

} // namespace n_ombrix

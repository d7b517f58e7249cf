#pragma once
// The item list's rows without their entries: which rows are placed, which are on screen, the current and the
// pointed-at row, the endless scrolling, the keyboard's moves, folders opening in place and the slides. The
// application-mode model keeps the entries and asks this for every rule; the pane asks it what to draw and where.
// Platform-neutral.
//
// The list scrolls by whole pixels. A list taller than its pane scrolls without end: the first row follows the last.
// A row may then show twice, cut at the top and at the bottom.

#include "ui/anchored_layout.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace n_ombrix {

// What the rules need to know of an entry, copied when the row is placed.
struct t_RowTraits {
    std::uint32_t entry = 0; // the owner's handle for the entry
    wchar_t initial = 0;     // the caption's first unit, upper-cased
    std::uint16_t depth = 0; // 0 at the top level, one more per opened folder
    bool folder = false;
    bool launchable = true;
    bool jumpList = false;
    bool secondaryText = false;
    bool open = false; // a folder whose children are placed below it
};

struct t_VisibleRow {
    std::size_t row = 0;
    std::int32_t top = 0; // relative to the pane
};

// What ending a slide asks for.
enum class t_SlideEnd : std::uint8_t {
    springBack,     // too short: the row only repaints
    copyCommand,    // slid to the right: the entry's command goes into the search box
    launchElevated, // slid to the left: launched with administrator rights
};

// How each row looks, apart from what it shows: compared before and after an operation, it tells the pane what to
// repaint.
struct t_RowHighlights {
    std::optional<std::size_t> current;
    std::optional<std::size_t> preliminary; // under the pointer
    bool glyphHighlight = false;            // only the current row's jump-list column is highlighted
    bool elevatedMode = false;
    std::int32_t slide = 0; // of the current row; positive: to the left
    friend bool operator==(const t_RowHighlights&, const t_RowHighlights&) = default;
};

// What the pane must repaint after an operation.
struct t_ListRepaint {
    bool everything = false;
    std::vector<t_Rect> rows; // when not everything: only these
};

// What changed since the list last settled.
struct t_RowListChanges {
    bool rowsPlaced = false; // rows were placed or removed (the index is rebuilt)
    bool moved = false;      // rows moved on screen (the index follows)
    t_ListRepaint repaint;
};

class t_RowList {
public:
    // Row height and slide range in pixels; how far short of the slide range a slide still counts.
    void SetRowMetrics(std::int32_t rowHeight, std::int32_t slideRange, std::int32_t slideTolerance) noexcept;
    void Resize(std::int32_t width, std::int32_t height) noexcept;
    // New rows, scrolled to the top, with nothing current or remembered. Search results are cut to what the pane
    // shows at once.
    void Fill(std::vector<t_RowTraits> rows, bool searchResults);

    const std::vector<t_RowTraits>& Rows() const noexcept { return rows_; }
    const std::vector<t_VisibleRow>& VisibleRows() const noexcept { return visible_; }
    std::int32_t Width() const noexcept { return width_; }
    std::int32_t Height() const noexcept { return height_; }
    std::int32_t RowHeight() const noexcept { return rowHeight_; }
    std::int32_t Offset() const noexcept { return offset_; }
    // Every row is on screen at once: nothing scrolls and the keys wrap around.
    bool Fits() const noexcept { return Total() <= height_; }
    // What changed since the last call: everything is repainted when rows moved, else the rows whose highlight
    // changed, wherever they show.
    t_RowListChanges Settle();
    const t_RowHighlights& Highlights() const noexcept { return highlights_; }
    std::optional<std::size_t> Current() const noexcept { return highlights_.current; }
    // The row where the list starts over, which carries the seam line; none while the list fits.
    std::optional<std::size_t> SeamRow() const noexcept;
    // Each row on screen once, from the top.
    std::vector<std::size_t> DistinctVisibleRows() const;
    // Where the row shows first on screen, if it does.
    std::optional<t_Rect> RowRectangle(std::size_t row) const noexcept;
    // The row on screen at y, if any.
    std::optional<std::size_t> RowAt(std::int32_t y) const noexcept;
    // Elevated by elevated mode or by a slide far enough to launch.
    bool Elevated(std::size_t row) const noexcept;

    // Makes a row current: the pointed-at row loses its highlight, the jump-list column its own.
    void SetCurrent(std::optional<std::size_t> row) noexcept;
    void PointAt(std::int32_t y) noexcept;
    void PointerLeft() noexcept;
    void FocusGained() noexcept;
    void SetElevatedMode(bool on) noexcept { highlights_.elevatedMode = on; }

    // Scrolls without end by dy pixels (nothing while the list fits); the current row stays current while it is
    // on screen. Returns whether anything moved.
    bool ScrollBy(std::int32_t dy) noexcept;
    // Shows the row at the top (as far as the list scrolls) and makes it current.
    void ShowAtTop(std::size_t row) noexcept;
    // The wheel: a page per notch, or lines per notch; positive notches (away from the user) go up.
    void Wheel(int notches, unsigned linesPerNotch, bool pages) noexcept;
    void Up() noexcept;
    void Down() noexcept;
    void PageUp() noexcept;
    void PageDown() noexcept;
    void Home() noexcept;
    void End() noexcept;

    // Opens a closed folder row with its children directly below it, keeping the row where it is on screen, and
    // makes it current.
    void Open(std::size_t row, std::span<const t_RowTraits> children);
    // Closes an open folder row: its descendants go, the row stays where it is on screen and becomes current.
    void Close(std::size_t row);

    // The slide of the current row; only launchable rows move, never further left than the slide range.
    void BeginSlide(std::int32_t y) noexcept { SetCurrent(RowAt(y)); }
    bool SlideBy(std::int32_t dx) noexcept;
    t_SlideEnd EndSlide() noexcept;

private:
    std::int32_t Total() const noexcept { return static_cast<std::int32_t>(rows_.size()) * rowHeight_; }
    std::int32_t Cyclic(std::int64_t offset) const noexcept;
    void SetOffset(std::int64_t offset) noexcept;
    void Rebuild() noexcept;
    std::optional<std::size_t> FirstFullyVisible() const noexcept;
    std::optional<std::size_t> LastFullyVisible() const noexcept;
    bool FullyVisible(std::size_t row) const noexcept;
    std::optional<std::int32_t> TopOnScreen(std::size_t row) const noexcept;
    // Keeps a row at a screen position after rows were added or removed below it.
    void KeepOnScreen(std::size_t row, std::int32_t top) noexcept;
    void ShiftRows(std::size_t after, std::ptrdiff_t by, std::size_t folder) noexcept;

    std::vector<t_RowTraits> rows_;
    std::vector<t_VisibleRow> visible_;
    std::int32_t rowHeight_ = 1;
    std::int32_t slideRange_ = 1;
    std::int32_t slideTolerance_ = 0;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::int32_t offset_ = 0;
    // Counted up when rows move on screen (scrolling, filling, resizing, folders) and when they are placed or
    // removed (filling, folders); Settle compares them with what it last saw.
    std::uint64_t layoutVersion_ = 0;
    std::uint64_t rowsVersion_ = 0;
    std::uint64_t settledLayout_ = 0;
    std::uint64_t settledRows_ = 0;
    t_RowHighlights settledHighlights_;
    t_RowHighlights highlights_;
    std::optional<std::size_t> remembered_; // the current row while the pointer is away
};

} // namespace n_ombrix

#pragma once
// Where each part of an item-list row goes, in both row sizes. Platform-neutral: the pane measures the fonts and
// hands the heights in; everything else is arithmetic on the widget metrics.

#include "ui/anchored_layout.h"
#include "ui/widget_metrics.h"

#include <cstdint>

namespace n_ombrix {

// Recomputed whenever the configuration is applied: compact mode and icons take effect at once.
struct t_RowMetrics {
    std::int32_t rowHeight = 0;
    std::int32_t slideRange = 0; // also the icon column's width
    std::int32_t indentUnit = 0; // per level of an opened folder
    std::int32_t iconLeftInset = 0;
    std::int32_t iconTopInset = 0;
    std::int32_t textRightInset = 0;
    std::int32_t glyphColumnWidth = 0; // the jump-list mark's column
    std::int32_t captionHeight = 0;    // of "Gg" in the caption font
    std::int32_t dragWidth = 0;        // how far short of the slide range a slide still counts
    bool compact = false;              // one line per row, without the secondary text
    bool showIcons = true;

    // captionHeight: the text height of the 20-px font in normal rows, of the 16-px font in compact ones.
    static t_RowMetrics For(const t_WidgetMetrics& metrics, std::int32_t captionHeight, bool compact,
                            bool showIcons) noexcept;
};

struct t_RowGeometry {
    t_Rect row, caption, secondary, glyphColumn; // secondary and glyphColumn empty when the row has none
    std::int32_t iconX = 0, iconY = 0;
};

// A row whose top is at `top` in the pane, for an entry nested `depth` folders deep.
t_RowGeometry RowGeometry(const t_RowMetrics& metrics, std::int32_t listWidth, std::int32_t top, int depth,
                          bool hasJumpList, bool hasSecondaryText) noexcept;

// A row of the command list: the command on the first line, what does not fit on it on the second (normal rows
// only), both between the text insets.
t_RowGeometry CommandRowGeometry(const t_RowMetrics& metrics, std::int32_t listWidth, std::int32_t top) noexcept;

} // namespace n_ombrix

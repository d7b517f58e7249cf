#include "ui/item_row_geometry.h"

namespace n_ombrix {

t_RowMetrics t_RowMetrics::For(const t_WidgetMetrics& metrics, std::int32_t captionHeight, bool compact,
                               bool showIcons) noexcept {
    const std::int32_t slideRange = compact ? metrics.smallSlideRange : metrics.slideRange;
    return {.rowHeight = compact ? metrics.compactRowHeight : metrics.rowHeight,
            .slideRange = slideRange,
            .indentUnit = slideRange / 4,
            .iconLeftInset = metrics.iconLeftInset,
            .iconTopInset = metrics.iconTopInset,
            .textRightInset = metrics.textRightInset,
            .glyphColumnWidth = metrics.smallSlideRange,
            .captionHeight = captionHeight,
            .dragWidth = metrics.dragWidth,
            .compact = compact,
            .showIcons = showIcons};
}

t_RowGeometry RowGeometry(const t_RowMetrics& metrics, std::int32_t listWidth, std::int32_t top, int depth,
                          bool hasJumpList, bool hasSecondaryText) noexcept {
    const std::int32_t indent = depth * metrics.indentUnit;
    const std::int32_t bottom = top + metrics.rowHeight;
    const std::int32_t iconColumn = metrics.showIcons ? metrics.slideRange : metrics.textRightInset;
    t_RowGeometry geometry;
    geometry.row = {0, top, listWidth, bottom};
    geometry.iconX = metrics.iconLeftInset + indent;
    geometry.iconY = top + metrics.iconTopInset;
    // The caption's box reaches above the row in normal rows: the font's internal leading sits there.
    const std::int32_t captionTop = metrics.compact ? top + 1 : top - 3;
    geometry.caption = {iconColumn + indent, captionTop,
                        listWidth - metrics.textRightInset - (hasJumpList ? metrics.glyphColumnWidth : 0),
                        captionTop + (metrics.compact ? metrics.rowHeight : metrics.captionHeight)};
    if (!metrics.compact && hasSecondaryText)
        geometry.secondary = {geometry.caption.left, geometry.caption.bottom - 3, geometry.caption.right, bottom};
    if (hasJumpList) geometry.glyphColumn = {listWidth - metrics.glyphColumnWidth, top, listWidth, bottom};
    return geometry;
}

t_RowGeometry CommandRowGeometry(const t_RowMetrics& metrics, std::int32_t listWidth, std::int32_t top) noexcept {
    const std::int32_t left = metrics.textRightInset, right = listWidth - metrics.textRightInset;
    t_RowGeometry geometry;
    geometry.row = {0, top, listWidth, top + metrics.rowHeight};
    if (metrics.compact) {
        geometry.caption = {left, top + 1, right, top + 1 + metrics.rowHeight};
        return geometry;
    }
    geometry.caption = {left, top - 3, right, top - 3 + metrics.captionHeight};
    geometry.secondary = {left, geometry.caption.bottom - 3, right, geometry.row.bottom};
    return geometry;
}

} // namespace n_ombrix

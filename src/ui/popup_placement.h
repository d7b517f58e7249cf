#pragma once
// Where the popup goes and how far its right edge may be dragged. Platform-neutral.

#include "ui/anchored_layout.h"

#include <algorithm>
#include <cstdint>

namespace n_ombrix {

// At the work area's top-left corner, as tall as the work area, the stored width unless the area is narrower.
constexpr t_Rect PopupPlacement(const t_Rect& workArea, std::int32_t width) noexcept {
    return {workArea.left, workArea.top, workArea.left + std::min(width, workArea.Width()), workArea.bottom};
}

// The right edge a drag to proposedRight leaves, so that the side pane keeps at least floor pixels.
constexpr std::int32_t DraggedRightEdge(std::int32_t right, std::int32_t proposedRight, std::int32_t sidePaneWidth,
                                        std::int32_t floor) noexcept {
    return std::max(proposedRight, right + floor - sidePaneWidth);
}

} // namespace n_ombrix

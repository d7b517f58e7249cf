#pragma once
// Whether one of the shell's corner input windows lies over a Start button, taking its clicks: its left edge at the
// button's, narrower on the right, and either sharing the button's bottom edge with its top below the button's top,
// or starting above the button and ending inside it. Platform-neutral.

#include "ui/anchored_layout.h"

namespace n_ombrix {

constexpr bool CornerWindowCoversStart(const t_Rect& start, const t_Rect& corner) noexcept {
    return start.left == corner.left && start.right > corner.right &&
           ((start.top < corner.top && start.bottom == corner.bottom) ||
            (start.top > corner.top && start.top < corner.bottom && start.bottom > corner.bottom));
}

} // namespace n_ombrix

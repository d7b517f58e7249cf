#pragma once
// Whether the pointer is over a button-like pane, and its highlight: the first move over the pane starts leave
// tracking and highlights it; leaving takes the highlight away, unless a menu of the pane is open. Each step says
// whether the highlight changed, which is when the pane repaints.

#include <windows.h>

namespace n_ombrix {

class t_HotTracking {
public:
    // WM_MOUSEMOVE. A move the popup ignores (the first one after it shows, or with the pointer hidden) changes
    // nothing.
    bool Move(HWND window, bool ignored) noexcept {
        if (ignored || hot_) return false;
        TRACKMOUSEEVENT tracking{
            .cbSize = sizeof(TRACKMOUSEEVENT), .dwFlags = TME_LEAVE, .hwndTrack = window, .dwHoverTime = HOVER_DEFAULT};
        TrackMouseEvent(&tracking);
        hot_ = true;
        return SetHighlighted(true);
    }

    // WM_MOUSELEAVE.
    bool Leave(bool menuOpen) noexcept {
        hot_ = false;
        return menuOpen ? false : SetHighlighted(false);
    }

    // Whether the highlight changed.
    bool SetHighlighted(bool highlighted) noexcept {
        const bool changed = highlighted != highlighted_;
        highlighted_ = highlighted;
        return changed;
    }

    bool Hot() const noexcept { return hot_; }
    bool Highlighted() const noexcept { return highlighted_; }

private:
    bool hot_ = false;
    bool highlighted_ = false;
};

} // namespace n_ombrix

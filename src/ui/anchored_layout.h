#pragma once
// Where a pane goes when its parent changes size: each edge may follow an edge of a pane laid out before it, at a
// margin. Panes are laid out in an order in which every pane they refer to comes first, so a reference always
// holds the referred pane's new position. Platform-neutral; the Windows side moves the windows in one batch.

#include <algorithm>
#include <cstdint>

namespace n_ombrix {

struct t_Rect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    constexpr std::int32_t Width() const noexcept { return right - left; }
    constexpr std::int32_t Height() const noexcept { return bottom - top; }
    friend constexpr bool operator==(const t_Rect&, const t_Rect&) = default;
};

// One edge's anchor: an edge of another pane's rectangle (not owned; empty when the edge does not follow one) and
// the margin from it.
struct t_Anchor {
    const std::int32_t* reference = nullptr;
    std::int32_t margin = 0;
};

struct t_Anchors {
    t_Anchor left{}, top{}, right{}, bottom{};
};

// One axis. With a reference for the start (left or top) the position follows it, and with one for the end too
// the length stretches between them (at least 1); with only an end reference the pane keeps its length and follows
// that edge; without any it stays where it is.
constexpr void ApplyAnchors(const t_Anchor& start, const t_Anchor& end, std::int32_t& position,
                            std::int32_t& length) noexcept {
    if (start.reference) {
        position = *start.reference + start.margin;
        if (end.reference) length = std::max(*end.reference - position - end.margin, 1);
    } else if (end.reference) {
        position = *end.reference - length - end.margin;
    }
}

constexpr t_Rect AnchoredRect(const t_Rect& current, const t_Anchors& anchors) noexcept {
    std::int32_t x = current.left, y = current.top, width = current.Width(), height = current.Height();
    ApplyAnchors(anchors.left, anchors.right, x, width);
    ApplyAnchors(anchors.top, anchors.bottom, y, height);
    return {x, y, x + width, y + height};
}

// The SetWindowPos flags of a move from one rectangle to another (the values are the platform's): the caller's,
// with "no move" when the position stays (unless the caller forces the move) and "no size" when the size stays.
namespace n_move_flags {
inline constexpr unsigned noSize = 0x0001, noMove = 0x0002, noZOrder = 0x0004, noRedraw = 0x0008, noActivate = 0x0010,
                          noCopyBits = 0x0100, noOwnerZOrder = 0x0200;
// What a move that changes nothing at all carries.
inline constexpr unsigned nothing = noSize | noMove | noZOrder | noRedraw | noActivate | noCopyBits | noOwnerZOrder;
} // namespace n_move_flags

constexpr unsigned MoveFlags(const t_Rect& from, const t_Rect& to, unsigned callerFlags, bool forceMove) noexcept {
    unsigned flags = callerFlags;
    if (!forceMove && from.left == to.left && from.top == to.top) flags |= n_move_flags::noMove;
    if (from.Width() == to.Width() && from.Height() == to.Height()) flags |= n_move_flags::noSize;
    return flags;
}

// Whether a move with these flags does nothing, so that it is left out of the batch.
constexpr bool MovesNothing(unsigned flags) noexcept { return (flags & 0x7FF) == n_move_flags::nothing; }

} // namespace n_ombrix

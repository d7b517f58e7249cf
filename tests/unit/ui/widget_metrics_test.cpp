// The popup's lengths, and where its panes and the popup itself go.

#include "ui/anchored_layout.h"
#include "ui/popup_placement.h"
#include "ui/widget_metrics.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace n_ombrix;

// At 144 DPI, class 2, with 48-px and 24-px system icons: lengths given at 96 DPI scale, the tables go by the class.
// (At 96 DPI they are the lengths the item list's painting tests measure.)
TEST(WidgetMetrics, LengthsScaleWithTheDpiAndTablesWithItsClass) {
    const t_DisplayMetrics display{144, 144, 48, 48, 24, 24, 2}; // DPI, icon and small icon sizes, class
    const t_WidgetMetrics m = t_WidgetMetrics::For(display, {});
    EXPECT_EQ(std::tuple(m.unit, m.buttonWidth, m.wideUnit, m.slideRange, m.smallSlideRange, m.rowHeight,
                         m.compactRowHeight, m.iconLeftInset, m.iconTopInset, m.gripOffset, m.buttonImage),
              std::tuple(30, 74, 296, 86, 62, 59, 35, 19, 5, 0, 48));
}

TEST(AnchoredLayout, EdgesFollowTheirReferencesAndAStretchedPaneKeepsOnePixel) {
    const std::int32_t left = 10, right = 100, narrow = 14;
    const t_Rect pane{0, 0, 30, 20};
    // Left and right: stretched between them; right only: its width kept; none: where it was.
    EXPECT_EQ(AnchoredRect(pane, {.left = {&left, 2}, .right = {&right, 8}}), (t_Rect{12, 0, 92, 20}));
    EXPECT_EQ(AnchoredRect(pane, {.right = {&right, 8}}), (t_Rect{62, 0, 92, 20}));
    EXPECT_EQ(AnchoredRect(pane, {}), pane);
    EXPECT_EQ(AnchoredRect(pane, {.left = {&left, 2}, .right = {&narrow, 8}, .bottom = {&right, 0}}),
              (t_Rect{12, 80, 13, 100}));
    // A pane whose rectangle stays is not moved; a forced move or a new size is.
    const unsigned flags = n_move_flags::noZOrder | n_move_flags::noRedraw | n_move_flags::noActivate |
                           n_move_flags::noCopyBits | n_move_flags::noOwnerZOrder;
    EXPECT_TRUE(MovesNothing(MoveFlags(pane, pane, flags, false)));
    EXPECT_FALSE(MovesNothing(MoveFlags(pane, pane, flags, true)));
    EXPECT_FALSE(MovesNothing(MoveFlags(pane, {0, 0, 31, 20}, flags, false)));
    EXPECT_FALSE(MovesNothing(MoveFlags(pane, pane, n_move_flags::noZOrder, false)));
}

TEST(PopupPlacement, TheWorkAreasCornerItsHeightAndTheWidthItAllows) {
    // Taskbar at the left, at the top, and an area narrower than the stored width.
    EXPECT_EQ(PopupPlacement({60, 0, 1280, 800}, 621), (t_Rect{60, 0, 681, 800}));
    EXPECT_EQ(PopupPlacement({0, 40, 1280, 800}, 621), (t_Rect{0, 40, 621, 800}));
    EXPECT_EQ(PopupPlacement({0, 0, 400, 770}, 621), (t_Rect{0, 0, 400, 770}));
    // A drag to the left stops where the 250-px side pane would drop below 100 px; to the right it is free.
    EXPECT_EQ(DraggedRightEdge(621, 221, 250, 100), 471);
    EXPECT_EQ(DraggedRightEdge(621, 500, 250, 100), 500);
    EXPECT_EQ(DraggedRightEdge(621, 700, 250, 100), 700);
}

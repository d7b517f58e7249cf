// Which of the shell's corner input windows lie over a Start button at (0, 40)-(48, 80).

#include "taskbar/corner_window.h"

#include <gtest/gtest.h>

#include <utility>
using namespace n_ombrix;

TEST(CornerWindow, OnlyAWindowAtTheButtonsLeftEdgeNarrowerAndOverlappingItsBottomOrTopTakesItsClicks) {
    constexpr t_Rect start{0, 40, 48, 80};
    const std::pair<t_Rect, bool> cases[] = {
        // the window's rectangle, whether it takes the clicks
        {{0, 60, 20, 80}, true},   // the button's bottom edge, its top below the button's
        {{0, 40, 20, 80}, false},  // the button's top too
        {{0, 20, 20, 60}, true},   // from above into the button
        {{0, 20, 20, 80}, false},  // from above to the button's bottom
        {{0, 60, 48, 80}, false},  // as wide as the button
        {{1, 60, 20, 80}, false},  // another left edge
        {{0, 0, 20, 40}, false},   // above, touching
        {{0, 20, 20, 100}, false}, // beyond the bottom
    };
    for (const auto& [corner, covers] : cases)
        EXPECT_EQ(CornerWindowCoversStart(start, corner), covers)
            << corner.left << "," << corner.top << "," << corner.right << "," << corner.bottom;
}

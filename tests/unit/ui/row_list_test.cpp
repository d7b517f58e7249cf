// The item list's rules without a window: rows 40 px high in a pane 100 px high unless a case says otherwise, so
// two rows show whole and a third is cut.

#include "ui/item_row_geometry.h"
#include "ui/row_list.h"
#include "ui/wheel_notches.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

using namespace n_ombrix;

namespace {

constexpr std::int32_t rowHeight = 40;

t_RowTraits Launchable() { return {}; }
t_RowTraits Folder() { return {.folder = true, .launchable = false}; }

t_RowList ListOf(std::size_t rows, std::int32_t height = 100, bool searchResults = false) {
    t_RowList list;
    list.SetRowMetrics(rowHeight, 58, 4);
    list.Resize(300, height);
    list.Fill(std::vector<t_RowTraits>(rows, Launchable()), searchResults);
    return list;
}

// Rows on screen as "row@top".
std::string Screen(const t_RowList& list) {
    std::string screen;
    for (const t_VisibleRow& visible : list.VisibleRows())
        screen += (screen.empty() ? "" : " ") + std::to_string(visible.row) + "@" + std::to_string(visible.top);
    return screen;
}

} // namespace

TEST(RowList, ScrollsWithoutEndUnlessEveryRowFits) {
    struct t_Case {
        std::size_t rows;
        std::int32_t height;
        std::vector<std::int32_t> steps;
        std::int32_t offset;
        const char* screen;
    };
    const t_Case cases[] = {
        {5, 100, {-30}, 170, "4@-10 0@30 1@70"}, // above the first row: the last one, then the first again
        {5, 100, {250}, 50, "1@-10 2@30 3@70"},  // past the end: from the start
        {5, 100, {120, 120, -40}, 0, "0@0 1@40 2@80"},
        {2, 100, {30}, 0, "0@0 1@40"}, // fits: nothing scrolls, nothing repeats
        {0, 100, {30}, 0, ""},
    };
    for (const t_Case& c : cases) {
        t_RowList list = ListOf(c.rows, c.height);
        for (const std::int32_t dy : c.steps) list.ScrollBy(dy);
        EXPECT_EQ(list.Offset(), c.offset) << c.screen;
        EXPECT_EQ(Screen(list), c.screen);
    }
    // Only the last row of a list that does not fit carries the seam.
    EXPECT_EQ(ListOf(5).SeamRow(), 4u);
    EXPECT_EQ(ListOf(2).SeamRow(), std::nullopt);
}

TEST(RowList, KeysMoveByRowsAndPagesWrappingAround) {
    using t_Key = void (t_RowList::*)() noexcept;
    struct t_Case {
        std::size_t rows;
        std::optional<std::size_t> current;
        std::int32_t offset;
        std::vector<t_Key> keys;
        std::optional<std::size_t> expectedCurrent;
        const char* screen;
    };
    const auto up = &t_RowList::Up, down = &t_RowList::Down;
    const t_Case cases[] = {
        // Everything fits: the keys wrap from the last row to the first and back.
        {2, std::nullopt, 0, {down}, 0, "0@0 1@40"},
        {2, 1, 0, {down}, 0, "0@0 1@40"},
        {2, 0, 0, {up}, 1, "0@0 1@40"},
        {2, std::nullopt, 0, {up}, 1, "0@0 1@40"},
        {2, 0, 0, {&t_RowList::PageDown}, 1, "0@0 1@40"},
        // The row below is cut: the list moves by the hidden part; then by whole rows.
        {5, 1, 0, {down}, 2, "0@-20 1@20 2@60"},
        {5, 1, 0, {down, down}, 3, "1@-20 2@20 3@60"},
        {5, 4, 100, {down}, 0, "3@-20 4@20 0@60"},
        {5, std::nullopt, 20, {down}, 1, "0@-20 1@20 2@60"},
        {5, 1, 20, {up, up}, 4, "4@0 0@40 1@80"},
        {5, std::nullopt, 20, {up}, 2, "0@-20 1@20 2@60"},
        // Pages: by the pane's height, then to whole rows; Home and End bring their rows into view.
        {5, 0, 0, {&t_RowList::PageDown}, 3, "2@0 3@40 4@80"},
        {5, 3, 80, {&t_RowList::PageUp}, 4, "4@0 0@40 1@80"},
        {5, 2, 60, {&t_RowList::Home}, 0, "0@0 1@40 2@80"},
        {5, 0, 0, {&t_RowList::End}, 4, "2@-20 3@20 4@60"},
    };
    for (const t_Case& c : cases) {
        t_RowList list = ListOf(c.rows);
        list.ScrollBy(c.offset);
        list.SetCurrent(c.current);
        for (const t_Key key : c.keys) std::invoke(key, list);
        EXPECT_EQ(list.Current(), c.expectedCurrent) << c.screen;
        EXPECT_EQ(Screen(list), c.screen);
    }
}

TEST(RowList, SearchResultsAreCutToOnePageAndWrap) {
    t_RowList list = ListOf(10, 100, true);
    EXPECT_EQ(Screen(list), "0@0 1@40");
    list.SetCurrent(1);
    list.Down();
    EXPECT_EQ(list.Current(), 0u);
    EXPECT_FALSE(list.ScrollBy(40));
}

TEST(RowList, TheWheelShowsACutRowWholeFirstAndGoesRoundByLines) {
    struct t_Case {
        std::int32_t offset;
        int notches;
        unsigned lines;
        bool pages;
        std::int32_t expected;
    };
    const t_Case cases[] = {
        {20, 1, 3, false, 120},  // up: 20 px bring row 0 whole, two rows more
        {20, -1, 3, false, 140}, // down: row 2 already ends at the bottom edge
        {0, -1, 3, false, 100},  // down: 20 px bring row 2 whole
        {10, -1, 3, false, 100}, // down: row 2 is cut by 10 px
        {0, 2, 5, false, 0},     // ten lines over five rows: back where it was
        {0, -1, 0, true, 100},   // a page per notch
    };
    for (const t_Case& c : cases) {
        t_RowList list = ListOf(5);
        list.ScrollBy(c.offset);
        list.Wheel(c.notches, c.lines, c.pages);
        EXPECT_EQ(list.Offset(), c.expected) << c.offset << " " << c.notches;
    }
    t_RowList fitting = ListOf(2);
    fitting.Wheel(-1, 3, false);
    EXPECT_EQ(fitting.Offset(), 0);
}

TEST(RowList, AFolderOpensAndClosesWhereItStandsOnScreen) {
    const t_RowTraits children[] = {Launchable(), Launchable(), Launchable()};
    struct t_Case {
        std::int32_t offset;
        std::size_t folder;
        std::size_t current; // before, a row after the folder
        const char* opened;
        std::size_t currentWhenOpen;
    };
    const t_Case cases[] = {
        {130, 4, 5, "3@-10 4@30 5@70", 4}, // in the middle of the screen
        {170, 0, 5, "7@-10 8@30 0@70", 0}, // shown after the seam: below rows that the children push down
        {0, 1, 3, "0@0 1@40 2@80", 1},
    };
    for (const t_Case& c : cases) {
        t_RowList list = ListOf(6);
        std::vector<t_RowTraits> rows(6, Launchable());
        rows[c.folder] = Folder();
        list.Fill(rows, false);
        list.ScrollBy(c.offset);
        const std::string before = Screen(list);
        list.SetCurrent(c.current);
        list.Open(c.folder, children);
        EXPECT_EQ(Screen(list), c.opened);
        EXPECT_EQ(list.Current(), c.currentWhenOpen);
        EXPECT_EQ(list.Rows().size(), 9u);
        EXPECT_EQ(list.Rows()[c.folder + 1].depth, 1);
        list.Close(c.folder);
        EXPECT_EQ(Screen(list), before);
        EXPECT_EQ(list.Rows().size(), 6u);
    }
    // A list that fitted until the folder opened keeps its rows where they were.
    t_RowList small = ListOf(1, 200);
    small.Fill({Folder()}, false);
    small.Open(0, children);
    small.Open(0, children); // already open: nothing more
    EXPECT_EQ(Screen(small), "0@0 1@40 2@80 3@120");
    small.SetCurrent(3);
    small.Close(0);
    EXPECT_EQ(small.Current(), 0u);
}

TEST(RowList, OnlyLaunchableRowsSlideAndOnlyFarEnoughSlidesCount) {
    struct t_Case {
        t_RowTraits row;
        std::vector<std::int32_t> moves;
        t_SlideEnd end;
    };
    const t_Case cases[] = {
        {Launchable(), {30, 24}, t_SlideEnd::launchElevated}, // 54 + the 4-px tolerance reaches 58
        {Launchable(), {30, 23}, t_SlideEnd::springBack},
        {Launchable(), {100}, t_SlideEnd::launchElevated}, // held at 58
        {Launchable(), {-54}, t_SlideEnd::copyCommand},
        {Launchable(), {-53}, t_SlideEnd::springBack},
        {Folder(), {100}, t_SlideEnd::springBack},
    };
    for (const t_Case& c : cases) {
        t_RowList list = ListOf(2);
        list.Fill({c.row, Launchable()}, false);
        list.BeginSlide(10);
        for (const std::int32_t dx : c.moves) list.SlideBy(dx);
        EXPECT_LE(list.Highlights().slide, 58);
        EXPECT_EQ(list.Elevated(0), c.end == t_SlideEnd::launchElevated);
        EXPECT_EQ(list.EndSlide(), c.end);
        EXPECT_EQ(list.Highlights().slide, 0);
    }
}

TEST(RowList, ThePointerLeavesTheJumpListRowCurrentAndRemembersAnyOther) {
    t_RowList list = ListOf(3, 200);
    list.Fill({Launchable(), {.jumpList = true}, Launchable()}, false);
    EXPECT_TRUE(list.Settle().repaint.everything);
    list.PointAt(45);
    EXPECT_EQ(list.Highlights().preliminary, 1u);
    // Only the rows whose highlight changed are repainted.
    list.Settle();
    list.PointAt(90);
    EXPECT_EQ(list.Settle().repaint.rows, (std::vector<t_Rect>{{0, 40, 300, 80}, {0, 80, 300, 120}}));
    list.SetCurrent(1);
    list.PointerLeft();
    EXPECT_EQ(list.Highlights(), (t_RowHighlights{.current = 1, .preliminary = std::nullopt, .glyphHighlight = true}));
    list.FocusGained();
    EXPECT_FALSE(list.Highlights().glyphHighlight);

    list.SetCurrent(2);
    list.PointerLeft();
    EXPECT_EQ(list.Current(), std::nullopt);
    list.FocusGained();
    EXPECT_EQ(list.Current(), 2u);
    // Elevated mode marks launchable highlighted rows only.
    list.SetElevatedMode(true);
    EXPECT_TRUE(list.Elevated(2));
    EXPECT_FALSE(list.Elevated(0));
}

TEST(RowGeometry, PlacesEveryPartOfARowInBothSizes) {
    const t_WidgetMetrics metrics = t_WidgetMetrics::For({}, {});
    // At 96 DPI: rows 40 px, icon column 58, glyph column 42, caption "Gg" 23 px high.
    const t_RowMetrics normal = t_RowMetrics::For(metrics, 23, false, true);
    t_RowGeometry row = RowGeometry(normal, 300, 80, 1, true, true);
    EXPECT_EQ(row.row, (t_Rect{0, 80, 300, 120}));
    EXPECT_EQ(std::pair(row.iconX, row.iconY), std::pair(13 + 14, 84));
    EXPECT_EQ(row.caption, (t_Rect{58 + 14, 77, 300 - 4 - 42, 100}));
    EXPECT_EQ(row.secondary, (t_Rect{72, 97, 254, 120}));
    EXPECT_EQ(row.glyphColumn, (t_Rect{258, 80, 300, 120}));

    // Compact: one line as high as the row, no secondary text; without icons the text starts at the inset.
    const t_RowMetrics compact = t_RowMetrics::For(metrics, 18, true, false);
    row = RowGeometry(compact, 300, 0, 0, false, true);
    EXPECT_EQ(row.row, (t_Rect{0, 0, 300, 24}));
    EXPECT_EQ(row.caption, (t_Rect{4, 1, 296, 25}));
    EXPECT_EQ(row.secondary, t_Rect{});
    EXPECT_EQ(row.glyphColumn, t_Rect{});

    // A command's two lines span the row between the insets; compact rows have the first only.
    row = CommandRowGeometry(normal, 300, 40);
    EXPECT_EQ(std::pair(row.caption, row.secondary), std::pair(t_Rect{4, 37, 296, 60}, t_Rect{4, 57, 296, 80}));
    row = CommandRowGeometry(compact, 300, 24);
    EXPECT_EQ(std::pair(row.caption, row.secondary), std::pair(t_Rect{4, 25, 296, 49}, t_Rect{}));
}

TEST(WheelSteps, ANotchIsAStepAndLessThanANotchIsOne) {
    const std::pair<int, int> cases[] = {{120, 1}, {30, 1}, {-240, -2}, {-1, -1}, {0, 0}, {250, 2}};
    for (const auto& [delta, steps] : cases) EXPECT_EQ(WheelSteps(delta), steps) << delta;
}

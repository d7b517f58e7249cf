// The item list's rules without a window: rows 40 px high in a pane 100 px high unless a case says otherwise, so
// two rows show whole and a third is cut.

#include "ui/row_list.h"
#include "ui/wheel_notches.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

using namespace n_ombrix;

namespace {

constexpr t_RowTraits launchable{}, folderRow{.folder = true, .launchable = false};

t_RowList ListOf(std::vector<t_RowTraits> rows, std::int32_t height = 100, bool searchResults = false) {
    t_RowList list;
    list.SetRowMetrics(40, 58, 4);
    list.Resize(300, height);
    list.Fill(std::move(rows), searchResults);
    return list;
}
t_RowList ListOf(std::size_t rows, std::int32_t height = 100, bool searchResults = false) {
    return ListOf(std::vector(rows, launchable), height, searchResults);
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
    // Only the last row of a list that does not fit carries the seam; search results are cut to one page.
    const std::tuple<std::size_t, bool, std::int32_t, std::int32_t, const char*, std::optional<std::size_t>> cases[] = {
        {5, false, -30, 170, "4@-10 0@30 1@70", 4},  // above the first row: the last one, then the first again
        {5, false, 250, 50, "1@-10 2@30 3@70", 4},   // past the end: from the start
        {2, false, 30, 0, "0@0 1@40", std::nullopt}, // fits: nothing scrolls, nothing repeats
        {0, false, 30, 0, "", std::nullopt},
        {10, true, 40, 0, "0@0 1@40", std::nullopt}, // search results: one page, which does not scroll
    };
    for (const auto& [rows, searchResults, dy, offset, screen, seam] : cases) {
        t_RowList list = ListOf(rows, 100, searchResults);
        list.ScrollBy(dy);
        EXPECT_EQ(std::tuple(list.Offset(), Screen(list), list.SeamRow()),
                  std::tuple(offset, std::string(screen), seam));
    }
    // The keys wrap within the page of search results.
    t_RowList results = ListOf(10, 100, true);
    results.SetCurrent(1);
    results.Down();
    EXPECT_EQ(results.Current(), 0u);
}

TEST(RowList, KeysMoveByRowsAndPagesWrappingAround) {
    using t_Key = void (t_RowList::*)() noexcept;
    const auto up = &t_RowList::Up, down = &t_RowList::Down;
    const std::tuple<std::size_t, std::optional<std::size_t>, std::int32_t, t_Key, std::optional<std::size_t>,
                     const char*>
        cases[] = {
            // Everything fits: the keys wrap from the last row to the first and back.
            {2, std::nullopt, 0, down, 0, "0@0 1@40"},
            {2, 1, 0, down, 0, "0@0 1@40"},
            {2, 0, 0, up, 1, "0@0 1@40"},
            {2, std::nullopt, 0, up, 1, "0@0 1@40"},
            {2, 0, 0, &t_RowList::PageDown, 1, "0@0 1@40"},
            // The row beyond is cut: the list moves by the hidden part; hidden wholly: by a row, round the seam.
            {5, 1, 0, down, 2, "0@-20 1@20 2@60"},
            {5, 4, 100, down, 0, "3@-20 4@20 0@60"},
            {5, 1, 20, up, 0, "0@0 1@40 2@80"},
            {5, 0, 0, up, 4, "4@0 0@40 1@80"},
            // Without a current row: the first or the last whole one.
            {5, std::nullopt, 20, down, 1, "0@-20 1@20 2@60"},
            {5, std::nullopt, 20, up, 2, "0@-20 1@20 2@60"},
            // Pages: by the pane's height, then to whole rows; Home and End bring their rows into view.
            {5, 0, 0, &t_RowList::PageDown, 3, "2@0 3@40 4@80"},
            {5, 3, 80, &t_RowList::PageUp, 4, "4@0 0@40 1@80"},
            {5, 2, 60, &t_RowList::Home, 0, "0@0 1@40 2@80"},
            {5, 0, 0, &t_RowList::End, 4, "2@-20 3@20 4@60"},
        };
    for (const auto& [rows, current, offset, key, expectedCurrent, screen] : cases) {
        t_RowList list = ListOf(rows);
        list.ScrollBy(offset);
        list.SetCurrent(current);
        std::invoke(key, list);
        EXPECT_EQ(std::pair(list.Current(), Screen(list)), std::pair(expectedCurrent, std::string(screen)));
    }
}

TEST(RowList, TheWheelShowsACutRowWholeFirstAndGoesRoundByLines) {
    const std::tuple<std::int32_t, int, unsigned, bool, std::int32_t> cases[] = {
        {20, 1, 3, false, 120},  // up: 20 px bring row 0 whole, two rows more
        {20, -1, 3, false, 140}, // down: row 2 already ends at the bottom edge
        {0, -1, 3, false, 100},  // down: 20 px bring row 2 whole
        {0, 2, 5, false, 0},     // ten lines over five rows: back where it was
        {0, -1, 0, true, 100},   // a page per notch
    };
    for (const auto& [offset, notches, lines, pages, expected] : cases) {
        t_RowList list = ListOf(5);
        list.ScrollBy(offset);
        list.Wheel(notches, lines, pages);
        EXPECT_EQ(list.Offset(), expected) << offset << " " << notches;
    }
    ListOf(0).Wheel(-1, 3, false); // no rows to go round
}

TEST(RowList, AFolderOpensAndClosesWhereItStandsOnScreen) {
    const t_RowTraits children[] = {launchable, launchable, launchable};
    // Scrolled to, the folder row, the screen once open; the folder becomes current.
    const std::tuple<std::int32_t, std::size_t, const char*> cases[] = {
        {130, 4, "3@-10 4@30 5@70"}, // in the middle of the screen
        {170, 0, "7@-10 8@30 0@70"}, // shown after the seam: below rows that the children push down
    };
    for (const auto& [offset, folder, opened] : cases) {
        std::vector rows(6, launchable);
        rows[folder] = folderRow;
        t_RowList list = ListOf(rows);
        list.ScrollBy(offset);
        const std::string before = Screen(list);
        list.Open(folder, children);
        EXPECT_EQ(std::tuple(Screen(list), list.Current(), list.Rows().size(), list.Rows()[folder + 1].depth),
                  std::tuple(opened, folder, 9u, 1));
        list.Close(folder);
        EXPECT_EQ(std::tuple(Screen(list), list.Rows().size()), std::tuple(before, 6u));
    }
    // A list that fitted until the folder opened keeps its rows where they were.
    t_RowList small = ListOf({folderRow}, 200);
    small.Open(0, children);
    small.Open(0, children); // already open: nothing more
    EXPECT_EQ(Screen(small), "0@0 1@40 2@80 3@120");
    small.Close(0);
    EXPECT_EQ(Screen(small), "0@0");
}

TEST(RowList, OnlyLaunchableRowsSlideAndOnlyFarEnoughSlidesCount) {
    const std::tuple<t_RowTraits, std::vector<std::int32_t>, t_SlideEnd> cases[] = {
        {launchable, {30, 24}, t_SlideEnd::launchElevated}, // 54 + the 4-px tolerance reaches 58
        {launchable, {30, 23}, t_SlideEnd::springBack},
        {launchable, {100}, t_SlideEnd::launchElevated}, // held at 58
        {launchable, {-54}, t_SlideEnd::copyCommand},
        {launchable, {-53}, t_SlideEnd::springBack},
        {folderRow, {100}, t_SlideEnd::springBack},
    };
    for (const auto& [row, moves, end] : cases) {
        t_RowList list = ListOf({row, launchable});
        list.BeginSlide(10);
        for (const std::int32_t dx : moves) list.SlideBy(dx);
        EXPECT_TRUE(list.Highlights().slide <= 58 && list.Elevated(0) == (end == t_SlideEnd::launchElevated));
        EXPECT_TRUE(list.EndSlide() == end && list.Highlights().slide == 0) << static_cast<int>(end);
    }
}

TEST(RowList, ThePointerLeavesTheJumpListRowCurrentAndRemembersAnyOther) {
    t_RowList list = ListOf({launchable, {.jumpList = true}, launchable}, 200);
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
    EXPECT_TRUE(list.Elevated(2) && !list.Elevated(0));
}

TEST(WheelSteps, ANotchIsAStepAndLessThanANotchIsOne) {
    const std::pair<int, int> cases[] = {{120, 1}, {30, 1}, {-240, -2}, {-1, -1}, {0, 0}, {250, 2}};
    for (const auto& [delta, steps] : cases) EXPECT_EQ(WheelSteps(delta), steps) << delta;
}

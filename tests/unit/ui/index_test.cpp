// The index bar's two models: letters of the list's rows (cells 40 px high, the pane 30 px wide) and executors.

#include "ui/alphabetical_index.h"
#include "ui/executor_index.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

using namespace n_ombrix;
using enum t_IndexDirection;
using t_Bands = std::vector<t_Rect>;

namespace {

t_AlphabeticalIndex IndexOf(std::wstring_view initials, std::int32_t height) {
    t_AlphabeticalIndex index(40);
    index.Rebuild(initials);
    index.Resize(30, height);
    return index;
}

// Where the first letter drawn starts, and the letters top to bottom: "-30 IJABC".
std::wstring Shown(const t_AlphabeticalIndex& index) {
    const std::vector<t_IndexLetter> letters = index.Letters();
    std::wstring shown = std::to_wstring(letters.empty() ? 0 : letters.front().top) + L' ';
    for (const t_IndexLetter& letter : letters) shown += letter.character;
    return shown;
}

} // namespace

// Row 4 is a folder's child, out of the list's order; initials come upper-cased or not. The six letters fit the pane
// of ten cells: each shows once, the index does not drag, and clicks below it find nothing.
TEST(AlphabeticalIndex, AFittingIndexShowsOneLetterPerInitialInOrderFoundAfterUpperCasing) {
    t_AlphabeticalIndex index = IndexOf(L"#1AMbMZ", 400);
    EXPECT_EQ(Shown(index), L"0 #1ABMZ");
    const std::vector<std::pair<wchar_t, std::optional<std::size_t>>> searches{
        {L'1', 1}, {L'#', 0}, {L'b', 4}, {L'm', 3}, {L'z', 6}, {L'C', std::nullopt}, {L'0', std::nullopt}};
    for (const auto& [character, row] : searches) EXPECT_EQ(index.FirstRowOf(character), row) << int{character};
    EXPECT_FALSE(index.DragBy(30));
    EXPECT_EQ(index.ClickAt(125), 4u);
    for (std::int32_t y : {-1, 240, 399, 400}) EXPECT_EQ(index.ClickAt(y), std::nullopt) << y;

    t_AlphabeticalIndex empty = IndexOf(L"", 400);
    EXPECT_FALSE(empty.FirstRowOf(L'A') || empty.ClickAt(0) || empty.Wheel(1, 0) || !empty.Letters().empty());
}

// Ten letters, A with rows 0 and 1, in a pane of four cells (one period: 400 px).
TEST(AlphabeticalIndex, ALongIndexRepeatsAfterItsLastLetterAndDragsAndWheelsRoundBothWays) {
    t_AlphabeticalIndex index = IndexOf(L"AABCDEFGHIJ", 160);
    // Drag, moved, offset, what is shown.
    const std::tuple<std::int32_t, bool, std::int32_t, std::wstring> drags[]{
        {-50, true, 350, L"-30 IJABC"}, {100, true, 50, L"-10 BCDEF"}, {400, false, 50, L"-10 BCDEF"}};
    for (const auto& [dy, moved, offset, shown] : drags) {
        index.Painted();
        EXPECT_EQ(index.DragBy(dy), moved) << dy;
        EXPECT_EQ(std::tuple(index.NeedsPainting(), index.Offset(), Shown(index)), std::tuple(moved, offset, shown));
    }
    index.DragBy(300); // offset 350: J ends at 50, A follows
    EXPECT_EQ(index.ClickAt(20), 10u);
    EXPECT_EQ(index.ClickAt(60), 0u);
    // From the letter of the row at the list's top: the first row in view, notches (away from the user: earlier
    // letters), the row to scroll to.
    const std::tuple<std::size_t, int, std::size_t> steps[]{
        {0, 1, 10}, {0, -1, 2}, {1, 1, 10}, {10, -3, 3}, {3, 21, 2}};
    for (const auto& [firstRow, notches, row] : steps) EXPECT_EQ(index.Wheel(notches, firstRow), row) << notches;
}

// Rows 20 px high; A has rows 0-1, B rows 2 and 7 (a folder's child), C rows 3-6: the index, 120 px, fits.
TEST(AlphabeticalIndex, TheBandCoversTheIndexPartOfTheRowsOnScreen) {
    t_AlphabeticalIndex index = IndexOf(L"AABCCCCB", 200);
    const std::pair<t_ListSpan, t_Bands> cases[]{
        // B's first row half scrolled out: a quarter into B; the pane's bottom is after C's second row.
        {{2, -10, 4, 50, 20, 50}, {{0, 50, 30, 100}}},
        // From C's last row, half out, over the end to A's second, 15 px of it out below: one band over the wrap.
        {{6, -10, 1, 70, 20, 55}, {{0, 0, 30, 25}, {0, 115, 30, 120}}},
        // All rows in a taller pane: B's child, last, counts whole.
        {{0, 0, 7, 160, 20, 200}, {{0, 0, 30, 80}}},
    };
    for (const auto& [span, bands] : cases) {
        index.Synchronise(span, forward);
        EXPECT_EQ(index.Bands(), bands) << span.firstRow;
    }
}

// Ten letters, one row each (40 px, three on screen), in a pane of four cells (a period of 400 px).
TEST(AlphabeticalIndex, ALongIndexFollowsTheBandExceptAfterItsOwnClick) {
    t_AlphabeticalIndex index = IndexOf(L"ABCDEFGHIJ", 160);
    // First on the index: a wheel step, a click, a drag or nothing; then the list's first row and direction, and the
    // offset after synchronising.
    const std::tuple<char, int, std::size_t, t_IndexDirection, std::int32_t> steps[]{
        {' ', 0, 5, forward, 160},   // band 200-320, below the view: its end at the bottom
        {' ', 0, 5, backward, 160},  // in view
        {' ', 0, 1, backward, 40},   // band 40-160, above: its start at the top
        {'c', 150, 4, forward, 40},  // clicked on E
        {' ', 0, 4, forward, 120},   // band 160-280
        {'w', -3, 7, backward, 240}, // band 280-400; the wheel turned towards the user moves forward
        {' ', 0, 9, backward, 320},  // band -40 to 80 over the wrap, only its end in view: its end at the bottom
        {' ', 0, 7, forward, 280},   // only its start in view: its start at the top
        {'d', 50, 9, backward, 330}, // band -40 to 80 in view one period on
    };
    std::size_t previous = 0;
    for (const auto& [action, value, firstRow, direction, offset] : steps) {
        if (action == 'w') index.Wheel(value, previous);
        if (action == 'c') index.ClickAt(value);
        if (action == 'd') index.DragBy(value);
        index.Synchronise({firstRow, 0, (firstRow + 2) % 10, 120, 40, 120}, direction);
        EXPECT_EQ(index.Offset(), offset) << firstRow;
        previous = firstRow;
    }
    EXPECT_EQ(Shown(index), L"-10 IJABC");
    EXPECT_EQ(index.Bands(), (t_Bands{{0, 30, 30, 150}}));
}

TEST(ExecutorIndex, ClicksAndStepsChooseWrappingAroundAndThePointerShowsTheSecondText) {
    t_ExecutorIndex index(40);
    index.Reset({{L"Run", L"Open a file"}, {L"cmd", L"Command prompt"}, {L"PS", L"PowerShell"}}, 0);
    index.Resize(200);
    // A click at y or a step by, whether the choice changed, the chosen executor.
    const std::tuple<bool, int, bool, std::size_t> actions[]{
        {true, 50, true, 1}, {true, 79, false, 1}, {true, 130, false, 1}, {false, 2, true, 0}, {false, -8, true, 1}};
    for (const auto& [click, value, changed, chosen] : actions) {
        EXPECT_EQ(click ? index.ClickAt(value) : index.Step(value), changed) << value;
        EXPECT_EQ(index.Chosen(), chosen);
    }
    EXPECT_EQ(std::tuple(index.TooltipAt(85), index.TooltipAt(130)), std::tuple(L"PowerShell", std::nullopt));
    index.Resize(70);
    EXPECT_EQ(index.Cells(), (std::vector<t_ExecutorCell>{{0, L"Run", false}, {40, L"cmd", true}}));
}

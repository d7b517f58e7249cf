// The rows the side pane shows, written as letters: a header is "H" (titled) or "S" (a separator) followed by its
// section's digit, an entry is its section's digit.

#include "ui/side_pane_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

using namespace n_ombrix;

namespace {

std::vector<t_SideRowTraits> Rows(const std::string& text) {
    std::vector<t_SideRowTraits> rows;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool header = text[i] == 'H' || text[i] == 'S';
        const char digit = header ? text[++i] : text[i];
        rows.push_back({static_cast<t_PaneSection>(digit - '0'), header, text[header ? i - 1 : i] != 'S'});
    }
    return rows;
}

std::string Shown(const std::string& text, std::size_t fit) {
    const std::vector<t_SideRowTraits> rows = Rows(text);
    std::string shown;
    for (const std::size_t place : ChooseSideRows(rows, fit)) {
        const t_SideRowTraits& row = rows[place];
        if (row.header) shown += row.titled ? 'H' : 'S';
        shown += static_cast<char>('0' + static_cast<int>(row.section));
    }
    return shown;
}

} // namespace

TEST(SidePaneRows, EmptyGroupsGoAndSectionsGiveWayInTheirOrder) {
    const std::tuple<const char*, std::size_t, const char*> cases[] = {
        {"H000H3333", 20, "H000H3333"},  // everything fits
        {"H0H333", 20, "H333"},          // a header without entries
        {"H000H3", 20, "H000"},          // nor at the end
        {"H0S000", 20, "H000"},          // a separator gives way to a titled header
        {"S0H000", 20, "H000"},          // so does an empty separator group before one
        {"H000H3333", 6, "H00H3333"},    // the recent section goes first, from its end
        {"H000H3333", 5, "H0H3333"},     // the first row's header stays
        {"H11H000H3333", 7, "H11H3333"}, // recent before custom, its header with it
        {"H11H000H3333", 5, "H1H3333"},
        {"H000H3333", 1, "H000H3333"}, // room for one row: no choosing at all
        {"H0", 20, "H0"},              // nor for a single row
        {"", 20, ""},
    };
    for (const auto& [rows, fit, shown] : cases) EXPECT_EQ(Shown(rows, fit), shown) << rows << " in " << fit;
}

TEST(SidePaneRows, KeysSkipHeadersAndWrap) {
    const std::vector<t_SideRowTraits> rows = Rows("H000H333");
    const std::optional<std::size_t> none;
    // From, forwards, to.
    const std::tuple<std::optional<std::size_t>, bool, std::optional<std::size_t>> moves[] = {
        {none, true, 1}, {none, false, 5}, {2, true, 4}, {5, true, 1}, {1, false, 5}, {4, false, 2}};
    for (const auto& [from, forwards, to] : moves) EXPECT_EQ(NextSideEntry(rows, from, forwards), to) << forwards;
    // Ctrl+Down: the next group's first entry, from the last group back to the first.
    EXPECT_EQ(NextSideGroup(rows, 1), 4u);
    EXPECT_EQ(NextSideGroup(rows, 4), 1u);
    EXPECT_EQ(NextSideEntry(Rows("H0H3"), none, true), std::nullopt);
}

#pragma once
// Which rows of a jump list or of the places list the side pane shows. The pane never scrolls: when the rows do not
// fit, whole sections give way, recent ones first and tasks last, and headers left without entries go with them.
// Platform-neutral.

#include "catalogue/side_pane_kinds.h"

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace n_ombrix {

struct t_SideRowTraits {
    t_PaneSection section = t_PaneSection::recent;
    bool header = false;
    bool titled = true; // a header with a text; one without is a separator
};

// The positions of the rows to show, in order, for a pane with room for `fit` rows.
std::vector<std::size_t> ChooseSideRows(std::span<const t_SideRowTraits> rows, std::size_t fit);

// The keys' moves among the shown rows (their traits in shown order), skipping headers and wrapping around at both
// ends; from no row, forwards takes the first entry and backwards the last. Nothing when there is no entry.
std::optional<std::size_t> NextSideEntry(std::span<const t_SideRowTraits> shown, std::optional<std::size_t> from,
                                         bool forwards);
// The first entry after the next header (Ctrl+Down), wrapping to the first group.
std::optional<std::size_t> NextSideGroup(std::span<const t_SideRowTraits> shown, std::optional<std::size_t> from);

} // namespace n_ombrix

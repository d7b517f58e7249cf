#pragma once
// Which rows of a jump list or of the places list the side pane shows. The pane never scrolls: when the rows do not
// fit, whole sections give way, recent ones first and tasks last, and headers left without entries go with them.
// Platform-neutral.

#include "catalogue/side_pane_kinds.h"

#include <cstddef>
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

} // namespace n_ombrix

#include "ui/side_pane_rows.h"

#include <numeric>

namespace n_ombrix {

std::vector<std::size_t> ChooseSideRows(std::span<const t_SideRowTraits> rows, std::size_t fit) {
    std::vector<std::size_t> shown(rows.size());
    std::iota(shown.begin(), shown.end(), std::size_t{0});
    if (fit <= 1 || rows.size() <= 1) return shown;
    const auto row = [&](std::size_t place) -> const t_SideRowTraits& { return rows[shown[place]]; };
    const auto drop = [&](std::size_t place) { shown.erase(shown.begin() + static_cast<std::ptrdiff_t>(place)); };

    // Headers of empty groups, from the last row to the first; a separator gives way to a titled header.
    for (std::size_t place = shown.size(); place-- > 0;) {
        if (!row(place).header) continue;
        if (place + 1 == shown.size()) {
            drop(place);
        } else if (row(place + 1).header) {
            drop(!row(place + 1).titled && row(place).titled ? place + 1 : place);
        }
    }

    // Whole sections, in their order, each from its last row, until the rows fit. A header left directly before a
    // dropped row goes too, unless it is the first row.
    for (auto section = static_cast<int>(t_PaneSection::recent);
         section <= static_cast<int>(t_PaneSection::tasks) && shown.size() > fit; ++section) {
        for (std::size_t place = shown.size(); place-- > 0 && shown.size() > fit;) {
            if (static_cast<int>(row(place).section) != section) continue;
            drop(place);
            if (place > 1 && row(place - 1).header) drop(--place);
        }
    }
    return shown;
}

std::optional<std::size_t> NextSideEntry(std::span<const t_SideRowTraits> shown, std::optional<std::size_t> from,
                                         bool forwards) {
    const std::size_t count = shown.size();
    std::size_t place = from ? *from : (forwards ? count - 1 : 0);
    for (std::size_t step = 0; step < count; ++step) {
        place = forwards ? (place + 1) % count : (place + count - 1) % count;
        if (!shown[place].header) return place;
    }
    return std::nullopt;
}

std::optional<std::size_t> NextSideGroup(std::span<const t_SideRowTraits> shown, std::optional<std::size_t> from) {
    const std::size_t count = shown.size();
    for (std::size_t place = from ? *from + 1 : 0; place < count; ++place)
        if (shown[place].header) return NextSideEntry(shown, place, true);
    // After the last group: the first entry of all.
    return NextSideEntry(shown, std::nullopt, true);
}

} // namespace n_ombrix

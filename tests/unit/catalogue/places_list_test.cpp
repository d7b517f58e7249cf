// The rows of the places list: the places under their header, only when there are any, then the commands.

#include "catalogue/places_list.h"

#include "resource_ids.h"

#include <gtest/gtest.h>

using namespace n_ombrix;

TEST(PlacesList, PlacesComeUnderTheirHeaderOnlyWhenThereAreAnyAndTheCommandsFollow) {
    for (const std::size_t places : {0u, 1u, 3u}) {
        const std::vector<t_PlacesRow> rows = BuildPlacesRows(places);
        const std::size_t placeRows = places ? places + 1 : 0; // the header and the places
        EXPECT_EQ(rows.front().captionId, places ? IDS_PLACES_HEADER : IDS_WINDOWS_HEADER);
        EXPECT_EQ(rows.at(placeRows).captionId, IDS_WINDOWS_HEADER);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const t_PlacesRow& row = rows[i];
            const bool place = row.command == t_PlacesCommand::launchPlace;
            // Headers and places have no glyph, every command has one.
            EXPECT_TRUE(row.header == (row.command == t_PlacesCommand::none) &&
                        (row.imageSlot < 0) == (row.header || place));
            EXPECT_TRUE(row.section == (i < placeRows ? t_PaneSection::recent : t_PaneSection::tasks) &&
                        place == (i > 0 && i < placeRows))
                << i;
            EXPECT_EQ(row.placeIndex, place ? i - 1 : 0);
        }
    }
}

#include "catalogue/places_list.h"

#include "resource_ids.h"

#include <gtest/gtest.h>

#include <vector>

using namespace n_ombrix;

namespace {

std::vector<int> Captions(const std::vector<t_PlacesRow>& rows) {
    std::vector<int> captions;
    for (const t_PlacesRow& row : rows) captions.push_back(row.captionId);
    return captions;
}

} // namespace

TEST(PlacesList, PlacesComeUnderTheirHeaderBeforeTheCommands) {
    const std::vector<t_PlacesRow> rows = BuildPlacesRows(2);
    EXPECT_EQ(Captions(rows), (std::vector<int>{212, 0, 0, 213, 215, 216, 214, 218, 217, 219, 220, 221, 222}));
    EXPECT_EQ(rows[1].placeIndex, 0u);
    EXPECT_EQ(rows[2].placeIndex, 1u);
    for (const t_PlacesRow& row : rows) {
        EXPECT_EQ(row.kind, 2);
        EXPECT_FALSE(row.editable);
        EXPECT_EQ(row.header, row.command == t_PlacesCommand::none);
        EXPECT_EQ(row.section, row.captionId == 212 || row.captionId == 0 ? 0 : 3);
    }
    // Headers and places have no glyph; the settings glyph serves both settings rows.
    std::vector<int> slots;
    for (const t_PlacesRow& row : rows) slots.push_back(row.imageSlot);
    EXPECT_EQ(slots, (std::vector<int>{-1, -1, -1, -1, 6, 4, -1, 6, 5, 7, 8, 9, 10}));
}

TEST(PlacesList, WithoutPlacesOnlyTheCommandsRemain) {
    const std::vector<t_PlacesRow> rows = BuildPlacesRows(0);
    EXPECT_EQ(Captions(rows), (std::vector<int>{213, 215, 216, 214, 218, 217, 219, 220, 221, 222}));
    EXPECT_EQ(rows.back().command, t_PlacesCommand::exitApplication);
}

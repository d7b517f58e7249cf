// The colour rules the painters rely on: which colour each text part takes in each state, the brushes' colours, the
// accent background and the icon fallback pixel.

#include "ui/color_scheme.h"

#include <gtest/gtest.h>

using namespace n_ombrix;

TEST(ColorScheme, EachStateTakesItsOwnBlockOfFive) {
    // Not highlighted, selection and elevation do not count; selection is the state's low bit, elevation its high
    // one, and the parts keep their order in every block.
    EXPECT_EQ(TextColor(t_BlockPart::partitionText, false, true, true), t_ColorIndex::partitionText);
    EXPECT_EQ(static_cast<int>(TextColor(t_BlockPart::secondaryText, true, true, false)), 13);
    EXPECT_EQ(static_cast<int>(TextColor(t_BlockPart::text, true, false, true)), 17);
    // The brushes: six plain ones, then frame and area of each state.
    const int brushColors[] = {29, 0, 1, 28, 25, 26, 5, 6, 10, 11, 15, 16, 20, 21};
    for (int brush = 0; brush < static_cast<int>(t_BrushIndex::count); ++brush)
        EXPECT_EQ(static_cast<int>(BrushColor(static_cast<t_BrushIndex>(brush))), brushColors[brush]) << brush;
    EXPECT_EQ(HighlightBrush(t_HighlightState::elevatedSelection, true), static_cast<t_BrushIndex>(13));
}

TEST(ColorScheme, TheAccentBackgroundBlendsTheAccentWithGreyByTheBalance) {
    EXPECT_EQ(AccentBackground(0xFF112233, 0), 0x00D9D9D9u);
    EXPECT_EQ(AccentBackground(0xFF112233, 100), 0x00332211u);
    EXPECT_EQ(AccentBackground(0xFF112233, 101), 0x00332211u);
    EXPECT_EQ(AccentBackground(0x00FF0000, 50), Rgb(236, 108, 108));
    EXPECT_EQ(AccentBackground(std::nullopt, std::nullopt), 0x00CEE5F7u);
    // Following the theme, every colour is its default but the background.
    t_ColorScheme configured{};
    configured.fill(0x123456);
    const t_ColorScheme themed = SchemeColors(configured, true, 0x00ABCDEF);
    EXPECT_EQ(themed[static_cast<std::size_t>(t_ColorIndex::windowBackground)], 0x00ABCDEFu);
    EXPECT_EQ(themed[static_cast<std::size_t>(t_ColorIndex::separator)], colorTable[28].defaultValue);
    EXPECT_EQ(SchemeColors(configured, false, 0x00ABCDEF), configured);
    EXPECT_EQ(OpaquePixel(0x00FF0000), 0xFF0000FFu);
}

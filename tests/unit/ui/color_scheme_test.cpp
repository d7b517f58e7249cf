// The colour rules the painters rely on: which colour each text part takes in each state, the brushes' colours, the
// accent background and the icon fallback pixel.

#include "config/configuration.h"
#include "ui/color_scheme.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

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
    // With dark apps, the dark scheme, the accent background at a quarter of its brightness.
    t_ColorScheme dark = DarkScheme();
    dark[static_cast<std::size_t>(t_ColorIndex::windowBackground)] = 0x002A3330;
    EXPECT_EQ(SchemeColors(configured, true, 0x00ABCDC3, true), dark);
    EXPECT_EQ(SchemeColors(configured, false, 0x00ABCDC3, true), configured);
    EXPECT_EQ(OpaquePixel(0x00FF0000), 0xFF0000FFu);
}

namespace {

// The contrast of two colours by their relative luminance, as the accessibility guidelines define it.
double Contrast(t_Color a, t_Color b) {
    const auto luminance = [](t_Color color) {
        double sum = 0;
        for (const auto& [shift, weight] : {std::pair{0, 0.2126}, {8, 0.7152}, {16, 0.0722}}) {
            const double c = ((color >> shift) & 0xFF) / 255.0;
            sum += weight * (c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
        }
        return sum;
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

TEST(ColorScheme, TheDefaultsAndEveryShippedSchemeReadWellInEveryState) {
    std::vector<std::pair<std::string, std::array<t_Color, colorCount>>> schemes{{"defaults", t_Configuration(L"", 96).colors}};
    for (const char* name : {"Ombrix Light", "Ombrix Dark", "Ombrix High Contrast"}) {
        std::ifstream file(std::string(OMBRIX_SOURCE_DIR "/resources/schemes/") + name + ".qln");
        ASSERT_TRUE(file) << name;
        const std::string bytes{std::istreambuf_iterator<char>(file), {}};
        n_quillane::t_Document document;
        document.Parse(std::wstring(bytes.begin(), bytes.end())); // ASCII
        t_Configuration configuration(L"", 96);
        configuration.colors.fill(0x00FF00FF);
        configuration.ReadColors(document, document.ChildByName(document.Root(), L"colors"));
        EXPECT_EQ(std::count(configuration.colors.begin(), configuration.colors.end(), 0x00FF00FFu), 0) << name;
        schemes.emplace_back(name, configuration.colors);
    }
    EXPECT_EQ(schemes[1].second, schemes[0].second) << "the light scheme is the defaults";
    EXPECT_EQ(schemes[2].second, DarkScheme()) << "the dark scheme is the one the Windows dark mode brings";
    // Each text part in each state on the background of that state, and the index's letters on both its areas.
    std::vector<std::pair<t_ColorIndex, t_ColorIndex>> pairs{{t_ColorIndex::indexText, t_ColorIndex::indexInactiveArea},
                                                             {t_ColorIndex::indexText, t_ColorIndex::indexActiveArea}};
    for (int state = -1; state < 4; ++state)
        for (const t_BlockPart part : {t_BlockPart::text, t_BlockPart::secondaryText, t_BlockPart::partitionText})
            pairs.emplace_back(state < 0 ? static_cast<t_ColorIndex>(part)
                                         : BlockColor(static_cast<t_HighlightState>(state), part),
                               state < 0 ? t_ColorIndex::area
                                         : BlockColor(static_cast<t_HighlightState>(state), t_BlockPart::area));
    for (const auto& [name, colors] : schemes)
        for (const auto& [text, area] : pairs)
            EXPECT_GE(Contrast(colors[static_cast<std::size_t>(text)], colors[static_cast<std::size_t>(area)]), 4.5)
                << name << ": colour " << static_cast<int>(text) << " on " << static_cast<int>(area);
}

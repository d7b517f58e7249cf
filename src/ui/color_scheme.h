#pragma once
// The popup's colours by name and the rules that pick one: the four highlight states are blocks of five colours in
// the scheme's order, found by arithmetic; the painters ask these functions and never hard-code an index. Also the
// accent background that replaces "window background" when the popup follows the Windows theme, and the opaque
// pixel behind app icons. Platform-neutral.

#include "config/color_table.h"

#include <array>
#include <cstdint>
#include <optional>

namespace n_ombrix {

// The index of each of the 31 colours, in the scheme's (and the configuration's) order.
enum class t_ColorIndex : std::uint8_t {
    frame,
    area,
    text,
    secondaryText,
    partitionText,
    preliminaryFrame, // the four highlight blocks: frame, area, text, secondary text, partition text
    elevatedSelectionPartitionText = preliminaryFrame + 19,
    indexInactiveArea,
    indexActiveArea,
    indexText,
    separator,
    windowBackground,
    appIconFallbackBackground,
};
static_assert(static_cast<std::size_t>(t_ColorIndex::appIconFallbackBackground) + 1 == colorCount);

// A highlighted list entry or button: selected or only under the pointer or cursor ("preliminary"), each also for
// an entry that will be launched with administrator rights.
enum class t_HighlightState : std::uint8_t { preliminary, selection, elevatedPreliminary, elevatedSelection };
enum class t_BlockPart : std::uint8_t { frame, area, text, secondaryText, partitionText };

constexpr t_HighlightState HighlightState(bool selected, bool elevated) noexcept {
    return static_cast<t_HighlightState>((selected ? 1 : 0) + (elevated ? 2 : 0));
}

constexpr t_ColorIndex BlockColor(t_HighlightState state, t_BlockPart part) noexcept {
    return static_cast<t_ColorIndex>(static_cast<int>(t_ColorIndex::preliminaryFrame) + 5 * static_cast<int>(state) +
                                     static_cast<int>(part));
}

// The colour of a text part (text, secondary text or partition text) of an entry: the normal one unless the entry
// is highlighted, else the one of its state.
constexpr t_ColorIndex TextColor(t_BlockPart part, bool highlighted, bool selected, bool elevated) noexcept {
    if (!highlighted) return static_cast<t_ColorIndex>(static_cast<int>(part));
    return BlockColor(HighlightState(selected, elevated), part);
}

// The 14 solid brushes the painters fill with. The four highlight states' frame and area brushes come last, in the
// states' order, so that a state's brushes are found by arithmetic too.
enum class t_BrushIndex : std::uint8_t {
    windowBackground,
    frame,
    area,
    separator,
    indexInactiveArea,
    indexActiveArea,
    firstHighlight, // frame, then area, of each highlight state
    count = firstHighlight + 8,
};

constexpr t_BrushIndex HighlightBrush(t_HighlightState state, bool area) noexcept {
    return static_cast<t_BrushIndex>(static_cast<int>(t_BrushIndex::firstHighlight) + 2 * static_cast<int>(state) +
                                     (area ? 1 : 0));
}

// The colour each brush is made of.
constexpr t_ColorIndex BrushColor(t_BrushIndex brush) noexcept {
    constexpr std::array<t_ColorIndex, 6> plain{
        t_ColorIndex::windowBackground,  t_ColorIndex::frame,          t_ColorIndex::area, t_ColorIndex::separator,
        t_ColorIndex::indexInactiveArea, t_ColorIndex::indexActiveArea};
    const int index = static_cast<int>(brush);
    if (index < static_cast<int>(t_BrushIndex::firstHighlight)) return plain[static_cast<std::size_t>(index)];
    const int highlight = index - static_cast<int>(t_BrushIndex::firstHighlight);
    return BlockColor(static_cast<t_HighlightState>(highlight / 2),
                      highlight % 2 == 0 ? t_BlockPart::frame : t_BlockPart::area);
}

using t_ColorScheme = std::array<t_Color, colorCount>;

// The background that follows the desktop's accent colour, from the DWM's colorization colour (0xAARRGGBB) and
// balance (0 to 100 percent of the accent over grey 217); each is empty when it could not be read, and a balance
// above 100 counts as 100.
t_Color AccentBackground(std::optional<std::uint32_t> colorization, std::optional<std::uint32_t> balance) noexcept;

// The dark scheme that ships beside the program.
const t_ColorScheme& DarkScheme() noexcept;

// The colours the popup paints with: the configured ones, or, following the Windows theme, the defaults with the
// accent background; when the user's apps are dark, the dark scheme with the accent background darkened.
t_ColorScheme SchemeColors(const t_ColorScheme& configured, bool useWindowsTheme, t_Color accentBackground,
                           bool darkApps = false) noexcept;

// The colour as an opaque 32-bit premultiplied pixel, 0xAARRGGBB, as icons are composed.
constexpr std::uint32_t OpaquePixel(t_Color color) noexcept {
    return 0xFF000000u | (color & 0xFFu) << 16 | (color & 0xFF00u) | (color >> 16 & 0xFFu);
}

} // namespace n_ombrix

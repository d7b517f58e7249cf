#pragma once
// The lengths the popup and its panes are laid out and drawn with, computed once from the display metrics: lengths
// given at 96 DPI scaled to the screen's, and the per-size tables indexed by the DPI class. No pane asks the system
// for a length of its own. Platform-neutral.

#include "system/display_metrics.h"

#include <array>
#include <cstdint>

namespace n_ombrix {

// System lengths the metrics need besides the display metrics, read by the Windows side.
struct t_SystemLengths {
    std::int32_t dragWidth = 4;       // SM_CXDRAG
    std::int32_t dragHeight = 4;      // SM_CYDRAG
    std::int32_t scrollBarWidth = 17; // SM_CXVSCROLL
};

struct t_WidgetMetrics {
    std::int32_t unit = 0;             // U: the popup's layout step
    std::int32_t buttonWidth = 0;      // W1: the search row's buttons and the index pane
    std::int32_t wideUnit = 0;         // the launch button
    std::int32_t slideRange = 0;       // the launch button's slide; a list row's icon column and slide
    std::int32_t smallSlideRange = 0;  // a list row's glyph column, and its slide in compact mode
    std::int32_t iconLeftInset = 0;    // list rows
    std::int32_t iconTopInset = 0;     // list rows
    std::int32_t textRightInset = 0;   // list rows
    std::int32_t rowHeight = 0;        // list rows and index cells
    std::int32_t compactRowHeight = 0; // list rows in compact mode
    std::int32_t dragWidth = 0;        // slides and drags
    std::int32_t dragHeight = 0;
    std::int32_t scrollBarWidth = 0;      // the settings window
    std::int32_t settingsWindowWidth = 0; // the settings window's first width
    // By the DPI class.
    std::int32_t smallGlyph = 0;       // the side pane's pins and the places list's glyphs
    std::int32_t buttonImage = 0;      // the mode and power buttons
    std::int32_t narrowGlyphWidth = 0; // the jump-list mark (twice as high)
    std::int32_t gripWidth = 0;        // the resize strip's grip
    std::int32_t gripHeight = 0;
    std::int32_t gripOffset = 0; // where the grip stands in the resize strip

    static t_WidgetMetrics For(const t_DisplayMetrics& display, const t_SystemLengths& system) noexcept;
};

// The per-size tables, by the DPI class (0 to 3).
inline constexpr std::array<std::int32_t, 4> smallGlyphSizes{16, 20, 24, 32};
inline constexpr std::array<std::int32_t, 4> buttonImageSizes{32, 40, 48, 64};
inline constexpr std::array<std::int32_t, 4> narrowGlyphWidths{8, 10, 12, 16};
inline constexpr std::array<std::int32_t, 4> gripWidths{20, 25, 30, 40};
inline constexpr std::array<std::int32_t, 4> gripHeights{40, 50, 60, 80};

} // namespace n_ombrix

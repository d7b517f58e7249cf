#include "ui/widget_metrics.h"

#include "system/dpi_scaling.h"

#include <algorithm>

namespace n_ombrix {

t_WidgetMetrics t_WidgetMetrics::For(const t_DisplayMetrics& display, const t_SystemLengths& system) noexcept {
    using n_zql::n_system::ScaleForDpi;
    const auto x = [&display](std::int32_t length) { return ScaleForDpi(length, display.dpiX); };
    const auto y = [&display](std::int32_t length) { return ScaleForDpi(length, display.dpiY); };
    const auto sized = static_cast<std::size_t>(std::clamp(display.dpiClass, 0, 3));
    t_WidgetMetrics metrics;
    metrics.unit = x(20);
    metrics.buttonWidth = x(48) + 2;
    metrics.wideUnit = 4 * metrics.buttonWidth;
    metrics.slideRange = display.iconWidth + 2 + x(24);
    metrics.smallSlideRange = display.smallIconWidth + 2 + x(24);
    metrics.iconLeftInset = x(12) + 1;
    metrics.iconTopInset = y(3) + 1;
    metrics.textRightInset = x(4);
    metrics.rowHeight = display.iconHeight + 2 + y(6);
    metrics.compactRowHeight = display.smallIconHeight + 2 + y(6);
    metrics.dragWidth = system.dragWidth;
    metrics.dragHeight = system.dragHeight;
    metrics.scrollBarWidth = system.scrollBarWidth;
    metrics.settingsWindowWidth = x(880);
    metrics.smallGlyph = smallGlyphSizes[sized];
    metrics.buttonImage = buttonImageSizes[sized];
    metrics.narrowGlyphWidth = narrowGlyphWidths[sized];
    metrics.gripWidth = gripWidths[sized];
    metrics.gripHeight = gripHeights[sized];
    metrics.gripOffset = (metrics.unit - metrics.gripWidth) / 2;
    return metrics;
}

} // namespace n_ombrix

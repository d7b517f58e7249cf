#pragma once
// Screen metrics read once at start-up and never refreshed: a later DPI change is not followed.

#include <cstdint>

namespace n_ombrix {

struct t_DisplayMetrics {
    std::int32_t dpiX = 96;
    std::int32_t dpiY = 96;
    std::int32_t iconWidth = 32;
    std::int32_t iconHeight = 32;
    std::int32_t smallIconWidth = 16;
    std::int32_t smallIconHeight = 16;
    int dpiClass = 0; // indexes the per-size tables: 0 to 3

    // Reads the screen's logical DPI and the system icon sizes.
    static t_DisplayMetrics Read();
};

} // namespace n_ombrix

#include "system/display_metrics.h"

#include "system/dpi_scaling.h"
#include "system/unique_handle.h"

namespace n_ombrix {

t_DisplayMetrics t_DisplayMetrics::Read() {
    t_DisplayMetrics metrics;
    if (const n_zql::n_system::n_windows::n_graphics::n_gdi::t_WindowDc screen(nullptr); screen) {
        metrics.dpiX = GetDeviceCaps(screen.Get(), LOGPIXELSX);
        metrics.dpiY = GetDeviceCaps(screen.Get(), LOGPIXELSY);
    }
    metrics.iconWidth = GetSystemMetrics(SM_CXICON);
    metrics.iconHeight = GetSystemMetrics(SM_CYICON);
    metrics.smallIconWidth = GetSystemMetrics(SM_CXSMICON);
    metrics.smallIconHeight = GetSystemMetrics(SM_CYSMICON);
    metrics.dpiClass = n_zql::n_system::DpiClassOf(metrics.dpiY);
    return metrics;
}

} // namespace n_ombrix

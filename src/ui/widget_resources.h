#pragma once
// The one set of drawing resources that every pane and the settings window share: the string table, the colour
// scheme and its brushes, the fonts, the application icon, the arrow cursor, the context menus, the popup's bitmaps,
// the wheel settings, the lengths of t_WidgetMetrics, and the item images (the icon store).
//
// Built once at start on the user-interface thread, after the display metrics are read. Only the colours, their
// brushes and the wheel settings change later, on that thread; the settings window's thread reads the metrics, the
// strings and the fonts, which never change after construction.

#include "catalogue/icon_store.h"
#include "system/display_metrics.h"
#include "system/unique_handle.h"
#include "ui/color_scheme.h"
#include "ui/widget_metrics.h"

#include <windows.h>

#include <array>
#include <cstddef>

namespace n_ombrix {

// The popup's bitmap sets, in resource order.
enum class t_PopupBitmap : std::uint8_t {
    jumpListMark,
    resizeGrip,
    unpinned,
    pinned,
    commandModeButton,
    applicationModeButton,
    powerButton,
};

class t_WidgetResources {
public:
    static constexpr unsigned firstString = 192;
    static constexpr std::size_t stringCount = 100;

    // Reads everything from the program's resources (resourceModule, not owned: the program itself, or the built
    // program loaded as a data file in tests). There are no brushes until the first ApplyColorScheme. Throws the
    // Windows error exception when a font, an icon, a bitmap or the menu cannot be made.
    t_WidgetResources(HINSTANCE resourceModule, const t_DisplayMetrics& display);
    t_WidgetResources(const t_WidgetResources&) = delete;
    t_WidgetResources& operator=(const t_WidgetResources&) = delete;

    // Strings 192 to 291, NUL-terminated in the module's resources; empty for another number, and for a string
    // that is missing or stored without its terminator.
    const wchar_t* String(unsigned id) const noexcept;

    // The configured colours, or the defaults with the desktop's accent as background: every brush is made anew
    // from them, one by one. Throws the Windows error exception when a brush cannot be made (the scheme is then
    // applied in part). Nothing is repainted here.
    void ApplyColorScheme(const t_ColorScheme& configured, bool useWindowsTheme);
    t_Color Color(t_ColorIndex color) const noexcept { return colors_[static_cast<std::size_t>(color)]; }
    HBRUSH Brush(t_BrushIndex brush) const noexcept { return brushes_[static_cast<std::size_t>(brush)].Get(); }

    HFONT Font20() const noexcept { return font20_.Get(); }
    HFONT Font16() const noexcept { return font16_.Get(); }
    HFONT GuiFont() const noexcept { return guiFont_; }
    // Heights of the text "Gg" in the two fonts.
    std::int32_t TextHeight20() const noexcept { return textHeight20_; }
    std::int32_t TextHeight16() const noexcept { return textHeight16_; }

    HICON LargeIcon() const noexcept { return largeIcon_.Get(); }
    HICON SmallIcon() const noexcept { return smallIcon_.Get(); }
    HCURSOR ArrowCursor() const noexcept { return arrowCursor_; }
    // Menu 512: the context menus, one submenu each.
    HMENU ContextMenus() const noexcept { return contextMenus_.Get(); }
    // The bitmap of the set at the screen's DPI class: 32 bpp with per-pixel alpha.
    HBITMAP Bitmap(t_PopupBitmap set) const noexcept { return bitmaps_[static_cast<std::size_t>(set)].Get(); }

    // Lines per wheel notch (0 when the wheel scrolls pages), re-read when the system settings change.
    void ReadWheelSettings() noexcept;
    unsigned WheelLines() const noexcept { return wheelLines_; }
    bool WheelScrollsPages() const noexcept { return wheelScrollsPages_; }

    const t_DisplayMetrics& Display() const noexcept { return display_; }
    const t_WidgetMetrics& Metrics() const noexcept { return metrics_; }
    // The settings window's smallest width, a frame around its controls.
    std::int32_t SettingsMinimumWidth() const noexcept { return settingsMinimumWidth_; }
    t_IconStore& IconStore() noexcept { return iconStore_; }

private:
    using t_Font = n_zql::n_system::n_windows::n_graphics::n_gdi::t_Font;
    using t_Brush = n_zql::n_system::n_windows::n_graphics::n_gdi::t_Brush;
    using t_Bitmap = n_zql::n_system::n_windows::n_graphics::n_gdi::t_Bitmap;

    const t_DisplayMetrics display_;
    const t_WidgetMetrics metrics_;
    std::array<const wchar_t*, stringCount> strings_{};
    t_ColorScheme colors_{};
    std::array<t_Brush, static_cast<std::size_t>(t_BrushIndex::count)> brushes_;
    t_Font font20_;
    t_Font font16_;
    HFONT guiFont_; // stock: never deleted
    std::int32_t textHeight20_ = 0;
    std::int32_t textHeight16_ = 0;
    n_zql::n_system::n_windows::t_Icon largeIcon_;
    n_zql::n_system::n_windows::t_Icon smallIcon_;
    HCURSOR arrowCursor_; // shared: never destroyed
    n_zql::n_system::n_windows::t_Menu contextMenus_;
    std::array<t_Bitmap, 7> bitmaps_;
    unsigned wheelLines_ = 3;
    bool wheelScrollsPages_ = false;
    std::int32_t settingsMinimumWidth_ = 0;
    t_IconStore iconStore_;
};

// The background colour that follows the desktop's accent colour, from the DWM's colorization values in the
// registry; the fallbacks apply to whatever is missing. A plain function without state.
t_Color GetWindowsThemeBackground() noexcept;
// Whether the user set apps to the dark mode (the personalisation value AppsUseLightTheme is 0).
bool AppsUseDarkTheme() noexcept;

} // namespace n_ombrix

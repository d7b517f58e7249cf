#include "ui/widget_resources.h"

#include "resource_ids.h"
#include "system/dpi_scaling.h"
#include "system/error_exception.h"

#include <cwchar>
#include <optional>

namespace n_ombrix {

using namespace n_zql::n_system::n_windows;

namespace {

constexpr wchar_t fontFace[] = L"Segoe UI";
constexpr wchar_t dwmKey[] = L"Software\\Microsoft\\Windows\\DWM";
constexpr wchar_t personalizeKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

template <typename t_Owner> t_Owner Made(typename t_Owner::t_Value handle) {
    if (!handle) ThrowWin32Error(GetLastError());
    return t_Owner(handle);
}

n_graphics::n_gdi::t_Font SegoeUi(int height) {
    return Made<n_graphics::n_gdi::t_Font>(CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                                       DEFAULT_PITCH | FF_DONTCARE, fontFace));
}

std::int32_t TextHeight(HFONT font) {
    const n_graphics::n_gdi::t_WindowDc screen(nullptr);
    const n_graphics::n_gdi::t_Selection selected(screen.Get(), font);
    SIZE size{};
    GetTextExtentPoint32W(screen.Get(), L"Gg", 2, &size);
    return size.cy;
}

t_Icon ProgramIcon(HINSTANCE module, int width, int height) {
    return Made<t_Icon>(static_cast<HICON>(
        LoadImageW(module, MAKEINTRESOURCEW(IDI_OMBRIX), IMAGE_ICON, width, height, LR_DEFAULTCOLOR)));
}

t_SystemLengths SystemLengths() noexcept {
    return {.dragWidth = GetSystemMetrics(SM_CXDRAG),
            .dragHeight = GetSystemMetrics(SM_CYDRAG),
            .scrollBarWidth = GetSystemMetrics(SM_CXVSCROLL)};
}

std::optional<std::uint32_t> DwordValue(HKEY key, const wchar_t* name) noexcept {
    DWORD value = 0, size = sizeof value;
    if (RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        size != sizeof value)
        return std::nullopt;
    return value;
}

} // namespace

t_WidgetResources::t_WidgetResources(HINSTANCE resourceModule, const t_DisplayMetrics& display)
    : display_(display), metrics_(t_WidgetMetrics::For(display, SystemLengths())),
      font20_(SegoeUi(-n_zql::n_system::ScaleForDpi(20, display.dpiY))),
      font16_(SegoeUi(n_zql::n_system::ScaleForDpi(16, display.dpiY))),
      guiFont_(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))), textHeight20_(TextHeight(font20_.Get())),
      textHeight16_(TextHeight(font16_.Get())),
      largeIcon_(ProgramIcon(resourceModule, display.iconWidth, display.iconHeight)),
      smallIcon_(ProgramIcon(resourceModule, display.smallIconWidth, display.smallIconHeight)),
      arrowCursor_(LoadCursorW(nullptr, IDC_ARROW)),
      contextMenus_(Made<t_Menu>(LoadMenuW(resourceModule, MAKEINTRESOURCEW(IDM_CONTEXT_MENUS)))),
      iconStore_(display, resourceModule) {
    for (std::size_t i = 0; i < stringCount; ++i) {
        // Read in place: with no buffer LoadStringW gives a pointer into the resource and the stored length, which
        // counts our terminator.
        const wchar_t* text = nullptr;
        const int length =
            LoadStringW(resourceModule, static_cast<UINT>(firstString + i), reinterpret_cast<LPWSTR>(&text), 0);
        strings_[i] = length > 0 && text && std::wmemchr(text, L'\0', static_cast<std::size_t>(length)) ? text : L"";
    }
    for (std::size_t set = 0; set < bitmaps_.size(); ++set) {
        const int id = IDB_POPUP_FIRST + 4 * static_cast<int>(set) + display.dpiClass;
        bitmaps_[set] = Made<t_Bitmap>(static_cast<HBITMAP>(
            LoadImageW(resourceModule, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    }
    RECT settings{0, 0, 3 * metrics_.unit + metrics_.scrollBarWidth + 8 * metrics_.buttonWidth, 0};
    AdjustWindowRect(&settings, WS_OVERLAPPEDWINDOW, FALSE);
    settingsMinimumWidth_ = settings.right - settings.left;
    ReadWheelSettings();
}

const wchar_t* t_WidgetResources::String(unsigned id) const noexcept {
    return id >= firstString && id - firstString < stringCount ? strings_[id - firstString] : L"";
}

void t_WidgetResources::ApplyColorScheme(const t_ColorScheme& configured, bool useWindowsTheme) {
    colors_ = SchemeColors(configured, useWindowsTheme, useWindowsTheme ? GetWindowsThemeBackground() : 0,
                           useWindowsTheme && AppsUseDarkTheme());
    iconStore_.SetLogoBackground(OpaquePixel(Color(t_ColorIndex::appIconFallbackBackground)));
    // One by one: each old brush goes only once its successor exists, and painting happens on this thread only.
    for (std::size_t brush = 0; brush < brushes_.size(); ++brush)
        brushes_[brush] = Made<t_Brush>(CreateSolidBrush(Color(BrushColor(static_cast<t_BrushIndex>(brush)))));
}

void t_WidgetResources::ReadWheelSettings() noexcept {
    UINT lines = 3;
    if (!SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0)) lines = 3;
    wheelScrollsPages_ = lines == WHEEL_PAGESCROLL;
    wheelLines_ = wheelScrollsPages_ ? 0 : lines;
}

bool AppsUseDarkTheme() noexcept {
    t_RegistryKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, personalizeKey, 0, KEY_QUERY_VALUE, key.Put()) != ERROR_SUCCESS) return false;
    return DwordValue(key.Get(), L"AppsUseLightTheme") == std::optional<std::uint32_t>(0);
}

t_Color GetWindowsThemeBackground() noexcept {
    t_RegistryKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, dwmKey, 0, KEY_QUERY_VALUE, key.Put()) != ERROR_SUCCESS)
        return AccentBackground(std::nullopt, std::nullopt);
    return AccentBackground(DwordValue(key.Get(), L"ColorizationColor"),
                            DwordValue(key.Get(), L"ColorizationColorBalance"));
}

} // namespace n_ombrix

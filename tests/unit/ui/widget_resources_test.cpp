// The shared drawing resources built from the real program's resources, the colours they apply, and the desktop's
// accent read from the test prefix's registry (the fills the colours make are seen in the item list's tests). And the
// popup built with them, in this process on the test prefix's real screen: the resize strip's hit test and the floor
// the side pane keeps. Where it stands on the work area is seen natively (the arithmetic) and by the system tests.

#include "ui/widget_resources.h"

#include "built_program.h"
#include "catalogue/catalogue.h"
#include "launch/default_launcher.h"
#include "quiet_popup_owner.h"
#include "registry_override.h"
#include "resource_ids.h"
#include "scratch_folder.h"
#include "system/com_ptr.h"
#include "ui/popup_window.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

using namespace n_ombrix;
using namespace n_ombrix_test;
using namespace n_zql::n_system::n_windows;

namespace {

class WidgetResources : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(program_) << "cannot load the built program"; }

    const n_com::t_ComApartment apartment_;
    const t_Module program_ = LoadBuiltProgramResources();
    t_WidgetResources resources_{program_.Get(), t_DisplayMetrics::Read()};
};

} // namespace

TEST_F(WidgetResources, EveryStringMenuIconAndBitmapComesFromTheProgram) {
    for (unsigned id = IDS_FIRST; id <= IDS_LAST; ++id) EXPECT_NE(*resources_.String(id), L'\0') << "string " << id;
    EXPECT_STREQ(resources_.String(IDS_LAST + 1), L"");
    // The code opens the context menus by position: the power menu, the application's, the command's, a jump-list
    // entry's, a pinned entry's and a fixed entry's. A menu out of its place lacks a command that place needs.
    ASSERT_EQ(GetMenuItemCount(resources_.ContextMenus()), 6);
    const UINT marks[] = {IDC_POWER_SHUT_DOWN, IDC_COPY_TO_SEARCH, IDC_CLEAR_LIST,
                          IDC_TOGGLE_PIN,      IDC_TOGGLE_PIN,     IDC_OPEN};
    for (int i = 0; i < 6; ++i)
        EXPECT_NE(GetMenuState(GetSubMenu(resources_.ContextMenus(), i), marks[i], MF_BYCOMMAND), ~0u) << i;
    EXPECT_TRUE(resources_.LargeIcon() && resources_.SmallIcon() && resources_.ArrowCursor());
    EXPECT_GT(resources_.TextHeight20(), resources_.TextHeight16());
    // Bitmaps 102 to 157, every set at every DPI class: 32 bpp, top-down or not, at the size drawn, with alpha drawn.
    for (int id = IDB_POPUP_FIRST; id < IDB_GLYPH_FIRST + 4 * IDB_GLYPH_COUNT; ++id) {
        const int set = (id - IDB_POPUP_FIRST) / 4, dpi = (id - IDB_POPUP_FIRST) % 4;
        const int side = set >= 4 && set <= 6 ? buttonImageSizes[dpi] : smallGlyphSizes[dpi];
        const int width = set == 0 ? narrowGlyphWidths[dpi] : set == 1 ? gripWidths[dpi] : side;
        const int height = set == 0 ? 2 * width : set == 1 ? gripHeights[dpi] : side;
        const n_graphics::n_gdi::t_Bitmap bitmap(static_cast<HBITMAP>(
            LoadImageW(program_.Get(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        DIBSECTION section{};
        ASSERT_EQ(GetObjectW(bitmap.Get(), sizeof section, &section), static_cast<int>(sizeof section)) << id;
        const BITMAP& bits = section.dsBm;
        EXPECT_EQ((std::tuple<int, int, int>(bits.bmWidth, bits.bmHeight, bits.bmBitsPixel)),
                  std::tuple(width, height, 32))
            << id;
        std::set<std::uint32_t> alphas;
        for (int i = 0; i < bits.bmWidth * bits.bmHeight; ++i)
            alphas.insert(static_cast<const std::uint32_t*>(bits.bmBits)[i] >> 24);
        EXPECT_TRUE(alphas.contains(0) && alphas.size() > 2) << id << " has no alpha drawn";
    }
}

TEST_F(WidgetResources, ColoursFollowTheSchemeOrTheDesktopsAccent) {
    t_ColorScheme configured{};
    configured[30] = 0x00FF0000;
    resources_.ApplyColorScheme(configured, false); // (the item list's tests paint with an applied scheme)
    EXPECT_EQ(resources_.IconStore().LogoBackground(), 0xFF0000FFu);

    // Following the theme: the accent from the registry blended by its balance; without them the fallback.
    constexpr wchar_t dwm[] = L"Software\\Microsoft\\Windows\\DWM";
    {
        const t_RegistryOverride color(dwm, L"ColorizationColor", DWORD{0xFF112233});
        const t_RegistryOverride balance(dwm, L"ColorizationColorBalance", DWORD{100});
        EXPECT_EQ(GetWindowsThemeBackground(), 0x00332211u);
        resources_.ApplyColorScheme(configured, true);
        EXPECT_EQ(resources_.Color(t_ColorIndex::windowBackground), 0x00332211u);
        // Apps set to the dark mode: the dark scheme, the background darkened.
        const t_RegistryOverride dark(L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                                      L"AppsUseLightTheme", DWORD{0});
        resources_.ApplyColorScheme(configured, true);
        EXPECT_EQ(std::pair(resources_.Color(t_ColorIndex::area), resources_.Color(t_ColorIndex::windowBackground)),
                  std::pair(DarkScheme()[1], t_Color{0x000C0804}));
        const t_RegistryOverride wrongSize(dwm, L"ColorizationColorBalance", std::wstring(L"50"));
        EXPECT_EQ(GetWindowsThemeBackground(), 0x00332211u); // a balance that is no number counts as 100
    }
    RegDeleteKeyValueW(HKEY_CURRENT_USER, dwm, L"ColorizationColor");
    EXPECT_EQ(GetWindowsThemeBackground(), 0x00CEE5F7u);
}

using PopupWindow = WidgetResources;

TEST_F(PopupWindow, OnlyTheStripResizesAndTheSidePaneKeepsItsFloor) {
    resources_.ApplyColorScheme({}, true);
    const t_ScratchFolder data(L"popup-window");
    t_DefaultLauncher launcher(data.Path());
    launcher.SetCustomExecutors({});
    t_Catalogue catalogue;
    t_QuietPopupOwner owner;
    t_PopupWindow popup(GetModuleHandleW(nullptr), resources_, owner, catalogue, launcher,
                        t_PopupSettings{.width = 621, .appsListWidth = 300});
    popup.SetMode(false);
    popup.Show();
    const HWND window = popup.Handle();
    RECT bounds{};
    GetWindowRect(window, &bounds);
    // The strip is U + 1 = 21 px at 96 DPI: what is hit this far from the right edge.
    const std::pair<int, LRESULT> hits[] = {{-22, HTCLIENT}, {-21, HTRIGHT}, {-1, HTRIGHT}, {0, HTNOWHERE}};
    for (const auto& [dx, hit] : hits)
        EXPECT_EQ(SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(bounds.right + dx, bounds.top + 100)), hit) << dx;

    // The side pane is 250 px wide: the right edge goes at most 150 px to the left; the other edges stay.
    RECT proposed{bounds.left + 5, bounds.top + 5, bounds.right - 400, bounds.bottom - 5};
    SendMessageW(window, WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&proposed));
    EXPECT_EQ(std::tuple(proposed.left, proposed.top, proposed.right, proposed.bottom),
              std::tuple(bounds.left, bounds.top, bounds.right - 150, bounds.bottom));
    popup.Hide();
}

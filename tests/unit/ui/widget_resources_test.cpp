// The shared drawing resources built from the real program's resources, the colours they apply, the desktop's accent
// read from the test prefix's registry, and the highlight fills drawn into a real buffered-paint DC.

#include "ui/widget_resources.h"

#include "built_program.h"
#include "paint_target.h"
#include "registry_override.h"
#include "resource_ids.h"
#include "system/com_ptr.h"
#include "ui/drawing.h"

#include <gtest/gtest.h>

#include <uxtheme.h>

#include <set>
#include <vector>

using namespace n_ombrix;
using namespace n_ombrix_test;
using namespace n_zql::n_system::n_windows;

namespace {

class WidgetResources : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(program_) << "cannot load the built program"; }

    const n_com::t_ComApartment apartment_;
    const t_Module program_ = LoadBuiltProgramResources();
};

std::vector<UINT> Commands(HMENU menu) {
    std::vector<UINT> commands;
    for (int i = 0; menu && i < GetMenuItemCount(menu); ++i)
        if (const UINT id = GetMenuItemID(menu, i); id != 0 && id != static_cast<UINT>(-1)) commands.push_back(id);
    return commands;
}

} // namespace

TEST_F(WidgetResources, EveryStringMenuIconAndBitmapComesFromTheProgram) {
    const t_WidgetResources resources(program_.Get(), t_DisplayMetrics::Read());
    for (unsigned id = IDS_FIRST; id <= IDS_LAST; ++id) EXPECT_NE(*resources.String(id), L'\0') << "string " << id;
    EXPECT_STREQ(resources.String(IDS_LANGUAGE), L"en");
    EXPECT_STREQ(resources.String(IDS_LAST + 1), L"");
    // The context menus keep their order and command numbers; the captions are ours.
    ASSERT_EQ(GetMenuItemCount(resources.ContextMenus()), 6);
    const std::vector<std::vector<UINT>> commands{{40001, 40002, 40003, 40004, 40005, 40006, 40007},
                                                  {40008, 40009, 40010},
                                                  {40008, 40009, 40010, 40012, 40013},
                                                  {40008, 40011, 40012, 40013},
                                                  {40008, 40011, 40012, 40013},
                                                  {40008}};
    for (int submenu = 0; submenu < 6; ++submenu)
        EXPECT_EQ(Commands(GetSubMenu(resources.ContextMenus(), submenu)), commands[submenu]) << submenu;
    EXPECT_TRUE(resources.LargeIcon() && resources.SmallIcon() && resources.ArrowCursor());
    EXPECT_GT(resources.TextHeight20(), resources.TextHeight16());
    // Bitmaps 102 to 157, every set at every DPI class: 32 bpp, top-down or not, at its size, with alpha drawn.
    const auto sizes = [](int set, int dpiClass) -> std::pair<int, int> {
        if (set == 0) return {narrowGlyphWidths[dpiClass], 2 * narrowGlyphWidths[dpiClass]};
        if (set == 1) return {gripWidths[dpiClass], gripHeights[dpiClass]};
        const int side = set >= 4 && set <= 6 ? buttonImageSizes[dpiClass] : smallGlyphSizes[dpiClass];
        return {side, side};
    };
    for (int set = 0; set < 14; ++set) {
        for (int dpiClass = 0; dpiClass < 4; ++dpiClass) {
            const int id = IDB_POPUP_FIRST + 4 * set + dpiClass;
            const n_graphics::n_gdi::t_Bitmap bitmap(static_cast<HBITMAP>(
                LoadImageW(program_.Get(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
            DIBSECTION section{};
            ASSERT_EQ(GetObjectW(bitmap.Get(), sizeof section, &section), static_cast<int>(sizeof section)) << id;
            EXPECT_EQ(std::pair(static_cast<int>(section.dsBm.bmWidth), static_cast<int>(section.dsBm.bmHeight)),
                      sizes(set, dpiClass))
                << id;
            EXPECT_EQ(section.dsBm.bmBitsPixel, 32) << id;
            std::set<std::uint32_t> alphas;
            const auto* pixels = static_cast<const std::uint32_t*>(section.dsBm.bmBits);
            for (int i = 0; i < section.dsBm.bmWidth * section.dsBm.bmHeight; ++i) alphas.insert(pixels[i] >> 24);
            EXPECT_TRUE(alphas.contains(0) && alphas.size() > 2) << id << " has no alpha drawn";
        }
    }
}

TEST_F(WidgetResources, ColoursFollowTheSchemeOrTheDesktopsAccent) {
    t_WidgetResources resources(program_.Get(), t_DisplayMetrics::Read());
    t_ColorScheme configured{};
    configured.fill(Rgb(1, 2, 3));
    configured[30] = 0x00FF0000;
    resources.ApplyColorScheme(configured, false);
    EXPECT_EQ(resources.Color(t_ColorIndex::windowBackground), Rgb(1, 2, 3));
    EXPECT_EQ(resources.IconStore().LogoBackground(), 0xFF0000FFu);
    LOGBRUSH brush{};
    ASSERT_TRUE(GetObjectW(resources.Brush(t_BrushIndex::separator), sizeof brush, &brush));
    EXPECT_EQ(brush.lbColor, Rgb(1, 2, 3));

    // Following the theme: the accent from the registry blended by its balance; without them the fallback.
    constexpr wchar_t dwm[] = L"Software\\Microsoft\\Windows\\DWM";
    {
        const t_RegistryOverride color(dwm, L"ColorizationColor", DWORD{0xFF112233});
        const t_RegistryOverride balance(dwm, L"ColorizationColorBalance", DWORD{100});
        EXPECT_EQ(GetWindowsThemeBackground(), 0x00332211u);
        resources.ApplyColorScheme(configured, true);
        EXPECT_EQ(resources.Color(t_ColorIndex::windowBackground), 0x00332211u);
        EXPECT_EQ(resources.Color(t_ColorIndex::frame), colorTable[0].defaultValue);
        const t_RegistryOverride wrongSize(dwm, L"ColorizationColorBalance", std::wstring(L"50"));
        EXPECT_EQ(GetWindowsThemeBackground(), 0x00332211u); // a balance that is no number counts as 100
    }
    RegDeleteKeyValueW(HKEY_CURRENT_USER, dwm, L"ColorizationColor");
    EXPECT_EQ(GetWindowsThemeBackground(), 0x00CEE5F7u);
}

TEST_F(WidgetResources, HighlightsFillWithTheirStatesColours) {
    t_WidgetResources resources(program_.Get(), t_DisplayMetrics::Read());
    t_ColorScheme scheme{};
    for (std::size_t i = 0; i < scheme.size(); ++i) scheme[i] = Rgb(static_cast<std::uint32_t>(8 * i), 0, 100);
    resources.ApplyColorScheme(scheme, false);

    t_PaintTarget target(40, 20);
    const RECT all{0, 0, 40, 20}, inner{10, 2, 30, 18};
    const auto pixel = [&](int x, int y) { return target.Pixel(x, y); };
    for (const bool split : {false, true}) {
        ASSERT_TRUE(target.Paint([&](HDC buffered, const RECT&) {
            if (split)
                FillSplitHighlight(buffered, all, inner, resources, t_HighlightState::elevatedSelection);
            else
                FillHighlight(buffered, all, resources, t_HighlightState::preliminary);
        }));
        if (!split) {
            EXPECT_EQ(pixel(0, 0), scheme[5]);   // preliminary frame
            EXPECT_EQ(pixel(20, 10), scheme[6]); // preliminary area
        } else {
            EXPECT_EQ(pixel(0, 0), scheme[20]);   // elevated selection frame around everything
            EXPECT_EQ(pixel(5, 10), scheme[1]);   // "area" outside the inner rectangle
            EXPECT_EQ(pixel(10, 10), scheme[20]); // the inner rectangle's frame
            EXPECT_EQ(pixel(20, 10), scheme[21]); // elevated selection area
        }
    }
}

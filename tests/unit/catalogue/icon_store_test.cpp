// The icon store under Wine: real links, real icons of system files, real bitmaps, and the glyphs from the built
// program's resources.

#include "catalogue/icon_store.h"

#include "scratch_folder.h"
#include "shell_link.h"

#include "built_program.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <set>
#include <tuple>
#include <vector>

using namespace n_ombrix;
using namespace n_ombrix_test;
using namespace n_zql::n_system::n_windows;
using n_com::t_ComPtr;

namespace {

constexpr int glyphSizes[] = {16, 20, 24, 32}; // by scale index

// The image's pixels as 0xAARRGGBB, rows from the top; null unless it has the store's format at that size: a square
// 32-bpp BI_RGB section, premultiplied.
const std::uint32_t* Pixels(HBITMAP image, int size) {
    DIBSECTION section{};
    const BITMAPINFOHEADER& header = section.dsBmih;
    if (!image || GetObjectW(image, sizeof section, &section) != sizeof section || header.biBitCount != 32 ||
        header.biCompression != BI_RGB || header.biWidth != size || std::abs(header.biHeight) != size ||
        section.dsBm.bmWidthBytes != 4 * size)
        return nullptr;
    const auto* bytes = static_cast<const BYTE*>(section.dsBm.bmBits);
    for (int i = 0; i < 4 * size * size; i += 4)
        if (std::max({bytes[i], bytes[i + 1], bytes[i + 2]}) > bytes[i + 3]) return nullptr;
    return reinterpret_cast<const std::uint32_t*>(bytes);
}

bool IsAlive(HBITMAP bitmap) { return GetObjectType(bitmap) == OBJ_BITMAP; }

class IconStore : public testing::Test {
protected:
    void SetUp() override { store_.LoadDefaults(); }

    HBITMAP DefaultApp(bool large) {
        return store_.Slot(large ? t_IconStore::defaultAppLargeSlot : t_IconStore::defaultAppSmallSlot);
    }

    n_com::t_ComApartment apartment_;
    t_Module program_ = LoadBuiltProgramResources();
    t_IconStore store_{t_DisplayMetrics::Read(), program_.Get()};
    t_ScratchFolder scratch_{L"icon-store"};
};

} // namespace

TEST_F(IconStore, FixedImagesAtEveryScaleAreKeptOnceUntilClear) {
    for (int scale = 0; scale < 4; ++scale) {
        t_DisplayMetrics metrics = t_DisplayMetrics::Read();
        metrics.dpiClass = scale;
        t_IconStore store(metrics, program_.Get());
        store.LoadDefaults();
        std::vector<HBITMAP> slots;
        for (int slot = 0; slot < t_IconStore::slotCount; ++slot) {
            const bool glyph = slot >= t_IconStore::firstGlyphSlot;
            // The large defaults come first.
            const int size = glyph ? glyphSizes[scale] : slot < 2 ? store.LargeSize() : store.SmallSize();
            slots.push_back(store.Slot(slot));
            const std::uint32_t* pixels = Pixels(slots.back(), size);
            ASSERT_TRUE(pixels) << "slot " << slot << " at scale " << scale << " is not in the store's format";
            // A glyph has clear corners, a solid body and antialiased edges: the copy kept its alpha as drawn.
            std::set<std::uint32_t> alphas;
            for (int i = 0; glyph && i < size * size; ++i) alphas.insert(pixels[i] >> 24);
            EXPECT_TRUE(!glyph || (alphas.contains(0) && alphas.contains(255) && alphas.size() > 2)) << slot;
        }
        EXPECT_EQ(std::set<HBITMAP>(slots.begin(), slots.end()).size(), slots.size()) << "two look alike";
        // Loading again registers equal pixels: the same handles.
        store.LoadDefaults();
        for (int slot = 0; slot < t_IconStore::slotCount; ++slot) EXPECT_EQ(store.Slot(slot), slots[slot]);
        store.Clear();
        for (int slot = 0; slot < t_IconStore::slotCount; ++slot)
            EXPECT_TRUE(!store.Slot(slot) && !IsAlive(slots[slot])) << slot;
    }
}

TEST_F(IconStore, LinksFilesAndIconLocationsGiveOneImagePerSource) {
    std::wstring system(MAX_PATH, L'\0');
    system.resize(GetSystemDirectoryW(system.data(), MAX_PATH));
    const std::wstring notepad = system + L"\\notepad.exe", shell32 = system + L"\\shell32.dll";
    // Under Wine the stock application image has no location; there it is user32's application icon.
    std::wstring stockPath = system + L"\\user32.dll";
    int stockIndex = -32512;
    SHSTOCKICONINFO stock{};
    stock.cbSize = sizeof stock;
    if (SUCCEEDED(SHGetStockIconInfo(SIID_APPLICATION, SHGSI_ICONLOCATION, &stock)) && stock.iIcon != -1)
        std::tie(stockPath, stockIndex) = std::tuple(std::wstring(stock.szPath), stock.iIcon);
    // Links without an icon location, with arguments, with the stock application image as their icon; and one with an
    // icon of shell32.dll.
    const t_ComPtr<IShellLinkW> targetLinks[] = {
        MakeShellLink(scratch_ / L"Plain.lnk", {.target = notepad}),
        MakeShellLink(scratch_ / L"Arguments.lnk", {.target = notepad, .arguments = L"readme.txt"}),
        MakeShellLink(scratch_ / L"Stock.lnk", {.target = notepad, .iconPath = stockPath, .iconIndex = stockIndex})};
    const t_ComPtr<IShellLinkW> shell =
        MakeShellLink(scratch_ / L"Shell.lnk", {.target = notepad, .iconPath = shell32, .iconIndex = 3});
    for (const bool large : {true, false}) {
        // These links show their target's image (under Wine through the file information icon, as its image
        // factory gives a 1 x 1 bitmap; that image's format is the defaults' above).
        HBITMAP target = store_.ImageForFile(notepad, large);
        EXPECT_NE(target, DefaultApp(large));
        for (const t_ComPtr<IShellLinkW>& link : targetLinks) EXPECT_EQ(store_.ImageForLink(link.Get(), large), target);
        // Environment references expand; a negative index is a resource number, not a position.
        HBITMAP third = store_.ImageFromIconLocation(L"%SystemRoot%\\system32\\shell32.dll", 3, large);
        EXPECT_EQ(store_.ImageForLink(shell.Get(), large), third);
        HBITMAP numbered = store_.ImageFromIconLocation(shell32, -3, large);
        EXPECT_TRUE(numbered != third && numbered != DefaultApp(large));
        // Nothing usable: the default application image.
        EXPECT_EQ(store_.ImageForFile(scratch_ / L"missing.exe", large), DefaultApp(large));
        EXPECT_EQ(store_.ImageFromIconLocation(scratch_ / L"missing.dll", 0, large), DefaultApp(large));
    }
    // Images remembered by source die with the rest: after Clear the source is converted afresh.
    store_.Clear();
    EXPECT_TRUE(IsAlive(store_.ImageFromIconLocation(shell32, 3, true)));
}

TEST_F(IconStore, LogoIsDrawnCentredOnTheBackgroundAndKeptOnce) {
    WriteFileBytes(scratch_ / L"logo.bmp", OpaqueBitmapFileBytes(44, 0xFF0000));
    const std::uint32_t background = 0xFF2080C0;
    // The margin's odd pixel goes before the logo: 7 = 4 + 3.
    for (const auto& [drawn, first, last] : {std::tuple{24, 4, 27}, std::tuple{25, 4, 28}}) {
        HBITMAP image = store_.ImageForLogo(scratch_ / L"logo.bmp", background, 32, drawn, true);
        const std::uint32_t* pixels = Pixels(image, 32);
        ASSERT_TRUE(pixels) << "not in the store's format";
        for (int i = 0; i < 32 * 32; ++i) {
            const int x = i % 32, y = i / 32;
            const bool inside = x >= first && x <= last && y >= first && y <= last;
            ASSERT_EQ(pixels[i], inside ? 0xFFFF0000u : background) << x << "," << y << " of " << drawn;
        }
        EXPECT_EQ(store_.ImageForLogo(scratch_ / L"logo.bmp", background, 32, drawn, false), image);
    }
    EXPECT_EQ(store_.ImageForLogo(scratch_ / L"missing.png", background, 32, 24, true), DefaultApp(true));
}

// The icon store under Wine: real links, real icons of system files, real bitmaps, and the glyphs from the built
// program's resources.

#include "catalogue/icon_store.h"

#include "scratch_folder.h"
#include "shell_link.h"

#include "built_program.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <tuple>
#include <vector>

using namespace n_ombrix;
using namespace n_ombrix_test;
using namespace n_zql::n_system::n_windows;
using n_com::t_ComPtr;
using t_Bitmap = n_graphics::n_gdi::t_Bitmap;

namespace {

constexpr int glyphSizes[] = {16, 20, 24, 32}; // by scale index

// Empty when the image has the store's format at that size: a square 32-bpp BI_RGB section, premultiplied.
std::string FormatFault(HBITMAP image, int size) {
    DIBSECTION section{};
    if (!image || GetObjectW(image, sizeof section, &section) != sizeof section) return "not a DIB section";
    const BITMAPINFOHEADER& header = section.dsBmih;
    if (header.biBitCount != 32 || header.biCompression != BI_RGB || header.biWidth != size ||
        std::abs(header.biHeight) != size || section.dsBm.bmWidthBytes != 4 * size)
        return "not a 32-bpp square of " + std::to_string(size);
    const auto* pixel = static_cast<const BYTE*>(section.dsBm.bmBits);
    for (int i = 0; i < size * size; ++i, pixel += 4)
        if (std::max({pixel[0], pixel[1], pixel[2]}) > pixel[3]) return "not premultiplied";
    return {};
}

// The image's pixels as 0xAARRGGBB, rows from the top.
const std::uint32_t* Pixels(HBITMAP image) {
    DIBSECTION section{};
    GetObjectW(image, sizeof section, &section);
    return static_cast<const std::uint32_t*>(section.dsBm.bmBits);
}

bool IsAlive(HBITMAP bitmap) {
    BITMAP record{};
    return GetObjectW(bitmap, sizeof record, &record) != 0;
}

class IconStore : public testing::Test {
protected:
    void SetUp() override { store_.LoadDefaults(); }

    HBITMAP DefaultApp(bool large) {
        return store_.Slot(large ? t_IconStore::defaultAppLargeSlot : t_IconStore::defaultAppSmallSlot);
    }
    HBITMAP ImageForLink(const wchar_t* name, bool large) {
        t_ComPtr<IShellLinkW> link;
        n_com::ThrowIfFailed(
            CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(link.Put())));
        n_com::ThrowIfFailed(link.Query<IPersistFile>()->Load((scratch_ / name).c_str(), STGM_READ));
        return store_.ImageForLink(link.Get(), large);
    }

    n_com::t_ComApartment apartment_;
    t_Module program_ = LoadBuiltProgramResources();
    t_DisplayMetrics metrics_ = t_DisplayMetrics::Read();
    t_IconStore store_{metrics_, program_.Get()};
    t_ScratchFolder scratch_{L"icon-store"};
};

} // namespace

TEST_F(IconStore, FixedImagesAtEveryScaleAreKeptOnceUntilClear) {
    for (int scale = 0; scale < 4; ++scale) {
        t_DisplayMetrics metrics = metrics_;
        metrics.dpiClass = scale;
        t_IconStore store(metrics, program_.Get());
        store.LoadDefaults();
        std::vector<HBITMAP> slots;
        for (int slot = 0; slot < t_IconStore::slotCount; ++slot) {
            const bool glyph = slot >= t_IconStore::firstGlyphSlot;
            // The large defaults come first.
            const int size = glyph ? glyphSizes[scale] : slot < 2 ? store.LargeSize() : store.SmallSize();
            slots.push_back(store.Slot(slot));
            ASSERT_EQ(FormatFault(slots.back(), size), "") << "slot " << slot << " at scale " << scale;
            // A glyph has clear corners, a solid body and antialiased edges: the copy kept its alpha as drawn.
            std::set<std::uint32_t> alphas;
            for (int i = 0; glyph && i < size * size; ++i) alphas.insert(Pixels(slots.back())[i] >> 24);
            EXPECT_TRUE(!glyph || (alphas.contains(0) && alphas.contains(255) && alphas.size() > 2)) << slot;
        }
        EXPECT_EQ(std::set<HBITMAP>(slots.begin(), slots.end()).size(), slots.size()) << "two look alike";
        // Loading again registers equal pixels: the same handles, no new image.
        const std::size_t count = store.ImageCount();
        store.LoadDefaults();
        EXPECT_EQ(store.ImageCount(), count);
        for (int slot = 0; slot < t_IconStore::slotCount; ++slot) EXPECT_EQ(store.Slot(slot), slots[slot]);
        store.Clear();
        EXPECT_EQ(store.ImageCount(), 0u);
        for (int slot = 0; slot < t_IconStore::slotCount; ++slot)
            EXPECT_TRUE(!store.Slot(slot) && !IsAlive(slots[slot])) << slot;
    }
}

TEST_F(IconStore, LinksFilesAndIconLocationsGiveOneImagePerSource) {
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring notepad = system + std::wstring(L"\\notepad.exe"),
                       shell32 = system + std::wstring(L"\\shell32.dll");
    // Under Wine the stock application image has no location; there it is user32's application icon.
    std::wstring stockPath = system + std::wstring(L"\\user32.dll");
    int stockIndex = -32512;
    SHSTOCKICONINFO stock{};
    stock.cbSize = sizeof stock;
    if (SUCCEEDED(SHGetStockIconInfo(SIID_APPLICATION, SHGSI_ICONLOCATION, &stock)) && stock.iIcon != -1)
        std::tie(stockPath, stockIndex) = std::tuple(std::wstring(stock.szPath), stock.iIcon);
    MakeShellLink(scratch_ / L"Plain.lnk", {.target = notepad});
    MakeShellLink(scratch_ / L"Arguments.lnk", {.target = notepad, .arguments = L"readme.txt"});
    MakeShellLink(scratch_ / L"Stock.lnk", {.target = notepad, .iconPath = stockPath, .iconIndex = stockIndex});
    MakeShellLink(scratch_ / L"Shell.lnk", {.target = notepad, .iconPath = shell32, .iconIndex = 3});
    for (const bool large : {true, false}) {
        // A link without an icon location, or whose icon is the stock application image, shows its target's image
        // (under Wine through the file information icon, as its image factory gives a 1 x 1 bitmap).
        HBITMAP target = store_.ImageForFile(notepad, large);
        EXPECT_EQ(FormatFault(target, large ? store_.LargeSize() : store_.SmallSize()), "");
        EXPECT_NE(target, DefaultApp(large));
        for (const wchar_t* link : {L"Plain.lnk", L"Arguments.lnk", L"Stock.lnk"})
            EXPECT_EQ(ImageForLink(link, large), target) << link;
        EXPECT_EQ(store_.ImageFromIconLocation(stockPath, stockIndex, large), DefaultApp(large));
        // Environment references expand; a negative index is a resource number, not a position.
        HBITMAP third = store_.ImageFromIconLocation(L"%SystemRoot%\\system32\\shell32.dll", 3, large);
        EXPECT_NE(third, DefaultApp(large));
        EXPECT_EQ(ImageForLink(L"Shell.lnk", large), third);
        HICON icon = nullptr;
        ASSERT_EQ(ExtractIconExW(shell32.c_str(), -3, large ? &icon : nullptr, large ? nullptr : &icon, 1), 1u);
        HBITMAP numbered = store_.ImageFromIcon(t_Icon(icon), large);
        EXPECT_EQ(store_.ImageFromIconLocation(shell32, -3, large), numbered);
        EXPECT_NE(numbered, third);
        // Nothing usable: the default application image.
        EXPECT_EQ(store_.ImageForFile(scratch_ / L"missing.exe", large), DefaultApp(large));
        EXPECT_EQ(store_.ImageFromIconLocation(scratch_ / L"missing.dll", 0, large), DefaultApp(large));
    }
    // Images remembered by source die with the rest: after Clear the source is converted afresh.
    store_.Clear();
    EXPECT_TRUE(IsAlive(store_.ImageFromIconLocation(shell32, 3, true)));
}

TEST_F(IconStore, LogoIsDrawnCentredOnTheBackgroundAndKeptOnce) {
    // A 44 x 44 opaque red bitmap file (32 bpp without alpha reads as opaque).
    const BITMAPINFOHEADER info{sizeof info, 44, 44, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    const BITMAPFILEHEADER file{0x4D42, sizeof file + sizeof info + 44 * 44 * 4, 0, 0, sizeof file + sizeof info};
    std::string bytes = std::string(reinterpret_cast<const char*>(&file), sizeof file) +
                        std::string(reinterpret_cast<const char*>(&info), sizeof info);
    for (int i = 0; i < 44 * 44; ++i) bytes += std::string("\0\0\xFF\0", 4);
    WriteFileBytes(scratch_ / L"logo.bmp", bytes);
    const std::uint32_t background = 0xFF2080C0;
    // The margin's odd pixel goes before the logo: 7 = 4 + 3.
    for (const auto& [drawn, first, last] : {std::tuple{24, 4, 27}, std::tuple{25, 4, 28}}) {
        HBITMAP image = store_.ImageForLogo(scratch_ / L"logo.bmp", background, 32, drawn, true);
        ASSERT_EQ(FormatFault(image, 32), "");
        for (int i = 0; i < 32 * 32; ++i) {
            const int x = i % 32, y = i / 32;
            const bool inside = x >= first && x <= last && y >= first && y <= last;
            ASSERT_EQ(Pixels(image)[i], inside ? 0xFFFF0000u : background) << x << "," << y << " of " << drawn;
        }
        EXPECT_EQ(store_.ImageForLogo(scratch_ / L"logo.bmp", background, 32, drawn, false), image);
    }
    EXPECT_EQ(store_.ImageForLogo(scratch_ / L"missing.png", background, 32, 24, true), DefaultApp(true));
}

TEST_F(IconStore, RegisteringEqualPixelsKeepsTheFirstAndAnythingElseIsRefused) {
    HBITMAP glyph = store_.Slot(t_IconStore::firstGlyphSlot);
    const int size = glyphSizes[metrics_.dpiClass];
    const BITMAPINFO info{{sizeof info.bmiHeader, size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    void* bits = nullptr;
    t_Bitmap copy(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_TRUE(bits);
    std::memcpy(bits, Pixels(glyph), 4 * size * size);
    HBITMAP duplicate = copy.Get();
    t_Bitmap device(CreateBitmap(size, size, 1, 32, nullptr)); // not a DIB section
    HBITMAP refused = device.Get();

    const std::size_t count = store_.ImageCount();
    EXPECT_EQ(store_.Register(std::move(copy)), glyph);
    EXPECT_EQ(store_.Register(std::move(device)), nullptr);
    EXPECT_EQ(store_.ImageCount(), count);
    EXPECT_FALSE(IsAlive(duplicate) || IsAlive(refused));
}

// The icon store under Wine: real links, real icons of system files, real bitmaps, and the glyphs from the built
// program's resources.

#include "catalogue/icon_store.h"

#include "resource_ids.h"
#include "scratch_folder.h"
#include "shell_link.h"
#include "system/module_file_name.h"
#include "system/path_text.h"

#include "built_program.h"

#include <gtest/gtest.h>

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <set>
#include <string>
#include <vector>

using namespace n_ombrix;
using namespace n_ombrix_test;
using namespace n_zql::n_system::n_windows;
using n_com::t_ComPtr;
using t_Bitmap = n_graphics::n_gdi::t_Bitmap;

namespace {

constexpr int glyphSizes[] = {16, 20, 24, 32}; // by scale index

std::wstring SystemFolder() {
    wchar_t folder[MAX_PATH];
    GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder) + L"\\";
}

// The format every image handed out has; an empty string when it does.
std::string FormatFault(HBITMAP image, int size) {
    if (!IsStoreImage(image)) return "not a store image";
    DIBSECTION section{};
    if (GetObjectW(image, sizeof section, &section) != sizeof section) return "not a DIB section";
    const BITMAPINFOHEADER& header = section.dsBmih;
    if (header.biSize != 40 || header.biPlanes != 1 || header.biBitCount != 32 || header.biCompression != BI_RGB)
        return "header is not 32-bpp BI_RGB";
    // GetObject reports the height of a top-down section as positive, so the rows are read back top-first instead.
    if (header.biWidth != size || std::abs(header.biHeight) != size) return "not " + std::to_string(size) + " square";
    if (header.biSizeImage != static_cast<DWORD>(size * size * 4)) return "wrong image size";
    const auto* pixels = static_cast<const BYTE*>(section.dsBm.bmBits);
    BITMAPINFO topDown{};
    topDown.bmiHeader = {sizeof topDown.bmiHeader, size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<BYTE> rows(static_cast<std::size_t>(size) * size * 4);
    const n_graphics::n_gdi::t_WindowDc screen(nullptr);
    if (GetDIBits(screen.Get(), image, 0, size, rows.data(), &topDown, DIB_RGB_COLORS) != size ||
        std::memcmp(rows.data(), pixels, rows.size()) != 0)
        return "not top-down";
    for (int i = 0; i < size * size; ++i) {
        const BYTE* pixel = pixels + 4 * i;
        if (pixel[0] > pixel[3] || pixel[1] > pixel[3] || pixel[2] > pixel[3]) return "not premultiplied";
    }
    return {};
}

std::uint32_t PixelAt(HBITMAP image, int x, int y) {
    DIBSECTION section{};
    GetObjectW(image, sizeof section, &section);
    std::uint32_t pixel = 0;
    std::memcpy(&pixel, static_cast<const BYTE*>(section.dsBm.bmBits) + 4 * (y * section.dsBm.bmWidth + x), 4);
    return pixel;
}

bool IsAlive(HBITMAP bitmap) {
    BITMAP record{};
    return GetObjectW(bitmap, sizeof record, &record) != 0;
}

t_ComPtr<IShellLinkW> LoadLink(const std::wstring& path) {
    t_ComPtr<IShellLinkW> link;
    n_com::ThrowIfFailed(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(link.Put())));
    n_com::ThrowIfFailed(link.Query<IPersistFile>()->Load(path.c_str(), STGM_READ));
    return link;
}

// A PNG written through WIC: straight-alpha BGRA pixels, one colour.
void WriteSolidPng(const std::wstring& path, int size, std::uint32_t argb) {
    t_ComPtr<IWICImagingFactory> factory;
    n_com::ThrowIfFailed(
        CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(factory.Put())));
    t_ComPtr<IWICStream> stream;
    n_com::ThrowIfFailed(factory->CreateStream(stream.Put()));
    n_com::ThrowIfFailed(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE));
    t_ComPtr<IWICBitmapEncoder> encoder;
    n_com::ThrowIfFailed(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.Put()));
    n_com::ThrowIfFailed(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache));
    t_ComPtr<IWICBitmapFrameEncode> frame;
    n_com::ThrowIfFailed(encoder->CreateNewFrame(frame.Put(), nullptr));
    n_com::ThrowIfFailed(frame->Initialize(nullptr));
    n_com::ThrowIfFailed(frame->SetSize(size, size));
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
    n_com::ThrowIfFailed(frame->SetPixelFormat(&format));
    ASSERT_TRUE(IsEqualGUID(format, GUID_WICPixelFormat32bppBGRA));
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size) * size, argb);
    n_com::ThrowIfFailed(frame->WritePixels(size, 4 * size, 4 * size * size, reinterpret_cast<BYTE*>(pixels.data())));
    n_com::ThrowIfFailed(frame->Commit());
    n_com::ThrowIfFailed(encoder->Commit());
}

class IconStore : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(apartment_.Result()));
        program_ = n_ombrix_test::LoadBuiltProgramResources();
        ASSERT_TRUE(program_);
        metrics_ = t_DisplayMetrics::Read();
        store_.emplace(metrics_, program_.Get());
        store_->LoadDefaults();
    }
    void TearDown() override { store_.reset(); }

    t_IconStore& Store() { return *store_; }
    HBITMAP DefaultApp(bool large) {
        return Store().Slot(large ? t_IconStore::defaultAppLargeSlot : t_IconStore::defaultAppSmallSlot);
    }
    void ExpectImage(HBITMAP image, bool large) {
        EXPECT_EQ(FormatFault(image, large ? Store().LargeSize() : Store().SmallSize()), "");
    }

    n_com::t_ComApartment apartment_;
    t_Module program_;
    t_DisplayMetrics metrics_;
    std::optional<t_IconStore> store_;
    t_ScratchFolder scratch_{L"icon-store"};
};

} // namespace

TEST_F(IconStore, DefaultsAndGlyphsAreStoreImagesAndClearFreesEveryImage) {
    // Wine's GetGuiResources always answers 0, so there the handles' own deaths below carry this test.
    const DWORD objectsBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    Store().Clear();
    const DWORD objectsCleared = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    Store().LoadDefaults();

    std::vector<HBITMAP> handedOut;
    for (int slot = 0; slot < t_IconStore::slotCount; ++slot) {
        HBITMAP image = Store().Slot(slot);
        ASSERT_NE(image, nullptr) << "slot " << slot;
        handedOut.push_back(image);
    }
    ExpectImage(Store().Slot(t_IconStore::defaultAppLargeSlot), true);
    ExpectImage(Store().Slot(t_IconStore::defaultFolderLargeSlot), true);
    ExpectImage(Store().Slot(t_IconStore::defaultAppSmallSlot), false);
    ExpectImage(Store().Slot(t_IconStore::defaultFolderSmallSlot), false);
    EXPECT_NE(Store().ImageForFolder(true), DefaultApp(true));
    EXPECT_EQ(Store().ImageForFolder(false), Store().Slot(t_IconStore::defaultFolderSmallSlot));
    handedOut.push_back(Store().ImageFromIconLocation(SystemFolder() + L"shell32.dll", 3, false));
    handedOut.push_back(Store().ImageForFile(SystemFolder() + L"notepad.exe", true));

    Store().Clear();
    for (int slot = 0; slot < t_IconStore::slotCount; ++slot) EXPECT_EQ(Store().Slot(slot), nullptr);
    EXPECT_EQ(Store().ImageCount(), 0u);
    for (HBITMAP image : handedOut) EXPECT_FALSE(IsAlive(image));
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), objectsCleared);
    EXPECT_LE(objectsCleared, objectsBefore);
}

TEST_F(IconStore, LinksToOneProgramShareOneImageAtEachSize) {
    const std::wstring notepad = SystemFolder() + L"notepad.exe";
    MakeShellLink(scratch_ / L"Editor.lnk", {.target = notepad});
    MakeShellLink(scratch_ / L"Editor again.lnk", {.target = notepad, .arguments = L"readme.txt"});
    MakeShellLink(scratch_ / L"Editor icon.lnk", {.target = notepad, .iconPath = notepad, .iconIndex = 0});
    for (const bool large : {true, false}) {
        // Without an icon location the image comes from the target (under Wine through the file information icon,
        // as its image factory gives a 1 x 1 bitmap).
        HBITMAP first = Store().ImageForLink(LoadLink(scratch_ / L"Editor.lnk").Get(), large);
        ExpectImage(first, large);
        EXPECT_NE(first, DefaultApp(large));
        EXPECT_EQ(Store().ImageForLink(LoadLink(scratch_ / L"Editor again.lnk").Get(), large), first);
        EXPECT_EQ(Store().ImageForFile(notepad, large), first);
        HBITMAP located = Store().ImageForLink(LoadLink(scratch_ / L"Editor icon.lnk").Get(), large);
        ExpectImage(located, large);
        EXPECT_NE(located, DefaultApp(large));
    }
    // Nothing usable: the default application image.
    EXPECT_EQ(Store().ImageForFile(scratch_ / L"missing.exe", true), DefaultApp(true));
    EXPECT_EQ(Store().ImageFromIconLocation(scratch_ / L"missing.dll", 0, false), DefaultApp(false));
}

TEST_F(IconStore, IconLocationsFollowTheShellsRules) {
    const std::wstring shell32 = SystemFolder() + L"shell32.dll";
    for (const bool large : {true, false}) {
        // Environment references expand; a negative index is a resource number, not a position.
        HBITMAP third = Store().ImageFromIconLocation(shell32, 3, large);
        ExpectImage(third, large);
        EXPECT_EQ(Store().ImageFromIconLocation(L"%SystemRoot%\\system32\\shell32.dll", 3, large), third);
        HICON icon = nullptr;
        ASSERT_EQ(ExtractIconExW(shell32.c_str(), -3, large ? &icon : nullptr, large ? nullptr : &icon, 1), 1u);
        EXPECT_EQ(Store().ImageFromIconLocation(shell32, -3, large), Store().ImageFromIcon(t_Icon(icon), large));
        EXPECT_NE(Store().ImageFromIconLocation(shell32, -3, large), third);
    }
    // A link whose icon is the stock application image shows its target's. Under Wine the stock information has no
    // location, so that image is user32's application icon, resource 32512.
    std::wstring stockPath = SystemFolder() + L"user32.dll";
    int stockIndex = -32512;
    SHSTOCKICONINFO stock{};
    stock.cbSize = sizeof stock;
    if (SUCCEEDED(SHGetStockIconInfo(SIID_APPLICATION, SHGSI_ICONLOCATION, &stock)) && stock.szPath[0] &&
        stock.iIcon != -1) {
        stockPath = stock.szPath;
        stockIndex = stock.iIcon;
    }
    ASSERT_EQ(Store().ImageFromIconLocation(stockPath, stockIndex, true), DefaultApp(true));
    const std::wstring target = SystemFolder() + L"notepad.exe";
    MakeShellLink(scratch_ / L"Editor.lnk", {.target = target, .iconPath = stockPath, .iconIndex = stockIndex});
    HBITMAP image = Store().ImageForLink(LoadLink(scratch_ / L"Editor.lnk").Get(), true);
    EXPECT_NE(image, DefaultApp(true));
    EXPECT_EQ(image, Store().ImageForFile(target, true));
}

TEST_F(IconStore, LogoIsDrawnCentredOnTheBackgroundAndKeptOnce) {
    const std::wstring logo = scratch_ / L"logo.png";
    WriteSolidPng(logo, 44, 0xFFFF0000); // opaque red
    EXPECT_EQ(Store().LogoBackground(), 0xFF0000FFu);
    Store().SetLogoBackground(0xFF2080C0);
    const std::uint32_t background = Store().LogoBackground();

    HBITMAP image = Store().ImageForLogo(logo, background, 32, 24, true);
    ASSERT_EQ(FormatFault(image, 32), "");
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const bool inside = x >= 4 && x < 28 && y >= 4 && y < 28;
            ASSERT_EQ(PixelAt(image, x, y), inside ? 0xFFFF0000u : background) << x << "," << y;
        }
    }
    EXPECT_EQ(Store().ImageForLogo(logo, background, 32, 24, true), image);
    // An odd margin puts the extra pixel before the logo: 7 = 4 + 3.
    HBITMAP odd = Store().ImageForLogo(logo, background, 32, 25, false);
    EXPECT_EQ(PixelAt(odd, 3, 3), background);
    EXPECT_EQ(PixelAt(odd, 4, 4), 0xFFFF0000u);
    EXPECT_EQ(PixelAt(odd, 28, 28), 0xFFFF0000u);
    EXPECT_EQ(PixelAt(odd, 29, 29), background);

    EXPECT_EQ(Store().ImageForLogo(scratch_ / L"missing.png", background, 32, 24, true), DefaultApp(true));
}

TEST_F(IconStore, GlyphsLoadAtEveryScaleWithAlphaAndAreKeptOnce) {
    for (int scale = 0; scale < 4; ++scale) {
        t_DisplayMetrics metrics = metrics_;
        metrics.dpiClass = scale;
        t_IconStore store(metrics, program_.Get());
        store.LoadDefaults();
        std::set<HBITMAP> glyphs;
        for (int glyph = 0; glyph < t_IconStore::glyphCount; ++glyph) {
            HBITMAP image = store.Slot(t_IconStore::firstGlyphSlot + glyph);
            ASSERT_EQ(FormatFault(image, glyphSizes[scale]), "") << "glyph " << glyph << " at scale " << scale;
            glyphs.insert(image);
            // Clear corners, a solid body and antialiased edges: the copy kept the alpha channel as drawn.
            std::set<int> kinds; // clear, partial, solid
            for (int y = 0; y < glyphSizes[scale]; ++y) {
                for (int x = 0; x < glyphSizes[scale]; ++x) {
                    const std::uint32_t alpha = PixelAt(image, x, y) >> 24;
                    kinds.insert(alpha == 0 ? 0 : alpha == 255 ? 2 : 1);
                }
            }
            EXPECT_EQ(kinds.size(), 3u) << "glyph " << glyph << " at scale " << scale;
        }
        EXPECT_EQ(glyphs.size(), std::size_t{t_IconStore::glyphCount}) << "two glyphs look alike";
        // Loading again registers equal pixels: the same handles, no new image.
        const std::size_t count = store.ImageCount();
        store.LoadDefaults();
        EXPECT_EQ(store.ImageCount(), count);
        EXPECT_EQ(store.Slot(t_IconStore::firstGlyphSlot), *glyphs.find(store.Slot(t_IconStore::firstGlyphSlot)));
    }
}

TEST_F(IconStore, RegisteringEqualPixelsKeepsTheFirstAndDeletesTheNew) {
    HBITMAP glyph = Store().Slot(t_IconStore::firstGlyphSlot);
    const int size = glyphSizes[metrics_.dpiClass];
    ASSERT_EQ(FormatFault(glyph, size), "");

    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    t_Bitmap copy(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_TRUE(copy);
    DIBSECTION section{};
    GetObjectW(glyph, sizeof section, &section);
    std::memcpy(bits, section.dsBm.bmBits, static_cast<std::size_t>(size) * size * 4);
    HBITMAP duplicate = copy.Get();

    const std::size_t count = Store().ImageCount();
    EXPECT_EQ(Store().Register(std::move(copy)), glyph);
    EXPECT_EQ(Store().ImageCount(), count);
    EXPECT_FALSE(IsAlive(duplicate));

    // Not the store's format (a device bitmap): refused and deleted.
    t_Bitmap device(CreateBitmap(size, size, 1, 32, nullptr));
    HBITMAP refused = device.Get();
    EXPECT_EQ(Store().Register(std::move(device)), nullptr);
    EXPECT_FALSE(IsAlive(refused));
    EXPECT_EQ(Store().ImageCount(), count);
}

#include "catalogue/icon_store.h"

#include "launch/shell_execute.h"
#include "resource_ids.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace n_ombrix {

using namespace n_zql::n_system::n_windows;
using n_com::t_ComPtr;
using t_Bitmap = t_IconStore::t_Bitmap;

namespace {

using n_graphics::n_gdi::t_MemoryDc;
using n_graphics::n_gdi::t_Selection;

// A new image of the store's format, its pixels zero (transparent).
t_Bitmap NewImage(int size, void** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(size) * static_cast<DWORD>(size) * 4;
    *bits = nullptr;
    t_Bitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0));
    if (!*bits) bitmap.Reset();
    return bitmap;
}

struct t_Pixels {
    const std::byte* data = nullptr;
    std::size_t size = 0;
};

t_Pixels PixelsOf(HBITMAP bitmap) noexcept {
    BITMAP record{};
    if (!GetObjectW(bitmap, sizeof record, &record) || !record.bmBits) return {};
    return {static_cast<const std::byte*>(record.bmBits),
            static_cast<std::size_t>(record.bmWidthBytes) * static_cast<std::size_t>(record.bmHeight)};
}

} // namespace

bool IsStoreImage(HBITMAP bitmap) noexcept {
    BITMAP record{};
    return bitmap && GetObjectW(bitmap, sizeof record, &record) == sizeof record && record.bmType == 0 &&
           record.bmWidth >= 1 && record.bmHeight >= 1 && record.bmWidthBytes == 4 * record.bmWidth &&
           record.bmPlanes == 1 && record.bmBitsPixel == 32 && record.bmBits != nullptr;
}

bool t_IconStore::t_PixelOrder::operator()(HBITMAP left, HBITMAP right) const noexcept {
    const t_Pixels a = PixelsOf(left), b = PixelsOf(right);
    if (a.size != b.size) return a.size < b.size;
    return a.size != 0 && std::memcmp(a.data, b.data, a.size) < 0;
}

t_IconStore::t_IconStore(const t_DisplayMetrics& metrics, HMODULE resourceModule)
    : largeSize_(metrics.iconHeight), smallSize_(metrics.smallIconHeight), scaleIndex_(metrics.dpiClass),
      resourceModule_(resourceModule) {
    n_com::ThrowIfFailed(
        CoCreateInstance(CLSID_WICImagingFactory2, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(imagingFactory_.Put())));
}

void t_IconStore::Clear() noexcept {
    defaultAppLarge_ = defaultFolderLarge_ = defaultAppSmall_ = defaultFolderSmall_ = nullptr;
    glyphs_.fill(nullptr);
    smallCache_.clear();
    largeCache_.clear();
    images_.clear();
}

void t_IconStore::LoadDefaults() {
    for (const bool large : {true, false}) {
        HBITMAP app = StockImage(SIID_APPLICATION, large);
        if (!app) app = SystemApplicationImage(large);
        HBITMAP folder = StockImage(SIID_FOLDER, large);
        if (!folder) folder = SystemFolderImage(large);
        (large ? defaultAppLarge_ : defaultAppSmall_) = app;
        (large ? defaultFolderLarge_ : defaultFolderSmall_) = folder;
    }
    for (int i = 0; i < glyphCount; ++i) glyphs_[i] = Glyph(IDB_GLYPH_FIRST + IDB_GLYPH_SCALES * i + scaleIndex_);
}

HBITMAP t_IconStore::StockImage(SHSTOCKICONID id, bool large) {
    SHSTOCKICONINFO info{};
    info.cbSize = sizeof info;
    const UINT flags = SHGSI_ICONLOCATION | (large ? 0 : SHGSI_SMALLICON);
    if (FAILED(SHGetStockIconInfo(id, flags, &info)) || info.szPath[0] == L'\0') return nullptr;
    // Wine answers S_OK with shell32.dll and index -1, from which ExtractIconExW makes no icon: that is no image, and
    // the caller's fallback applies.
    return TryImageFromIconLocation(info.szPath, info.iIcon, large);
}

// The fallbacks below serve Wine, whose stock icon information has no usable location. On Windows the stock
// locations always give an image, so these never run there.
HBITMAP t_IconStore::SystemApplicationImage(bool large) {
    const int size = Wanted(large);
    return ImageFromIcon(
        t_Icon(static_cast<HICON>(LoadImageW(nullptr, IDI_APPLICATION, IMAGE_ICON, size, size, LR_DEFAULTCOLOR))),
        large);
}

HBITMAP t_IconStore::SystemFolderImage(bool large) {
    wchar_t folder[MAX_PATH];
    const UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    SHFILEINFOW info{};
    if (!SHGetFileInfoW(folder, 0, &info, sizeof info, SHGFI_ICON | (large ? SHGFI_LARGEICON : SHGFI_SMALLICON)))
        return nullptr;
    return ImageFromIcon(t_Icon(info.hIcon), large);
}

// Glyphs are drawn for the store's format already (premultiplied), so they are copied as they are, not converted.
HBITMAP t_IconStore::Glyph(int resourceId) {
    // A DIB section keeps the fourth byte of each pixel; a device bitmap might not.
    const t_Bitmap loaded(static_cast<HBITMAP>(
        LoadImageW(resourceModule_, MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    BITMAP record{};
    if (!loaded || !GetObjectW(loaded.Get(), sizeof record, &record) || record.bmBitsPixel != 32 ||
        record.bmWidth != std::abs(record.bmHeight))
        return nullptr;
    void* bits = nullptr;
    t_Bitmap copy = NewImage(record.bmWidth, &bits);
    const t_MemoryDc source(CreateCompatibleDC(nullptr)), target(CreateCompatibleDC(nullptr));
    if (!copy || !source || !target) return nullptr;
    {
        const t_Selection from(source.Get(), loaded.Get()), to(target.Get(), copy.Get());
        if (!from || !to || !BitBlt(target.Get(), 0, 0, record.bmWidth, record.bmWidth, source.Get(), 0, 0, SRCCOPY))
            return nullptr;
    }
    return Register(std::move(copy));
}

HBITMAP t_IconStore::Register(t_Bitmap bitmap) {
    if (!IsStoreImage(bitmap.Get())) return nullptr;
    // Drawing into a DIB section may be batched; the pixels must be final before they become a key.
    GdiFlush();
    const auto position = images_.lower_bound(bitmap);
    if (position != images_.end() && !images_.key_comp()(bitmap, *position)) return position->Get();
    return images_.insert(position, std::move(bitmap))->Get();
}

t_Bitmap t_IconStore::Convert(IWICBitmapSource* source, int wanted) const {
    if (!source || wanted < 1) return {};
    t_ComPtr<IWICFormatConverter> straight;
    if (FAILED(imagingFactory_->CreateFormatConverter(straight.Put())) ||
        FAILED(straight->Initialize(source, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                    WICBitmapPaletteTypeCustom)))
        return {};
    t_ComPtr<IWICBitmapSource> current = straight.TryQuery<IWICBitmapSource>();
    UINT width = 0, height = 0;
    if (!current || FAILED(current->GetSize(&width, &height))) return {};
    const auto side = static_cast<UINT>(wanted);
    if (width != side || height != side) {
        // Scaled in straight alpha: the Fant filter averages colours, which premultiplied pixels would darken at edges.
        t_ComPtr<IWICBitmapScaler> scaler;
        if (FAILED(imagingFactory_->CreateBitmapScaler(scaler.Put())) ||
            FAILED(scaler->Initialize(current.Get(), side, side, WICBitmapInterpolationModeFant)))
            return {};
        current = scaler.TryQuery<IWICBitmapSource>();
    }
    t_ComPtr<IWICFormatConverter> premultiplied;
    if (!current || FAILED(imagingFactory_->CreateFormatConverter(premultiplied.Put())) ||
        FAILED(premultiplied->Initialize(current.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr,
                                         0.0, WICBitmapPaletteTypeCustom)))
        return {};
    void* bits = nullptr;
    t_Bitmap image = NewImage(wanted, &bits);
    const UINT stride = 4 * side;
    if (!image || FAILED(premultiplied->CopyPixels(nullptr, stride, stride * side, static_cast<BYTE*>(bits))))
        return {};
    return image;
}

t_Bitmap t_IconStore::ConvertFile(const std::wstring& path, int wanted) const {
    t_ComPtr<IWICBitmapDecoder> decoder;
    t_ComPtr<IWICBitmapFrameDecode> frame;
    if (FAILED(imagingFactory_->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                          WICDecodeMetadataCacheOnDemand, decoder.Put())) ||
        FAILED(decoder->GetFrame(0, frame.Put())))
        return {};
    return Convert(frame.Get(), wanted);
}

HBITMAP t_IconStore::ImageFromIcon(t_Icon icon, bool large) {
    if (!icon) return nullptr;
    t_ComPtr<IWICBitmap> source;
    const HRESULT result = imagingFactory_->CreateBitmapFromHICON(icon.Get(), source.Put());
    icon.Reset(); // the WIC bitmap holds its own copy of the pixels
    if (FAILED(result)) return nullptr;
    return Register(Convert(source.Get(), Wanted(large)));
}

HBITMAP t_IconStore::ImageFromBitmap(HBITMAP bitmap, bool large) {
    t_ComPtr<IWICBitmap> source;
    if (FAILED(imagingFactory_->CreateBitmapFromHBITMAP(bitmap, nullptr, WICBitmapUseAlpha, source.Put())))
        return nullptr;
    return Register(Convert(source.Get(), Wanted(large)));
}

HBITMAP t_IconStore::Cached(t_IconSourceKey key, bool large) const noexcept {
    if (key == noIconSourceKey) return nullptr;
    const auto& cache = large ? largeCache_ : smallCache_;
    const auto found = cache.find(key);
    return found == cache.end() ? nullptr : found->second;
}

void t_IconStore::Remember(t_IconSourceKey key, bool large, HBITMAP image) {
    if (key != noIconSourceKey && image) (large ? largeCache_ : smallCache_)[key] = image;
}

HBITMAP t_IconStore::ImageFromIconLocation(const std::wstring& path, int index, bool large) {
    if (path.empty()) return DefaultApp(large);
    if (HBITMAP image = TryImageFromIconLocation(path, index, large)) return image;
    return DefaultApp(large);
}

HBITMAP t_IconStore::TryImageFromIconLocation(const std::wstring& path, int index, bool large) {
    const t_IconSourceKey key = IconLocationKey(path, index);
    if (HBITMAP cached = Cached(key, large)) return cached;
    std::wstring expanded = path;
    ExpandEnvironment(expanded);
    // A negative index names an icon by resource number and goes to the shell as it is.
    HICON extracted = nullptr;
    const UINT count =
        ExtractIconExW(expanded.c_str(), index, large ? &extracted : nullptr, large ? nullptr : &extracted, 1);
    t_Icon icon(extracted);
    if (count != 1 || !icon) return nullptr;
    HBITMAP image = ImageFromIcon(std::move(icon), large);
    Remember(key, large, image);
    return image;
}

HBITMAP t_IconStore::ImageFromIdList(PCIDLIST_ABSOLUTE idList, bool large) {
    if (!idList) return DefaultApp(large);
    t_IconSourceKey key = noIconSourceKey;
    if (wchar_t path[MAX_PATH]; SHGetPathFromIDListW(idList, path)) key = FileSystemPathKey(path);
    return ImageFromIdList(idList, large, key);
}

HBITMAP t_IconStore::ImageFromIdList(PCIDLIST_ABSOLUTE idList, bool large, t_IconSourceKey key) {
    if (HBITMAP cached = Cached(key, large)) return cached;

    const int wanted = Wanted(large);
    HBITMAP image = nullptr;
    t_ComPtr<IShellItemImageFactory> factory;
    if (SUCCEEDED(SHCreateItemFromIDList(idList, IID_PPV_ARGS(factory.Put())))) {
        t_Bitmap shellImage;
        if (SUCCEEDED(
                factory->GetImage(SIZE{wanted, wanted}, SIIGBF_BIGGERSIZEOK | SIIGBF_ICONONLY, shellImage.Put()))) {
            // Wine answers S_OK with a 1 x 1 bitmap; an image far smaller than asked for is no image. Windows always
            // gives at least the size asked for, so this never rejects one there.
            BITMAP record{};
            if (GetObjectW(shellImage.Get(), sizeof record, &record) && 2 * record.bmWidth >= wanted &&
                2 * std::abs(record.bmHeight) >= wanted)
                image = ImageFromBitmap(shellImage.Get(), large);
        }
    }
    if (!image) {
        SHFILEINFOW info{};
        if (SHGetFileInfoW(reinterpret_cast<PCWSTR>(idList), 0, &info, sizeof info,
                           SHGFI_PIDL | SHGFI_ICON | (large ? SHGFI_LARGEICON : SHGFI_SMALLICON)))
            image = ImageFromIcon(t_Icon(info.hIcon), large);
    }
    if (!image) return DefaultApp(large);
    Remember(key, large, image);
    return image;
}

HBITMAP t_IconStore::ImageForLink(IShellLinkW* link, bool large) {
    if (!link) return DefaultApp(large);
    constexpr int capacity = 1040;
    wchar_t location[capacity] = {};
    int index = 0;
    if (SUCCEEDED(link->GetIconLocation(location, capacity, &index)) && location[0] != L'\0') {
        // An icon location that gives only the stock application image says nothing about the program; the
        // target's own image is better.
        HBITMAP image = ImageFromIconLocation(location, index, large);
        if (image != DefaultApp(large)) return image;
    }
    // The link already knows its target's path, which keys the cache; asking the shell for the ID list's path
    // instead is slow (most of a scan's time under Wine).
    t_IconSourceKey key = noIconSourceKey;
    if (wchar_t target[MAX_PATH] = {}; link->GetPath(target, MAX_PATH, nullptr, 0) == S_OK && target[0] != L'\0')
        key = FileSystemPathKey(target);
    if (HBITMAP cached = Cached(key, large)) return cached;
    n_com::t_IdList idList;
    if (FAILED(link->GetIDList(idList.Put())) || !idList) return DefaultApp(large);
    if (key == noIconSourceKey) return ImageFromIdList(idList.Get(), large);
    return ImageFromIdList(idList.Get(), large, key);
}

HBITMAP t_IconStore::ImageForFile(const std::wstring& path, bool large) {
    n_com::t_IdList idList;
    if (FAILED(SHParseDisplayName(path.c_str(), nullptr, idList.Put(), SFGAO_FILESYSTEM, nullptr)) || !idList)
        return DefaultApp(large);
    return ImageFromIdList(idList.Get(), large);
}

HBITMAP t_IconStore::ImageForFolder(bool large) const noexcept {
    return large ? defaultFolderLarge_ : defaultFolderSmall_;
}

HBITMAP t_IconStore::ImageForLogo(const std::wstring& path, std::uint32_t background, int size, int drawnSize,
                                  bool large) {
    const t_Bitmap logo = ConvertFile(path, drawnSize);
    void* bits = nullptr;
    t_Bitmap composed = logo && size >= 1 ? NewImage(size, &bits) : t_Bitmap();
    if (!composed) return DefaultApp(large);
    // 0xAARRGGBB read as a little-endian word is exactly the B, G, R, A bytes of a pixel.
    auto* pixels = static_cast<std::uint32_t*>(bits);
    std::fill(pixels, pixels + static_cast<std::size_t>(size) * static_cast<std::size_t>(size), background);

    const t_MemoryDc source(CreateCompatibleDC(nullptr)), target(CreateCompatibleDC(nullptr));
    if (!source || !target) return DefaultApp(large);
    {
        const t_Selection from(source.Get(), logo.Get()), to(target.Get(), composed.Get());
        const int margin = (size - drawnSize) - (size - drawnSize) / 2;
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        if (!from || !to ||
            !GdiAlphaBlend(target.Get(), margin, margin, drawnSize, drawnSize, source.Get(), 0, 0, drawnSize, drawnSize,
                           blend))
            return DefaultApp(large);
    }
    HBITMAP image = Register(std::move(composed));
    return image ? image : DefaultApp(large);
}

HBITMAP t_IconStore::Slot(int index) const noexcept {
    switch (index) {
    case defaultAppLargeSlot:
        return defaultAppLarge_;
    case defaultFolderLargeSlot:
        return defaultFolderLarge_;
    case defaultAppSmallSlot:
        return defaultAppSmall_;
    case defaultFolderSmallSlot:
        return defaultFolderSmall_;
    default:
        return index >= firstGlyphSlot && index < slotCount ? glyphs_[index - firstGlyphSlot] : nullptr;
    }
}

std::size_t t_IconStore::ImageBytes() const noexcept {
    std::size_t bytes = 0;
    for (const t_Bitmap& image : images_) bytes += PixelsOf(image.Get()).size;
    return bytes;
}

} // namespace n_ombrix

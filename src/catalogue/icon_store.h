#pragma once
// The images of the catalogue. The popup draws hundreds of them, so every image is made once from the shell,
// converted to one format and kept once: images with equal pixels share one handle.
//
// The format: a square 32-bpp top-down DIB section (BI_RGB) with premultiplied alpha in BGRA byte order, ready for
// GdiAlphaBlend. Every handle the store gives out is null or one of its images, alive until Clear or destruction;
// callers never delete them.

#include "catalogue/icon_source_key.h"
#include "catalogue/side_pane_kinds.h"
#include "system/com_ptr.h"
#include "system/display_metrics.h"
#include "system/unique_handle.h"

#include <shellapi.h>
#include <shobjidl.h>
#include <wincodec.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <unordered_map>

namespace n_ombrix {

// True if the bitmap is a DIB section the store could hold: type 0, at least 1 x 1, 32 bpp in one plane, 4 bytes per
// pixel per row and pixel memory of its own.
bool IsStoreImage(HBITMAP bitmap) noexcept;

// Lives on the user-interface thread (the imaging factory belongs to that thread's apartment).
class t_IconStore {
public:
    using t_Bitmap = n_zql::n_system::n_windows::n_graphics::n_gdi::t_Bitmap;
    using t_Icon = n_zql::n_system::n_windows::t_Icon;

    // Slots of the fixed images, for Slot().
    static constexpr int defaultAppLargeSlot = 0;
    static constexpr int defaultFolderLargeSlot = 1;
    static constexpr int defaultAppSmallSlot = 2;
    static constexpr int defaultFolderSmallSlot = 3;
    static constexpr int firstGlyphSlot = firstCommandGlyphSlot;
    static constexpr int glyphCount = 7;
    static constexpr int slotCount = firstGlyphSlot + glyphCount;

    // Icon sizes and the glyphs' scale come from the metrics read at start. The resource module (not owned) holds the
    // glyph bitmaps: the program's own module, or the built program loaded as a data file in tests.
    t_IconStore(const t_DisplayMetrics& metrics, HMODULE resourceModule);
    t_IconStore(const t_IconStore&) = delete;
    t_IconStore& operator=(const t_IconStore&) = delete;

    // Deletes every image; the defaults and glyphs become null. Handles given out before are dead from here on.
    void Clear() noexcept;
    // Makes the default application and folder images at both sizes and the glyphs at the store's scale.
    void LoadDefaults();

    // Takes the bitmap and gives the stored image with its pixels: the bitmap itself, or the one already there (the
    // new one is then deleted). Null if the bitmap is not in the store's format.
    HBITMAP Register(t_Bitmap bitmap);
    // Converts the icon (and destroys it) to an image of the large or small size. Null on failure.
    HBITMAP ImageFromIcon(t_Icon icon, bool large);

    // These give the default application image when there is no better one.
    HBITMAP ImageFromIconLocation(const std::wstring& path, int index, bool large);
    HBITMAP ImageFromIdList(PCIDLIST_ABSOLUTE idList, bool large);
    HBITMAP ImageForLink(IShellLinkW* link, bool large);
    HBITMAP ImageForFile(const std::wstring& path, bool large);
    HBITMAP ImageForFolder(bool large) const noexcept;
    // A packaged app's logo: the image file drawn at drawnSize, centred on a size x size square of the background
    // colour (0xAARRGGBB; the caller makes it opaque).
    HBITMAP ImageForLogo(const std::wstring& path, std::uint32_t background, int size, int drawnSize, bool large);

    // The fixed images by slot; all null while no defaults are loaded.
    HBITMAP Slot(int index) const noexcept;

    // The colour packaged apps' logos are drawn on, 0xAARRGGBB.
    std::uint32_t LogoBackground() const noexcept { return logoBackground_; }
    void SetLogoBackground(std::uint32_t argb) noexcept { logoBackground_ = argb; }

    int LargeSize() const noexcept { return largeSize_; }
    int SmallSize() const noexcept { return smallSize_; }
    std::size_t ImageCount() const noexcept { return images_.size(); }
    // The pixel memory the images hold.
    std::size_t ImageBytes() const noexcept;

private:
    // Orders images by the size of their pixel data, then bytewise by the pixels, so that equal pixels are one key.
    struct t_PixelOrder {
        using is_transparent = void;
        bool operator()(HBITMAP left, HBITMAP right) const noexcept;
        bool operator()(const t_Bitmap& left, const t_Bitmap& right) const noexcept {
            return (*this)(left.Get(), right.Get());
        }
        bool operator()(HBITMAP left, const t_Bitmap& right) const noexcept { return (*this)(left, right.Get()); }
        bool operator()(const t_Bitmap& left, HBITMAP right) const noexcept { return (*this)(left.Get(), right); }
    };

    int Wanted(bool large) const noexcept { return large ? largeSize_ : smallSize_; }
    HBITMAP DefaultApp(bool large) const noexcept { return large ? defaultAppLarge_ : defaultAppSmall_; }

    // The conversion every source but the glyphs goes through; an empty bitmap on any failure.
    t_Bitmap Convert(IWICBitmapSource* source, int wanted) const;
    t_Bitmap ConvertFile(const std::wstring& path, int wanted) const;
    HBITMAP ImageFromBitmap(HBITMAP bitmap, bool large);

    // Null where the public operations give the default application image.
    HBITMAP TryImageFromIconLocation(const std::wstring& path, int index, bool large);
    HBITMAP StockImage(SHSTOCKICONID id, bool large);
    HBITMAP SystemApplicationImage(bool large);
    HBITMAP SystemFolderImage(bool large);
    HBITMAP Glyph(int resourceId);

    // ImageFromIdList with its cache key already known.
    HBITMAP ImageFromIdList(PCIDLIST_ABSOLUTE idList, bool large, t_IconSourceKey key);
    HBITMAP Cached(t_IconSourceKey key, bool large) const noexcept;
    void Remember(t_IconSourceKey key, bool large, HBITMAP image);

    int largeSize_;
    int smallSize_;
    int scaleIndex_;
    HMODULE resourceModule_; // not owned
    n_zql::n_system::n_windows::n_com::t_ComPtr<IWICImagingFactory> imagingFactory_;
    std::uint32_t logoBackground_ = 0xFF0000FF;

    std::set<t_Bitmap, t_PixelOrder> images_;
    // Members of images_, or null.
    HBITMAP defaultAppLarge_ = nullptr;
    HBITMAP defaultFolderLarge_ = nullptr;
    HBITMAP defaultAppSmall_ = nullptr;
    HBITMAP defaultFolderSmall_ = nullptr;
    std::array<HBITMAP, glyphCount> glyphs_{};
    // Images by source key, small and large, so that the many links to one program convert its icon once per size
    // (the conversion is most of a scan's time). Members of images_.
    std::unordered_map<t_IconSourceKey, HBITMAP> smallCache_;
    std::unordered_map<t_IconSourceKey, HBITMAP> largeCache_;
};

} // namespace n_ombrix

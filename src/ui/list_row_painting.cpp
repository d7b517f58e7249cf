#include "ui/list_row_painting.h"

#include "catalogue/icon_store.h"
#include "system/unique_handle.h"
#include "ui/drawing.h"
#include "ui/widget_resources.h"

#include <shellapi.h>

#include <algorithm>

namespace n_ombrix {

HBITMAP LoadElevationImage(t_IconStore& store, bool large) {
    const int size = large ? store.LargeSize() : store.SmallSize();
    auto icon = static_cast<HICON>(LoadImageW(nullptr, L"#106", IMAGE_ICON, size, size, 0));
    if (!icon) {
        // Not every system answers the name: the shell's stock shield is the same image.
        SHSTOCKICONINFO stock{};
        stock.cbSize = sizeof stock;
        if (SUCCEEDED(
                SHGetStockIconInfo(SIID_SHIELD, SHGSI_ICON | (large ? SHGSI_LARGEICON : SHGSI_SMALLICON), &stock)))
            icon = stock.hIcon;
    }
    if (!icon) return nullptr;
    return store.ImageFromIcon(t_IconStore::t_Icon(icon), large);
}

void PaintElevationImage(HDC dc, HDC imageDc, HBITMAP image, const t_RowMetrics& metrics, const t_Rect& row,
                         std::int32_t slide, bool elevated) noexcept {
    if (!image || (!elevated && slide <= metrics.iconLeftInset)) return;
    const std::int32_t by = elevated ? metrics.slideRange : slide;
    const auto opacity = static_cast<BYTE>(elevated ? 255 : std::clamp(slide * 255 / metrics.slideRange, 0, 255));
    BlendBitmap(dc, image, row.right - by + metrics.iconLeftInset, row.top + metrics.iconTopInset, opacity, imageDc);
}

void PaintList(HDC dc, const RECT& update, const t_WidgetResources& resources, const t_RowList& rows,
               t_EmptyListText empty, const std::function<void(HDC imageDc, const t_VisibleRow& row)>& paintRow) {
    FillRect(dc, &update, resources.Brush(t_BrushIndex::area));
    if (rows.Rows().empty()) {
        const unsigned id = empty == t_EmptyListText::noMatches        ? 204
                            : empty == t_EmptyListText::emptyCatalogue ? 205
                                                                       : 206;
        DrawTextIn(dc, resources.Font16(), resources.Color(t_ColorIndex::secondaryText), resources.String(id),
                   {0, 0, rows.Width(), rows.Height()}, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
        return;
    }
    const n_zql::n_system::n_windows::n_graphics::n_gdi::t_MemoryDc imageDc(CreateCompatibleDC(dc));
    for (const t_VisibleRow& visible : rows.VisibleRows())
        if (visible.top < update.bottom && visible.top + rows.RowHeight() > update.top)
            paintRow(imageDc.Get(), visible);
}

} // namespace n_ombrix

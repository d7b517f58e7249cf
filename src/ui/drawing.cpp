#include "ui/drawing.h"

#include "system/unique_handle.h"
#include "ui/widget_resources.h"

namespace n_ombrix {

using namespace n_zql::n_system::n_windows::n_graphics::n_gdi;

void FillHorizontalLine(HDC dc, HBRUSH brush, int fromX, int toX, int y) noexcept {
    const RECT line{fromX, y, toX, y + 1};
    FillRect(dc, &line, brush);
}

void FillVerticalLine(HDC dc, HBRUSH brush, int x, int fromY, int toY) noexcept {
    const RECT line{x, fromY, x + 1, toY};
    FillRect(dc, &line, brush);
}

void FillHighlight(HDC dc, const RECT& rect, const t_WidgetResources& resources, t_HighlightState state) noexcept {
    FillRect(dc, &rect, resources.Brush(HighlightBrush(state, true)));
    FrameRect(dc, &rect, resources.Brush(HighlightBrush(state, false)));
}

void FillSplitHighlight(HDC dc, const RECT& outer, const RECT& inner, const t_WidgetResources& resources,
                        t_HighlightState state) noexcept {
    FillRect(dc, &outer, resources.Brush(t_BrushIndex::area));
    FillHighlight(dc, inner, resources, state);
    FrameRect(dc, &outer, resources.Brush(HighlightBrush(state, false)));
}

void DrawTextIn(HDC dc, HFONT font, t_Color color, std::wstring_view text, RECT rect, UINT format) noexcept {
    const t_SavedDcState state(dc);
    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, color);
    DrawTextW(dc, text.data(), static_cast<int>(text.size()), &rect, format);
}

void BlendBitmap(HDC dc, HBITMAP bitmap, int x, int y, BYTE opacity, HDC sourceDc) noexcept {
    BITMAP record{};
    if (!GetObjectW(bitmap, sizeof record, &record)) return;
    BlendBitmapTo(dc, bitmap, {x, y, x + record.bmWidth, y + record.bmHeight}, opacity, sourceDc);
}

void BlendBitmapTo(HDC dc, HBITMAP bitmap, const RECT& target, BYTE opacity, HDC sourceDc) noexcept {
    BITMAP record{};
    if (!GetObjectW(bitmap, sizeof record, &record)) return;
    t_MemoryDc ownDc;
    if (!sourceDc) {
        ownDc = t_MemoryDc(CreateCompatibleDC(dc));
        sourceDc = ownDc.Get();
    }
    const t_Selection selected(sourceDc, bitmap);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, opacity, AC_SRC_ALPHA};
    GdiAlphaBlend(dc, target.left, target.top, target.right - target.left, target.bottom - target.top, sourceDc, 0, 0,
                  record.bmWidth, record.bmHeight, blend);
}

UINT PopupMenu(HMENU menus, int submenu, int x, int y, HWND owner) noexcept {
    const HMENU menu = GetSubMenu(menus, submenu);
    if (!menu) return 0;
    return static_cast<UINT>(TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_NONOTIFY, x, y, owner, nullptr));
}

} // namespace n_ombrix

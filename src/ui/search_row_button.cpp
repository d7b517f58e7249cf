#include "ui/search_row_button.h"

#include "ui/drawing.h"
#include "ui/paint_buffer.h"
#include "ui/window_class.h"

namespace n_ombrix {

t_SearchRowButton::t_SearchRowButton(const t_WidgetResources& resources, const t_WindowClass& paneClass, HWND parent,
                                     int controlId, unsigned borders, t_ButtonOwner& owner)
    : resources_(resources), owner_(owner), controlId_(controlId), borders_(borders) {
    CreateWindowFor({.extendedStyle = WS_EX_NOPARENTNOTIFY,
                     .style = WS_CHILD | WS_VISIBLE,
                     .className = paneClass.Name(),
                     .controlId = controlId},
                    parent);
}

void t_SearchRowButton::ShowBitmap(t_PopupBitmap set) {
    bitmap_ = set;
    RepaintIf(true);
}

void t_SearchRowButton::ShowCaption(unsigned stringId) {
    bitmap_.reset();
    caption_ = stringId;
    RepaintIf(true);
}

LRESULT t_SearchRowButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_NCCALCSIZE:
        return CalculateBorderedClient(wParam, lParam, borders_);
    case WM_NCPAINT:
        PaintBorders(resources_.Brush(t_BrushIndex::frame), borders_);
        return 0;
    case WM_MOUSEMOVE:
        RepaintIf(hot_.Move(Handle(), false));
        return 0;
    case WM_MOUSELEAVE:
        pressed_ = false;
        RepaintIf(hot_.Leave(false));
        return 0;
    case WM_LBUTTONDOWN:
        pressed_ = true;
        return 0;
    case WM_LBUTTONUP:
        if (std::exchange(pressed_, false) && hot_.Hot()) owner_.ButtonClicked(controlId_);
        return 0;
    default:
        return DefaultProcedure(message, wParam, lParam);
    }
}

void t_SearchRowButton::OnPaint() const {
    const t_PaintBuffer paint(Handle());
    if (!paint.Dc()) return;
    const RECT& client = ClientRectangle();
    if (hot_.Highlighted())
        FillHighlight(paint.Dc(), client, resources_, t_HighlightState::selection);
    else
        FillRect(paint.Dc(), &client, resources_.Brush(t_BrushIndex::area));
    if (bitmap_) {
        const std::int32_t side = resources_.Metrics().buttonImage;
        BlendBitmap(paint.Dc(), resources_.Bitmap(*bitmap_), (client.right - side) / 2, (client.bottom - side) / 2,
                    255);
        return;
    }
    RECT text = client;
    text.left += resources_.Metrics().textRightInset;
    const t_Color color = resources_.Color(TextColor(t_BlockPart::text, hot_.Highlighted(), true, false));
    DrawTextIn(paint.Dc(), resources_.Font20(), color, resources_.String(caption_), text,
               DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

} // namespace n_ombrix

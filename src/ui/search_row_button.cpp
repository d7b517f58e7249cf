#include "ui/search_row_button.h"

#include "ui/drawing.h"
#include "ui/paint_buffer.h"
#include "ui/window_class.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

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
        OnMouseMove(GET_X_LPARAM(lParam));
        return 0;
    case WM_MOUSELEAVE:
        if (!sliding_) pressed_ = false;
        RepaintIf(hot_.Leave(menuOpen_));
        return 0;
    case WM_LBUTTONDOWN:
        pressed_ = true;
        pressedAt_ = GET_X_LPARAM(lParam);
        return 0;
    case WM_LBUTTONUP:
        OnButtonUp(false);
        return 0;
    case WM_CONTEXTMENU:
        owner_.ButtonMenuRequested(controlId_);
        return 0;
    case WM_GESTURENOTIFY:
        // The launch button slides sideways only, and stops where the finger does.
        if (slideRange_ == 0) return DefaultProcedure(message, wParam, lParam);
        return ConfigurePans(GC_PAN_WITH_SINGLE_FINGER_HORIZONTALLY | GC_PAN_WITH_GUTTER,
                             GC_PAN_WITH_SINGLE_FINGER_VERTICALLY | GC_PAN_WITH_INERTIA, wParam, lParam);
    case WM_GESTURE:
        if (const std::optional<t_Pan> pan = slideRange_ ? ReadPan(lParam) : std::nullopt) {
            OnPan(*pan);
            return 0;
        }
        return DefaultProcedure(message, wParam, lParam);
    case WM_CAPTURECHANGED:
        // A slide that loses the capture otherwise than by its release runs nothing.
        sliding_ = pressed_ = false;
        slide_ = 0;
        RepaintIf(true);
        return 0;
    default:
        return DefaultProcedure(message, wParam, lParam);
    }
}

void t_SearchRowButton::EnableSlide(std::int32_t range, std::int32_t tolerance, HBITMAP elevationImage) noexcept {
    slideRange_ = range;
    slideTolerance_ = tolerance;
    elevationImage_ = elevationImage;
}

void t_SearchRowButton::SetElevated(bool on) {
    elevated_ = on;
    RepaintIf(true);
}

void t_SearchRowButton::OnMouseMove(std::int32_t x) {
    RepaintIf(hot_.Move(Handle(), false));
    if (!pressed_ || slideRange_ == 0) return;
    // Left by a drag's width from the press: the slide starts, and follows the pointer within its range.
    if (!sliding_ && pressedAt_ - x >= slideTolerance_) {
        sliding_ = true;
        SetCapture(Handle());
    }
    if (!sliding_) return;
    const std::int32_t slide = std::clamp(pressedAt_ - x, 0, slideRange_);
    RepaintIf(std::exchange(slide_, slide) != slide);
}

void t_SearchRowButton::OnButtonUp(bool byTouch) {
    if (sliding_) {
        const bool elevated = SlidFarEnough();
        ReleaseCapture(); // resets the slide
        if (elevated) owner_.ButtonSlid(controlId_);
        return;
    }
    // A finger that panned did not tap.
    if (std::exchange(pressed_, false) && hot_.Hot() && !byTouch) owner_.ButtonClicked(controlId_);
}

// A pan slides the button as the pointer pressed where the finger went down.
void t_SearchRowButton::OnPan(const t_Pan& pan) {
    if (pan.begins) {
        pressed_ = true;
        pressedAt_ = pan.point.x;
    }
    OnMouseMove(pan.point.x);
    if (pan.ends) OnButtonUp(true);
}

UINT t_SearchRowButton::TrackMenu(HMENU menu) {
    RECT button{};
    GetWindowRect(Handle(), &button);
    menuOpen_ = true;
    RepaintIf(hot_.SetHighlighted(true));
    const UINT command = TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_TOPALIGN,
                                          button.left, button.bottom, Handle(), nullptr);
    menuOpen_ = false;
    // The highlight stays only while the pointer is still over the button.
    POINT pointer{};
    GetCursorPos(&pointer);
    RepaintIf(hot_.SetHighlighted(PtInRect(&button, pointer) != FALSE));
    return command;
}

void t_SearchRowButton::OnPaint() const {
    const t_PaintBuffer paint(Handle());
    if (!paint.Dc()) return;
    const RECT& client = ClientRectangle();
    const bool elevated = elevated_ || (sliding_ && SlidFarEnough());
    if (hot_.Highlighted() || elevated)
        FillHighlight(paint.Dc(), client, resources_, HighlightState(true, elevated));
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
    const t_Color color =
        resources_.Color(TextColor(t_BlockPart::text, hot_.Highlighted() || elevated, true, elevated));
    DrawTextIn(paint.Dc(), resources_.Font20(), color, resources_.String(caption_), text,
               DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    // The shield slides in from the right as the button is slid, fading in; whole while elevated.
    const std::int32_t shown = elevated_ ? slideRange_ : slide_;
    if (elevationImage_ && shown > 0) {
        const std::int32_t size = resources_.Display().iconHeight;
        BlendBitmap(paint.Dc(), elevationImage_, client.right - shown, (client.bottom - size) / 2,
                    static_cast<BYTE>(elevated_ ? 255 : shown * 255 / slideRange_));
    }
}

} // namespace n_ombrix

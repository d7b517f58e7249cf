#include "ui/index_pane.h"

#include "ui/index_model.h"
#include "ui/item_list_pane.h"
#include "ui/paint_buffer.h"
#include "ui/wheel_notches.h"
#include "ui/widget_resources.h"
#include "ui/window_class.h"

#include <windowsx.h>

#include <cstdlib>
#include <utility>

namespace n_ombrix {

t_IndexPane::t_IndexPane(const t_WidgetResources& resources, const t_WindowClass& paneClass, HWND parent, int controlId,
                         t_ItemListPane& list)
    : resources_(resources), list_(list) {
    CreateWindowFor({.extendedStyle = WS_EX_NOPARENTNOTIFY,
                     .style = WS_CHILD | WS_VISIBLE,
                     .className = paneClass.Name(),
                     .controlId = controlId},
                    parent);
}

void t_IndexPane::SetModel(t_IndexModel& model) {
    model_ = &model;
    const RECT& client = ClientRectangle();
    model_->Resize(client.right - client.left, client.bottom - client.top);
    Repaint();
}

LRESULT t_IndexPane::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const bool withoutModel = !model_ && message != WM_PAINT && message != WM_ERASEBKGND && message != WM_SIZE;
    if (withoutModel) return DefaultProcedure(message, wParam, lParam);
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_SIZE:
        ReadClientRectangle();
        if (model_) model_->Resize(ClientRectangle().right, ClientRectangle().bottom);
        return 0;
    case WM_LBUTTONDOWN:
        pressedAt_ = GET_Y_LPARAM(lParam);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONUP:
        OnButtonUp(GET_Y_LPARAM(lParam), false);
        return 0;
    case WM_GESTURENOTIFY:
        return ConfigurePans(GC_PAN_WITH_SINGLE_FINGER_VERTICALLY | GC_PAN_WITH_GUTTER | GC_PAN_WITH_INERTIA,
                             GC_PAN_WITH_SINGLE_FINGER_HORIZONTALLY, wParam, lParam);
    case WM_GESTURE:
        if (const std::optional<t_Pan> pan = ReadPan(lParam)) {
            OnPan(*pan);
            return 0;
        }
        return DefaultProcedure(message, wParam, lParam);
    case WM_CAPTURECHANGED:
        draggedTo_.reset();
        pressedAt_.reset();
        return 0;
    case WM_MOUSEWHEEL:
        // Turned over another pane: the popup sends it there.
        if (!PointerOver(lParam)) return SendMessageW(GetParent(Handle()), message, wParam, lParam);
        OnWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    default:
        return DefaultProcedure(message, wParam, lParam);
    }
}

const wchar_t* t_IndexPane::TooltipText() {
    POINT pointer{};
    GetCursorPos(&pointer);
    ScreenToClient(Handle(), &pointer);
    tooltip_ = model_ ? model_->TooltipAt(pointer.y) : std::wstring();
    return tooltip_.c_str();
}

void t_IndexPane::OnPaint() {
    const t_PaintBuffer paint(Handle());
    if (!paint.Dc()) return;
    if (model_)
        model_->Paint(paint.Dc(), ClientRectangle());
    else
        FillRect(paint.Dc(), &ClientRectangle(), resources_.Brush(t_BrushIndex::indexInactiveArea));
}

void t_IndexPane::OnMouseMove(std::int32_t y) {
    if (draggedTo_) {
        RepaintIf(model_->DragBy(*draggedTo_ - y));
        draggedTo_ = y;
        return;
    }
    // A press becomes a drag once it has moved as far as the system asks of a drag.
    if (pressedAt_ && std::abs(y - *pressedAt_) >= resources_.Metrics().dragHeight) {
        SetCapture(Handle());
        draggedTo_ = y;
        RepaintIf(model_->DragBy(*pressedAt_ - y));
    }
}

void t_IndexPane::OnButtonUp(std::int32_t y, bool byTouch) {
    if (draggedTo_) {
        ReleaseCapture(); // the capture's loss ends the drag
        return;
    }
    // A finger that panned did not tap.
    if (std::exchange(pressedAt_, std::nullopt) && !byTouch) ListChanged(model_->ClickAt(y));
}

// A pan drags the index as the pointer pressed where the finger went down.
void t_IndexPane::OnPan(const t_Pan& pan) {
    if (pan.begins) pressedAt_ = pan.point.y;
    OnMouseMove(pan.point.y);
    if (pan.ends) OnButtonUp(pan.point.y, true);
}

void t_IndexPane::OnWheel(short delta) {
    const int notches = WheelSteps(delta);
    if (notches != 0) ListChanged(model_->Wheel(notches));
}

void t_IndexPane::ListChanged(bool changed) {
    if (!changed) return;
    list_.Refresh();
    Repaint();
}

} // namespace n_ombrix

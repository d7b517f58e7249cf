#include "ui/item_list_pane.h"

#include "system/upper_case.h"
#include "ui/list_model.h"
#include "ui/paint_buffer.h"
#include "ui/wheel_notches.h"
#include "ui/widget_resources.h"
#include "ui/window_class.h"

#include <windowsx.h>

#include <utility>

namespace n_ombrix {

t_ItemListPane::t_ItemListPane(const t_WidgetResources& resources, const t_WindowClass& paneClass, HWND parent,
                               int controlId)
    : resources_(resources), press_(resources.Metrics().dragWidth, resources.Metrics().dragHeight) {
    CreateWindowFor({.extendedStyle = WS_EX_NOPARENTNOTIFY,
                     .style = WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                     .className = paneClass.Name(),
                     .controlId = controlId},
                    parent);
}

t_ItemListPane::~t_ItemListPane() { DestroyWindowFor(); }

void t_ItemListPane::SetModel(t_ListModel& model) {
    model_ = &model;
    const RECT& client = ClientRectangle();
    model_->Resize(client.right - client.left, client.bottom - client.top);
    InvalidateRect(Handle(), nullptr, FALSE);
    Refresh();
}

void t_ItemListPane::Refresh() {
    if (!model_ || !Handle()) return;
    const t_ListRepaint repaint = model_->Settle();
    if (repaint.everything) {
        InvalidateRect(Handle(), nullptr, FALSE);
    } else {
        for (const t_Rect& row : repaint.rows) {
            const RECT rect{row.left, row.top, row.right, row.bottom};
            InvalidateRect(Handle(), &rect, FALSE);
        }
    }
    const std::optional<std::size_t> current = model_->CurrentIndex();
    if (current == announcedRow_ || !accessible_.Get()) return;
    announcedRow_ = current;
    if (const std::optional<LONG> child = current ? accessible_.Get()->ChildIdOf(*current) : std::nullopt) {
        if (GetFocus() == Handle()) NotifyWinEvent(EVENT_OBJECT_FOCUS, Handle(), OBJID_CLIENT, *child);
        NotifyWinEvent(EVENT_OBJECT_SELECTION, Handle(), OBJID_CLIENT, *child);
    }
}

LRESULT t_ItemListPane::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const bool withoutModel = !model_ && message != WM_PAINT && message != WM_ERASEBKGND && message != WM_SIZE;
    if (withoutModel) return DefaultProcedure(message, wParam, lParam);
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_SIZE:
        OnSize();
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
        model_->FocusGained();
        break;
    case WM_MOUSEMOVE:
        OnMouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        break;
    case WM_MOUSEHOVER:
        model_->HoverAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        break;
    case WM_MOUSELEAVE:
        OnMouseLeave();
        break;
    case WM_LBUTTONDOWN:
        OnButtonDown({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        break;
    case WM_LBUTTONUP:
        OnButtonUp({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, false);
        break;
    case WM_GESTURENOTIFY:
        return ConfigurePans(GC_PAN_WITH_SINGLE_FINGER_VERTICALLY | GC_PAN_WITH_SINGLE_FINGER_HORIZONTALLY |
                                 GC_PAN_WITH_GUTTER | GC_PAN_WITH_INERTIA,
                             0, wParam, lParam);
    case WM_GESTURE:
        if (const std::optional<t_Pan> pan = ReadPan(lParam)) {
            OnPan(*pan);
            break;
        }
        return DefaultProcedure(message, wParam, lParam);
    case WM_CAPTURECHANGED:
        EndDrag();
        break;
    case WM_RBUTTONDOWN:
        SetFocus(Handle());
        model_->BeginSlide(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); // the row under the pointer is current
        break;
    case WM_CONTEXTMENU:
        OnContextMenu({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        break;
    case WM_MOUSEWHEEL:
        // Turned over another pane: the popup sends it there.
        if (!PointerOver(lParam)) return SendMessageW(GetParent(Handle()), message, wParam, lParam);
        OnWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        break;
    case WM_KEYDOWN:
        // While the row slides or the list is dragged, keys do nothing.
        if (press_.Kind() != t_PressKind::press) return 0;
        if (OnKey(wParam)) break;
        [[fallthrough]];
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        if (popupKeys_ && popupKeys_->PopupKey(message, wParam)) return 0;
        return DefaultProcedure(message, wParam, lParam);
    case WM_CHAR:
        // Type-ahead takes printable characters; Enter, Backspace and the like were keys.
        if (wParam >= L' ') model_->JumpTo(n_zql::n_system::UpperCased(static_cast<wchar_t>(wParam)));
        break;
    case WM_GETOBJECT:
        return OnGetObject(wParam, lParam);
    default:
        return DefaultProcedure(message, wParam, lParam);
    }
    Refresh();
    return 0;
}

void t_ItemListPane::OnPaint() {
    const t_PaintBuffer paint(Handle());
    if (!paint.Dc()) return;
    if (model_)
        model_->Paint(paint.Dc(), paint.UpdateRectangle());
    else
        FillRect(paint.Dc(), &paint.UpdateRectangle(), resources_.Brush(t_BrushIndex::area));
}

void t_ItemListPane::OnSize() {
    ReadClientRectangle();
    if (!model_) return;
    const RECT& client = ClientRectangle();
    model_->Resize(client.right - client.left, client.bottom - client.top);
    Refresh();
}

void t_ItemListPane::OnMouseMove(POINT point) {
    const t_PointerPress::t_Step step = press_.MoveTo(point.x, point.y);
    if (step.started) SetCapture(Handle());
    if (step.kind == t_PressKind::slide) model_->SlideBy(step.left);
    if (step.kind == t_PressKind::drag) model_->ScrollBy(step.up);
    if (press_.Pressed() || std::exchange(ignoreMove_, false)) return;
    model_->PointerAt(point.x, point.y);
    // Resting over a row makes it current, after the system's hover time.
    TrackHoverAndLeave(HOVER_DEFAULT);
}

void t_ItemListPane::OnButtonDown(POINT point) {
    SetFocus(Handle());
    CancelHover();
    model_->BeginSlide(point.x, point.y);
    press_.Press(point.x, point.y);
}

void t_ItemListPane::OnButtonUp(POINT point, bool byTouch) {
    if (press_.Kind() != t_PressKind::press) {
        OnMouseMove(point);
        ReleaseCapture(); // the capture's loss ends the drag
        return;
    }
    if (press_.Release(byTouch)) model_->ClickAt(point.x, point.y);
}

// A pan slides or drags as the pointer pressed where the finger went down.
void t_ItemListPane::OnPan(const t_Pan& pan) {
    if (pan.begins) OnButtonDown(pan.point);
    OnMouseMove(pan.point);
    if (pan.ends) OnButtonUp(pan.point, true);
}

void t_ItemListPane::EndDrag() {
    const t_PressKind kind = press_.Kind();
    press_.Release(true);
    if (kind == t_PressKind::slide) model_->EndSlide();
}

void t_ItemListPane::OnContextMenu(POINT screenPoint) {
    if (screenPoint.x == -1 && screenPoint.y == -1) {
        // From the keyboard: half a row in from the current row's left edge, at its middle.
        const std::optional<std::size_t> current = model_->CurrentIndex();
        const std::optional<t_Rect> row = current ? model_->RowRectangle(*current) : std::nullopt;
        if (!row) return;
        const std::int32_t half = row->Height() / 2;
        screenPoint = {row->left + half, row->top + half};
        ClientToScreen(Handle(), &screenPoint);
    } else {
        POINT client = screenPoint;
        ScreenToClient(Handle(), &client);
        model_->BeginSlide(client.x, client.y);
    }
    if (model_->CurrentIndex()) model_->ContextMenuAt(Handle(), screenPoint);
}

void t_ItemListPane::OnMouseLeave() { model_->PointerLeft(); }

void t_ItemListPane::OnWheel(short delta) {
    const int notches = WheelSteps(delta);
    if (notches != 0) model_->Wheel(notches);
}

bool t_ItemListPane::OnKey(WPARAM key) {
    switch (key) {
    case VK_UP:
        model_->Up();
        return true;
    case VK_DOWN:
        model_->Down();
        return true;
    case VK_PRIOR:
        model_->PageUp();
        return true;
    case VK_NEXT:
        model_->PageDown();
        return true;
    case VK_HOME:
        model_->First();
        return true;
    case VK_END:
        model_->Last();
        return true;
    case VK_LEFT:
        model_->CloseCurrent();
        return true;
    case VK_RIGHT:
        model_->OpenCurrent();
        return true;
    case VK_RETURN:
        model_->ActivateCurrent();
        return true;
    case VK_DELETE:
        model_->DeleteCurrent();
        return true;
    case VK_BACK:
        model_->SecondDelete();
        return true;
    default:
        return false;
    }
}

LRESULT t_ItemListPane::OnGetObject(WPARAM wParam, LPARAM lParam) {
    if (static_cast<LONG>(lParam) != static_cast<LONG>(OBJID_CLIENT))
        return DefaultProcedure(WM_GETOBJECT, wParam, lParam);
    return accessible_.Answer(wParam);
}

} // namespace n_ombrix

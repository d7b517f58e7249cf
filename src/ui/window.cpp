#include "ui/window.h"

#include "system/error_exception.h"
#include "ui/deferred_positions.h"
#include "ui/message_loop.h"

namespace n_ombrix {

t_Window::~t_Window() { DestroyWindowFor(); }

LRESULT CALLBACK t_Window::DispatchingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    auto* object = reinterpret_cast<t_Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!object) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // Windows destroys child windows with their parent: from here on the object must not use the handle.
        const LRESULT result = object->DefaultProcedure(message, wParam, lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        object->window_ = nullptr;
        object->previousProcedure_ = nullptr;
        return result;
    }
    try {
        if (message == WM_DESTROY && object->previousProcedure_) {
            // The control goes back to its own procedure; its last messages are its own.
            const WNDPROC previous = object->previousProcedure_;
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            object->previousProcedure_ = nullptr;
            object->window_ = nullptr;
            return CallWindowProcW(previous, window, message, wParam, lParam);
        }
        return object->HandleMessage(message, wParam, lParam);
    } catch (...) {
        t_MessageLoop::Abandon(std::current_exception());
        return object->DefaultProcedure(message, wParam, lParam);
    }
}

LRESULT t_Window::DefaultProcedure(UINT message, WPARAM wParam, LPARAM lParam) const noexcept {
    return previousProcedure_ ? CallWindowProcW(previousProcedure_, window_, message, wParam, lParam)
                              : DefWindowProcW(window_, message, wParam, lParam);
}

void t_Window::CreateWindowFor(const t_CreationParameters& parameters, HWND parent) {
    HWND window = CreateWindowExW(parameters.extendedStyle, parameters.className, L"", parameters.style, parameters.x,
                                  parameters.y, parameters.width, parameters.height, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(parameters.controlId)),
                                  GetModuleHandleW(nullptr), nullptr);
    if (!window) n_zql::n_system::n_windows::ThrowWin32Error(GetLastError());
    window_ = window;
    rectangle_ = {parameters.x, parameters.y, parameters.x + parameters.width, parameters.y + parameters.height};
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    // WM_NCCALCSIZE during CreateWindowExW reached DefWindowProcW (the object is attached only now); asked again, it
    // takes this pane's borders off the client rectangle read next.
    SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    ReadClientRectangle();
}

void t_Window::Subclass(HWND control) noexcept {
    window_ = control;
    RECT bounds{};
    GetWindowRect(control, &bounds);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&bounds), 2);
    rectangle_ = {bounds.left, bounds.top, bounds.right, bounds.bottom};
    SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    previousProcedure_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&t_Window::DispatchingProcedure)));
    ReadClientRectangle();
}

void t_Window::DestroyWindowFor() noexcept {
    if (!window_) return;
    const HWND window = window_;
    if (previousProcedure_) SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProcedure_));
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    window_ = nullptr;
    previousProcedure_ = nullptr;
    DestroyWindow(window);
}

void t_Window::Layout(t_DeferredPositions& batch, UINT flags, bool forceMove) {
    const t_Rect placed = AnchoredRect(rectangle_, anchors_);
    const UINT moveFlags = MoveFlags(rectangle_, placed, flags, forceMove);
    rectangle_ = placed;
    if (!MovesNothing(moveFlags)) batch.Move(window_, placed, moveFlags);
}

void t_Window::MoveTo(const t_Rect& rect) noexcept {
    rectangle_ = rect;
    if (!window_) return;
    SetWindowPos(window_, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    ReadClientRectangle();
}

void t_Window::ReadClientRectangle() noexcept {
    if (window_) GetClientRect(window_, &clientRectangle_);
}

bool t_Window::PointerOver(LPARAM screenPoint) const noexcept {
    RECT bounds{};
    GetWindowRect(window_, &bounds);
    const POINT point{static_cast<short>(LOWORD(screenPoint)), static_cast<short>(HIWORD(screenPoint))};
    return PtInRect(&bounds, point) != FALSE;
}

void t_Window::RepaintIf(bool changed) const noexcept {
    if (changed && window_)
        RedrawWindow(window_, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_NOERASE | RDW_NOFRAME | RDW_NOCHILDREN | RDW_UPDATENOW);
}

void t_Window::TrackPointer(DWORD flags, DWORD hoverTime) const noexcept {
    TRACKMOUSEEVENT tracking{
        .cbSize = sizeof(TRACKMOUSEEVENT), .dwFlags = flags, .hwndTrack = window_, .dwHoverTime = hoverTime};
    TrackMouseEvent(&tracking);
}

void t_Window::TrackLeave() const noexcept { TrackPointer(TME_LEAVE, HOVER_DEFAULT); }
void t_Window::TrackHoverAndLeave(DWORD hoverTime) const noexcept { TrackPointer(TME_HOVER | TME_LEAVE, hoverTime); }
void t_Window::CancelHoverAndLeave() const noexcept { TrackPointer(TME_CANCEL | TME_HOVER | TME_LEAVE, 0); }
void t_Window::CancelHover() const noexcept { TrackPointer(TME_CANCEL | TME_HOVER, 0); }

LRESULT t_Window::CalculateBorderedClient(WPARAM wParam, LPARAM lParam, unsigned sides) noexcept {
    // Both forms of the message start with the rectangle that becomes the client area.
    RECT& client = *reinterpret_cast<RECT*>(lParam);
    client.left += (sides & n_border::left) ? 1 : 0;
    client.top += (sides & n_border::top) ? 1 : 0;
    client.right -= (sides & n_border::right) ? 1 : 0;
    client.bottom -= (sides & n_border::bottom) ? 1 : 0;
    return wParam ? WVR_VALIDRECTS : 0;
}

void t_Window::PaintBorders(HBRUSH brush, unsigned sides) const noexcept {
    const HDC dc = GetDCEx(window_, nullptr, DCX_WINDOW | DCX_CACHE);
    if (!dc) return;
    RECT bounds{};
    GetWindowRect(window_, &bounds);
    const LONG width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
    const auto fill = [&](LONG left, LONG top, LONG right, LONG bottom) {
        const RECT line{left, top, right, bottom};
        FillRect(dc, &line, brush);
    };
    if (sides & n_border::left) fill(0, 0, 1, height);
    if (sides & n_border::top) fill(0, 0, width, 1);
    if (sides & n_border::right) fill(width - 1, 0, width, height);
    if (sides & n_border::bottom) fill(0, height - 1, width, height);
    ReleaseDC(window_, dc);
}

LRESULT t_Window::ConfigurePans(DWORD want, DWORD block, WPARAM wParam, LPARAM lParam) const noexcept {
    GESTURECONFIG pans{.dwID = GID_PAN, .dwWant = want, .dwBlock = block};
    SetGestureConfig(window_, 0, 1, &pans, sizeof pans);
    return DefWindowProcW(window_, WM_GESTURENOTIFY, wParam, lParam);
}

std::optional<t_Window::t_Pan> t_Window::ReadPan(LPARAM lParam) const noexcept {
    const auto gesture = reinterpret_cast<HGESTUREINFO>(lParam);
    GESTUREINFO info{};
    info.cbSize = sizeof info;
    if (!GetGestureInfo(gesture, &info) || info.dwID != GID_PAN) return std::nullopt;
    CloseGestureInfoHandle(gesture);
    t_Pan pan{.point = {info.ptsLocation.x, info.ptsLocation.y},
              .begins = (info.dwFlags & GF_BEGIN) != 0,
              .ends = (info.dwFlags & GF_END) != 0};
    ScreenToClient(window_, &pan.point);
    return pan;
}

} // namespace n_ombrix

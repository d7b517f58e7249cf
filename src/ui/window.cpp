#include "ui/window.h"

#include "system/error_exception.h"
#include "ui/message_loop.h"

namespace n_ombrix {

t_Window::~t_Window() { DestroyWindowFor(); }

LRESULT CALLBACK t_Window::DispatchingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    auto* object = reinterpret_cast<t_Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!object) return DefWindowProcW(window, message, wParam, lParam);
    try {
        return object->HandleMessage(message, wParam, lParam);
    } catch (...) {
        t_MessageLoop::Abandon(std::current_exception());
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

void t_Window::CreateWindowFor(const t_CreationParameters& parameters, HWND parent) {
    HWND window = CreateWindowExW(parameters.extendedStyle, parameters.className, L"", parameters.style, parameters.x,
                                  parameters.y, parameters.width, parameters.height, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(parameters.controlId)),
                                  GetModuleHandleW(nullptr), nullptr);
    if (!window) n_zql::n_system::n_windows::ThrowWin32Error(GetLastError());
    window_ = window;
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void t_Window::DestroyWindowFor() noexcept {
    if (!window_) return;
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
    window_ = nullptr;
}

} // namespace n_ombrix

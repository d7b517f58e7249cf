#include "ui/window_class.h"

#include "system/error_exception.h"
#include "ui/window.h"

namespace n_ombrix {

t_WindowClass::t_WindowClass(UINT style, HINSTANCE instance, HCURSOR cursor, const wchar_t* className)
    : instance_(instance) {
    const WNDCLASSEXW description{
        .cbSize = sizeof(WNDCLASSEXW),
        .style = style,
        .lpfnWndProc = &t_Window::DispatchingProcedure,
        .cbClsExtra = 0,
        .cbWndExtra = 0,
        .hInstance = instance,
        .hIcon = nullptr,
        .hCursor = cursor,
        .hbrBackground = nullptr,
        .lpszMenuName = nullptr,
        .lpszClassName = className,
        .hIconSm = nullptr,
    };
    atom_ = RegisterClassExW(&description);
    if (atom_ == 0) n_zql::n_system::n_windows::ThrowWin32Error(GetLastError());
}

t_WindowClass::~t_WindowClass() {
    // Nothing can be done about a failure here; every window of the class is already gone.
    UnregisterClassW(Name(), instance_);
}

} // namespace n_ombrix

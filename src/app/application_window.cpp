#include "app/application_window.h"

#include "app/application.h"
#include "app/exit_codes.h"

namespace n_ombrix {

namespace {

constexpr DWORD popupExtendedStyle = WS_EX_CONTROLPARENT | WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOPARENTNOTIFY;
constexpr DWORD popupStyle = WS_POPUP | WS_CLIPCHILDREN;
constexpr int initialHeight = 256; // the real size is set when the window is first shown

} // namespace

t_ApplicationWindow::t_ApplicationWindow(t_Application& application, HINSTANCE instance, int width)
    : application_(application), windowClass_(CS_PARENTDC, instance, LoadCursorW(nullptr, IDC_ARROW), L"Ombrix") {
    CreateWindowFor({.extendedStyle = popupExtendedStyle,
                     .style = popupStyle,
                     .className = windowClass_.Name(),
                     .width = width,
                     .height = initialHeight},
                    nullptr);
}

// The window goes before its class is unregistered.
t_ApplicationWindow::~t_ApplicationWindow() { DestroyWindowFor(); }

LRESULT t_ApplicationWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        application_.HidePopup();
        PostQuitMessage(exitNormal);
        return 0;
    case WM_ENDSESSION:
        // The session may end as soon as this returns, so the state is saved now and the end of Run() does not save
        // a second time. A log-off that was cancelled (wParam FALSE) ends nothing: saved, Ombrix keeps running.
        application_.SaveState();
        if (wParam) PostQuitMessage(exitEndSession);
        return 0;
    case WM_SETTINGCHANGE:
        application_.SystemSettingsChanged();
        return 0;
    case WM_THEMECHANGED:
    case WM_DWMCOLORIZATIONCOLORCHANGED:
        application_.WindowsThemeChanged();
        return 0;
    case WM_PAINT:
        ValidateRect(Handle(), nullptr);
        return 0;
    default:
        return DefaultProcedure(message, wParam, lParam);
    }
}

} // namespace n_ombrix

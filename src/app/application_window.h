#pragma once
// The application's one top-level window, class "Ombrix": hidden at rest, it receives the system's messages
// (WM_CLOSE, WM_ENDSESSION, settings and theme changes, the show request) and hands them to the application.

#include "ui/window.h"
#include "ui/window_class.h"

namespace n_ombrix {

class t_Application;

class t_ApplicationWindow : public t_Window {
public:
    t_ApplicationWindow(t_Application& application, HINSTANCE instance, int width);
    ~t_ApplicationWindow() override;

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    t_Application& application_;
    t_WindowClass windowClass_;
};

} // namespace n_ombrix

// The shell's desktop window as Ombrix meets it, for Wine's shell, which has a taskbar but no "Progman" window: a
// hidden top-level window of that class with its message loop, where Ombrix places its desktop hook. It ends on
// WM_CLOSE. scripts/run.sh and the taskbar tests start it.

#include <windows.h>

namespace {

LRESULT CALLBACK DesktopProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW desktopClass{};
    desktopClass.lpfnWndProc = DesktopProcedure;
    desktopClass.hInstance = instance;
    desktopClass.lpszClassName = L"Progman";
    if (!RegisterClassW(&desktopClass) || !CreateWindowExW(WS_EX_TOOLWINDOW, L"Progman", L"Program Manager", WS_POPUP,
                                                           0, 0, 0, 0, nullptr, nullptr, instance, nullptr))
        return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}

#include "taskbar/start_button_hook.h"

#include "hooks/hook_messages.h"
#include "hooks/hook_procedures.h"
#include "taskbar/corner_window.h"

#include <exception>

namespace n_ombrix {

namespace {

constexpr int handshakePasses = 16;
constexpr DWORD answerWait = 500;  // ms
constexpr DWORD passPause = 512;   // ms
constexpr UINT farewellWait = 500; // ms

n_zql::n_system::n_windows::t_Hook PlaceHook(int type, HOOKPROC procedure, HWND window) {
    n_zql::n_system::n_windows::t_Hook hook(SetWindowsHookExW(type, procedure, GetModuleHandleW(L"Ombrix Hooks.dll"),
                                                              GetWindowThreadProcessId(window, nullptr)));
    if (!hook) throw std::exception();
    return hook;
}

t_Rect ScreenRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

} // namespace

t_StartButtonHook::t_StartButtonHook(HWND applicationWindow)
    : desktop_(FindWindowExW(nullptr, nullptr, L"Progman", nullptr)),
      taskbar_(FindWindowExW(nullptr, nullptr, L"Shell_TrayWnd", nullptr)) {
    if (!desktop_ || !taskbar_) throw std::exception();
    // The taskbar's own "Start" child; else its button child, as in Wine's shell; else the top-level button titled
    // "Start" of older shells.
    startButton_ = FindWindowExW(taskbar_, nullptr, L"Start", nullptr);
    if (!startButton_) startButton_ = FindWindowExW(taskbar_, nullptr, L"Button", nullptr);
    if (!startButton_) startButton_ = FindWindowExW(nullptr, nullptr, L"Button", L"Start");
    desktopMessages_ = PlaceHook(WH_GETMESSAGE, OmbrixDesktopMessageHook, desktop_);
    taskbarMessages_ = PlaceHook(WH_GETMESSAGE, OmbrixTaskbarMessageHook, taskbar_);
    taskbarCalls_ = PlaceHook(WH_CALLWNDPROC, OmbrixTaskbarCallHook, taskbar_);
    Handshake(applicationWindow);
    MakeCornersClickThrough(taskbar_);
    for (HWND secondary = nullptr;
         (secondary = FindWindowExW(nullptr, secondary, L"Shell_SecondaryTrayWnd", nullptr)) != nullptr;)
        MakeCornersClickThrough(secondary);
}

t_StartButtonHook::~t_StartButtonHook() {
    // The library forgets the application window before the hooks go: every hook in the taskbar's thread shares what
    // the library remembers there, and one left behind by a killed Ombrix would go on posting the shell's requests to
    // whatever window last shook hands.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(taskbar_, MSG_HOOK_HANDSHAKE, 0, 0, SMTO_ABORTIFHUNG, farewellWait, &ignored);
    for (const HWND corner : clickThrough_)
        SetWindowLongW(corner, GWL_EXSTYLE, GetWindowLongW(corner, GWL_EXSTYLE) & ~WS_EX_TRANSPARENT);
    taskbarCalls_.Reset();
    taskbarMessages_.Reset();
    desktopMessages_.Reset();
}

void t_StartButtonHook::Handshake(HWND applicationWindow) const {
    for (int pass = 0; pass < handshakePasses; ++pass) {
        PostMessageW(desktop_, MSG_HOOK_HANDSHAKE, reinterpret_cast<WPARAM>(applicationWindow),
                     reinterpret_cast<LPARAM>(startButton_));
        // No answer in time means no hook library listening: that fails at once, not after every pass.
        if (MsgWaitForMultipleObjects(0, nullptr, FALSE, answerWait, QS_POSTMESSAGE) == WAIT_TIMEOUT)
            throw std::exception();
        MSG answer{};
        if (PeekMessageW(&answer, applicationWindow, MSG_HOOK_HANDSHAKE, MSG_HOOK_HANDSHAKE, PM_REMOVE) &&
            answer.wParam == reinterpret_cast<WPARAM>(applicationWindow))
            return;
        Sleep(passPause); // something else arrived first: the next pass
    }
    throw std::exception();
}

void t_StartButtonHook::MakeCornersClickThrough(HWND taskbar) {
    const HWND start = FindWindowExW(taskbar, nullptr, L"Start", nullptr);
    if (!start) return;
    const t_Rect startRect = ScreenRect(start);
    for (HWND corner = nullptr; (corner = FindWindowExW(nullptr, corner, L"EdgeUiInputWndClass", L"")) != nullptr;) {
        if (!CornerWindowCoversStart(startRect, ScreenRect(corner)) || !clickThrough_.insert(corner).second) continue;
        SetWindowLongW(corner, GWL_EXSTYLE, GetWindowLongW(corner, GWL_EXSTYLE) | WS_EX_TRANSPARENT);
    }
}

} // namespace n_ombrix

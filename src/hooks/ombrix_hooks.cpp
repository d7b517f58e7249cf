// Ombrix Hooks.dll, inside the shell's desktop and taskbar threads. It turns the taskbar's Start button and the
// shell's Windows-key request into Ombrix's show request, and answers Ombrix's handshake. Being a guest in the shell,
// it is built without exceptions, run-time type information or a C run-time library: it allocates nothing, waits for
// nothing, never sends into Ombrix (it posts), and always calls the next hook unless it takes a message, which it
// turns into WM_NULL.
//
// What each thread sees:
// - The desktop thread (procedure 1): MSG_HOOK_HANDSHAKE and MSG_OPEN_SHELL_START, passed on to the taskbar's
//   thread, which may belong to another process (it does under Wine); MSG_POPUP_SHOWN, taken (the shell has nothing
//   to do for it).
// - The taskbar thread (procedure 2, posted messages): the handshake (the application window and the Start button
//   to watch), answered to the application window; WM_SYSCOMMAND with SC_TASKLIST, the shell's Windows-key (and
//   Ctrl+Esc) request, which becomes the show request; a left press on the Start button, which becomes the show
//   request, with its release taken too; WM_HOTKEY for Windows+R, the shell's Run hotkey, which becomes the show
//   request for the run box; and MSG_OPEN_SHELL_START, which becomes the shell's own task-list request, let through
//   once.
// - The taskbar thread (procedure 3, sent messages, which a hook cannot take): Ombrix's farewell (MSG_HOOK_HANDSHAKE
//   sent with no application window) and the taskbar's or the Start button's destruction, after which nothing is
//   posted until the next handshake.

#define OMBRIX_HOOKS_BUILDING
#include "hooks/hook_messages.h"
#include "hooks/hook_procedures.h"

using namespace n_ombrix;

namespace {

// This process's view, set by the handshake's copy on the taskbar's thread. Plain words: only that thread writes
// them, and a stale window handle is caught by IsWindow before anything is posted to it.
HWND application = nullptr;
HWND startButton = nullptr;
bool startPressTaken = false;
// When the shell's own task-list request was let through: a second one within a moment is the shell's own echo.
DWORD shellStartAllowedAt = 0;
bool shellStartAllowed = false;

constexpr DWORD echoWindow = 1000; // ms

// Each hook of this library in a thread's chain (one left behind by an Ombrix that was killed, say) sees every
// message after the one before it: the first decides what a message is, and the others leave it as decided. A
// message is known by where the thread keeps it, its time and its number.
struct t_Decision {
    const MSG* message = nullptr;
    DWORD time = 0;
    UINT number = 0;
};
t_Decision decided;

bool AlreadyDecided(const MSG& message) {
    return decided.message == &message && decided.time == message.time && decided.number == message.message;
}

void Decide(const MSG& message) { decided = {&message, message.time, message.message}; }

bool Attached() { return application != nullptr && IsWindow(application) != FALSE; }

void RequestPopup(LPARAM runBox) { PostMessageW(application, MSG_SHOW_POPUP, 0, runBox); }

void Take(MSG& message) { message.message = WM_NULL; }

HWND Taskbar() { return FindWindowW(L"Shell_TrayWnd", nullptr); }

void DesktopMessage(MSG& message) {
    switch (message.message) {
    case MSG_HOOK_HANDSHAKE:
        if (const HWND taskbar = Taskbar()) PostMessageW(taskbar, MSG_HOOK_HANDSHAKE, message.wParam, message.lParam);
        Take(message);
        return;
    case MSG_OPEN_SHELL_START:
        if (const HWND taskbar = Taskbar()) PostMessageW(taskbar, MSG_OPEN_SHELL_START, message.wParam, message.lParam);
        Take(message);
        return;
    case MSG_POPUP_SHOWN:
        Take(message);
        return;
    default:
        return;
    }
}

bool IsTaskListRequest(const MSG& message) {
    return message.message == WM_SYSCOMMAND && (message.wParam & 0xFFF0) == SC_TASKLIST;
}

bool IsRunHotkey(const MSG& message) {
    return message.message == WM_HOTKEY && (LOWORD(message.lParam) & MOD_WIN) != 0 && HIWORD(message.lParam) == 'R';
}

bool IsStartPress(const MSG& message) {
    if (startButton == nullptr || message.hwnd != startButton) return false;
    return message.message == WM_LBUTTONDOWN || message.message == WM_LBUTTONDBLCLK ||
           (message.message == WM_LBUTTONUP && startPressTaken);
}

void TaskbarMessage(MSG& message) {
    if (AlreadyDecided(message)) return;
    if (message.message == MSG_HOOK_HANDSHAKE) {
        // Answered from here, once remembered: when Ombrix has the answer, this thread knows its window.
        application = reinterpret_cast<HWND>(message.wParam);
        startButton = reinterpret_cast<HWND>(message.lParam);
        PostMessageW(application, MSG_HOOK_HANDSHAKE, message.wParam, 0);
        Take(message);
        return;
    }
    if (message.message == MSG_OPEN_SHELL_START) {
        // Into the request the shell itself would have had, on the taskbar window, with the same wParam and lParam.
        message.message = WM_SYSCOMMAND;
        Decide(message);
        shellStartAllowed = true;
        shellStartAllowedAt = GetTickCount();
        return;
    }
    const bool taskList = IsTaskListRequest(message), runHotkey = IsRunHotkey(message);
    const bool startPress = IsStartPress(message);
    // Most messages are none of these: the window check comes after.
    if (!(taskList || runHotkey || startPress) || !Attached()) return;
    if (taskList && shellStartAllowed && GetTickCount() - shellStartAllowedAt < echoWindow) {
        Decide(message);
        shellStartAllowed = false;
        return;
    }
    if (message.message == WM_LBUTTONUP) {
        startPressTaken = false;
    } else {
        startPressTaken = startPress;
        RequestPopup(runHotkey ? 1 : 0);
    }
    Take(message);
}

} // namespace

extern "C" {

LRESULT CALLBACK OmbrixDesktopMessageHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE) DesktopMessage(*reinterpret_cast<MSG*>(lParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK OmbrixTaskbarMessageHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE) TaskbarMessage(*reinterpret_cast<MSG*>(lParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK OmbrixTaskbarCallHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const CWPSTRUCT& call = *reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (call.message == MSG_HOOK_HANDSHAKE && call.wParam == 0) application = startButton = nullptr;
        if (call.message == WM_NCDESTROY && call.hwnd == startButton) startButton = nullptr;
        if (call.message == WM_NCDESTROY && call.hwnd == Taskbar()) application = startButton = nullptr;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The library's entry: nothing to set up or tear down.
BOOL WINAPI OmbrixHooksEntry(HINSTANCE, DWORD, LPVOID) { return TRUE; }
}

#pragma once
// The messages between Ombrix.exe and its hook library in the shell. Posted, never sent. Shared by Ombrix.exe and
// Ombrix Hooks.dll, so it includes nothing of the program's own.

#include <windows.h>

namespace n_ombrix {

// Hook library -> popup window: show the popup; lParam 1 asks for the command mode.
constexpr UINT MSG_SHOW_POPUP = 0x2A5B;
// Application -> shell's desktop window: the popup was just shown.
constexpr UINT MSG_POPUP_SHOWN = 0x2A5C;
// Both ways: the handshake with the hook library. To the desktop window: wParam the application window, lParam the
// Start button; the answer, to the application window: wParam the application window.
constexpr UINT MSG_HOOK_HANDSHAKE = 0x2A5D;
// Application -> shell's desktop window: open the shell's own Start menu; wParam SC_TASKLIST, lParam half the popup's
// width (low word) and height (high word).
constexpr UINT MSG_OPEN_SHELL_START = 0x2A5F;

} // namespace n_ombrix

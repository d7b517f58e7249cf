#pragma once
// The messages the system's parts post to one another (never sent).

#include <windows.h>

namespace n_ombrix {

// Hook library -> popup window: show the popup; lParam 1 asks for the command mode.
constexpr UINT MSG_SHOW_POPUP = 0x2A5B;
// Application -> shell's desktop window: the popup was just shown.
constexpr UINT MSG_POPUP_SHOWN = 0x2A5C;
// Both ways: the handshake with the hook library.
constexpr UINT MSG_HOOK_HANDSHAKE = 0x2A5D;
// Settings thread -> popup window: the settings window ended; lParam 1 = take the edited configuration.
constexpr UINT MSG_SETTINGS_CLOSED = 0x2A5E;
// Application -> shell's desktop window: open the shell's own Start menu.
constexpr UINT MSG_OPEN_SHELL_START = 0x2A5F;

} // namespace n_ombrix

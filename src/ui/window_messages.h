#pragma once
// The messages the system's parts post to one another (never sent).

#include "hooks/hook_messages.h"

#include <windows.h>

namespace n_ombrix {

// Settings thread -> popup window: the settings window ended; lParam 1 = take the edited configuration.
constexpr UINT MSG_SETTINGS_CLOSED = 0x2A5E;

} // namespace n_ombrix

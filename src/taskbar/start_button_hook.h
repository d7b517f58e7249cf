#pragma once
// The taking over of the shell's Start button and Windows key: the hook library's three procedures placed in the
// shell's desktop and taskbar threads, the handshake through which the library learns the application window, and
// the shell's corner input windows over a Start button made click-through. Construction does all of it or throws
// std::exception, leaving nothing placed; destruction undoes it in reverse. On the user-interface thread that owns
// the application window: the handshake's answer arrives in that thread's queue.

#include "system/unique_handle.h"

#include <windows.h>

#include <set>

namespace n_ombrix {

class t_StartButtonHook {
public:
    explicit t_StartButtonHook(HWND applicationWindow);
    t_StartButtonHook(const t_StartButtonHook&) = delete;
    t_StartButtonHook& operator=(const t_StartButtonHook&) = delete;
    ~t_StartButtonHook();

    // The shell's desktop window ("Progman"), where the popup's news and the request for the shell's own Start menu go.
    HWND DesktopWindow() const noexcept { return desktop_; }

private:
    void Handshake(HWND applicationWindow) const;
    void MakeCornersClickThrough(HWND taskbar);

    HWND desktop_ = nullptr;
    HWND taskbar_ = nullptr;
    HWND startButton_ = nullptr; // may be null: the shell then keeps its button, the Windows key is still taken
    n_zql::n_system::n_windows::t_Hook desktopMessages_;
    n_zql::n_system::n_windows::t_Hook taskbarMessages_;
    n_zql::n_system::n_windows::t_Hook taskbarCalls_;
    std::set<HWND> clickThrough_; // corner windows this object made click-through
};

} // namespace n_ombrix

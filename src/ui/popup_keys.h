#pragma once
// The popup's own keys, which every pane passes up when it does not take a key itself, on key-down and on key-up.

#include <windows.h>

namespace n_ombrix {

class t_PopupKeys {
public:
    // WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN or WM_SYSKEYUP; true when the popup took the key (the control then does
    // nothing with it).
    virtual bool PopupKey(UINT message, WPARAM key) = 0;

protected:
    t_PopupKeys() = default;
    t_PopupKeys(const t_PopupKeys&) = default;
    t_PopupKeys& operator=(const t_PopupKeys&) = default;
    ~t_PopupKeys() = default;
};

} // namespace n_ombrix

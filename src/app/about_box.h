#pragma once
// The About box: a task dialog with the program's icon, name and version, and a link to its page on the web. Only
// one is open at a time; asked again, the open one comes to the front.

#include <windows.h>

#include <string>

namespace n_ombrix {

class t_AboutBoxOwner {
public:
    // The dialog's help request.
    virtual void OpenHelp() = 0;

protected:
    ~t_AboutBoxOwner() = default;
};

class t_AboutBox {
public:
    // Shows the box, modal to the owner window, and returns when it closes; brings an open one to the front instead.
    void Show(HWND ownerWindow, HICON icon, const std::wstring& language, t_AboutBoxOwner& owner);

private:
    static HRESULT CALLBACK Callback(HWND dialog, UINT notification, WPARAM wParam, LPARAM lParam,
                                     LONG_PTR data) noexcept;

    HWND dialog_ = nullptr; // while it is open
    t_AboutBoxOwner* owner_ = nullptr;
    std::wstring language_;
};

} // namespace n_ombrix

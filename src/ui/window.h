#pragma once
// A window as an object: every class of ours has the one dispatching procedure, which finds the object through
// GWLP_USERDATA and hands it the message. Exceptions never unwind through Windows' frames: the procedure catches
// them and hands them to the message loop, which ends and rethrows them on its own frame.

#include <windows.h>

namespace n_ombrix {

struct t_CreationParameters {
    DWORD extendedStyle = 0;
    DWORD style = 0;
    const wchar_t* className = nullptr; // name or atom
    int controlId = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

class t_Window {
public:
    // The message handler; the first operation of every window object.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

    t_Window() noexcept = default;
    t_Window(const t_Window&) = delete;
    t_Window& operator=(const t_Window&) = delete;
    virtual ~t_Window();

    HWND Handle() const noexcept { return window_; }

    static LRESULT CALLBACK DispatchingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

protected:
    // Creates the window (empty title, the program's instance, the control id as menu handle) and attaches this
    // object to it. A failure throws the Windows error exception.
    void CreateWindowFor(const t_CreationParameters& parameters, HWND parent);
    // Detaches the object first, so that the messages of the destruction go to DefWindowProcW.
    void DestroyWindowFor() noexcept;

private:
    HWND window_ = nullptr; // owned: destroyed by DestroyWindowFor or the destructor
};

} // namespace n_ombrix

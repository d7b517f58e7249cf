#pragma once
// The user-interface thread's message loop, and the other half of the exception barrier of window procedures.

#include <windows.h>

#include <exception>

namespace n_ombrix {

class t_MessageLoop {
public:
    // Runs until WM_QUIT (or a failing GetMessageW) and returns WM_QUIT's wParam. If a window procedure of this
    // thread caught an exception meanwhile, that exception is rethrown here instead. With a dialog window, messages
    // are offered to IsDialogMessageW for it first (Tab between its controls).
    static WPARAM Run(HWND dialogWindow = nullptr);
    // A modal window's loop inside another: runs until the flag is set, the dialog window's messages offered to
    // IsDialogMessageW first. False when WM_QUIT came first, which is put back for the outer loop to end on.
    static bool RunModal(HWND dialogWindow, const bool& ended);

    // Keeps the first exception caught on this thread and ends the loop. Called from inside window procedures.
    static void Abandon(std::exception_ptr exception) noexcept;
};

} // namespace n_ombrix

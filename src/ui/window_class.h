#pragma once
// A registered window class whose procedure is the toolkit's dispatching procedure; unregistered on destruction.

#include <windows.h>

namespace n_ombrix {

class t_WindowClass {
public:
    // Registers the class; a failure throws the Windows error exception with the last error.
    t_WindowClass(UINT style, HINSTANCE instance, HCURSOR cursor, const wchar_t* className);
    t_WindowClass(const t_WindowClass&) = delete;
    t_WindowClass& operator=(const t_WindowClass&) = delete;
    ~t_WindowClass();

    // The class for CreateWindowExW, as an atom.
    const wchar_t* Name() const noexcept { return MAKEINTATOM(atom_); }

private:
    ATOM atom_;
    HINSTANCE instance_; // not owned
};

} // namespace n_ombrix

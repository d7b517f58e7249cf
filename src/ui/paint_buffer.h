#pragma once
// One WM_PAINT: BeginPaint, a buffered-paint buffer over the update rectangle, and the reverse at the end. Without a
// buffer Dc() is null and nothing is drawn; EndPaint runs in every case. Every pane paints through this and answers
// WM_ERASEBKGND with 1, as the buffer covers everything.

#include <windows.h>

#include <uxtheme.h>

namespace n_ombrix {

class t_PaintBuffer {
public:
    explicit t_PaintBuffer(HWND window) noexcept;
    t_PaintBuffer(const t_PaintBuffer&) = delete;
    t_PaintBuffer& operator=(const t_PaintBuffer&) = delete;
    ~t_PaintBuffer();

    // The buffer's DC, in the window's client coordinates; null when there is nothing to paint into.
    HDC Dc() const noexcept { return buffer_ ? dc_ : nullptr; }
    const RECT& UpdateRectangle() const noexcept { return paint_.rcPaint; }

private:
    HWND window_; // not owned
    PAINTSTRUCT paint_{};
    HPAINTBUFFER buffer_ = nullptr;
    HDC dc_ = nullptr; // owned by the buffer
};

} // namespace n_ombrix

#include "ui/paint_buffer.h"

namespace n_ombrix {

t_PaintBuffer::t_PaintBuffer(HWND window) noexcept : window_(window) {
    if (const HDC target = BeginPaint(window_, &paint_))
        buffer_ = BeginBufferedPaint(target, &paint_.rcPaint, BPBF_COMPATIBLEBITMAP, nullptr, &dc_);
}

t_PaintBuffer::~t_PaintBuffer() {
    if (buffer_) EndBufferedPaint(buffer_, TRUE);
    EndPaint(window_, &paint_);
}

} // namespace n_ombrix

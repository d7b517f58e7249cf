#pragma once
// A 32-bpp bitmap to paint into as a pane does: through a buffered-paint DC over it, whose pixels are then read.

#include "system/unique_handle.h"
#include "ui/color_scheme.h"

#include <windows.h>

#include <uxtheme.h>

#include <cstdint>
#include <optional>

namespace n_ombrix_test {

class t_PaintTarget {
public:
    t_PaintTarget(int width, int height) : width_(width) {
        const BITMAPINFO info{{sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
        bitmap_ = t_Bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
        selected_.emplace(dc_.Get(), bitmap_.Get());
        rect_ = {0, 0, width, height};
    }

    // Paints through a buffered-paint DC over the whole target; false when no buffer could be made.
    template <typename t_Paint> bool Paint(t_Paint&& paint) {
        HDC buffered = nullptr;
        const HPAINTBUFFER buffer = BeginBufferedPaint(dc_.Get(), &rect_, BPBF_COMPATIBLEBITMAP, nullptr, &buffered);
        if (!buffer) return false;
        paint(buffered, rect_);
        EndBufferedPaint(buffer, TRUE);
        return true;
    }

    n_ombrix::t_Color Pixel(int x, int y) const {
        const std::uint32_t value = static_cast<const std::uint32_t*>(bits_)[y * width_ + x] & 0xFFFFFF;
        return n_ombrix::Rgb(value >> 16 & 0xFF, value >> 8 & 0xFF, value & 0xFF);
    }

private:
    using t_Bitmap = n_zql::n_system::n_windows::n_graphics::n_gdi::t_Bitmap;
    using t_MemoryDc = n_zql::n_system::n_windows::n_graphics::n_gdi::t_MemoryDc;
    using t_Selection = n_zql::n_system::n_windows::n_graphics::n_gdi::t_Selection;

    int width_;
    void* bits_ = nullptr;
    t_Bitmap bitmap_;
    t_MemoryDc dc_{CreateCompatibleDC(nullptr)};
    std::optional<t_Selection> selected_;
    RECT rect_{};
};

} // namespace n_ombrix_test

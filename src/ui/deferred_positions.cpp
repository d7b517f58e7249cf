#include "ui/deferred_positions.h"

#include "system/error_exception.h"

namespace n_ombrix {

t_DeferredPositions::t_DeferredPositions(int count) : batch_(BeginDeferWindowPos(count)) {
    if (!batch_) n_zql::n_system::n_windows::ThrowWin32Error(GetLastError());
}

t_DeferredPositions::~t_DeferredPositions() {
    if (batch_) EndDeferWindowPos(batch_);
}

void t_DeferredPositions::Move(HWND window, const t_Rect& rect, UINT flags) noexcept {
    if (batch_)
        batch_ = DeferWindowPos(batch_, window, nullptr, rect.left, rect.top, rect.Width(), rect.Height(), flags);
}

} // namespace n_ombrix

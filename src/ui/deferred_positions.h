#pragma once
// One batch of window moves (DeferWindowPos), ended when the owner goes. A move that fails ends the batch: its handle
// is gone, so the moves after it are skipped and nothing is ended twice. After the batch each moved pane re-reads its
// client rectangle.

#include "ui/anchored_layout.h"

#include <windows.h>

namespace n_ombrix {

class t_DeferredPositions {
public:
    // Room for this many moves; throws the Windows error exception when the batch cannot be begun.
    explicit t_DeferredPositions(int count);
    t_DeferredPositions(const t_DeferredPositions&) = delete;
    t_DeferredPositions& operator=(const t_DeferredPositions&) = delete;
    ~t_DeferredPositions();

    void Move(HWND window, const t_Rect& rect, UINT flags) noexcept;

private:
    HDWP batch_;
};

} // namespace n_ombrix

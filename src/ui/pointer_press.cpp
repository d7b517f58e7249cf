#include "ui/pointer_press.h"

#include <cstdlib>

namespace n_ombrix {

void t_PointerPress::Press(std::int32_t x, std::int32_t y) noexcept {
    pressed_ = true;
    kind_ = t_PressKind::press;
    pressedX_ = lastX_ = x;
    pressedY_ = lastY_ = y;
}

t_PointerPress::t_Step t_PointerPress::MoveTo(std::int32_t x, std::int32_t y) noexcept {
    t_Step step;
    if (!pressed_) return step;
    if (kind_ == t_PressKind::press) {
        if (std::abs(x - pressedX_) >= dragWidth_)
            kind_ = t_PressKind::slide;
        else if (std::abs(y - pressedY_) >= dragHeight_)
            kind_ = t_PressKind::drag;
        step.started = kind_ != t_PressKind::press;
    }
    step.kind = kind_;
    if (kind_ != t_PressKind::press) {
        step.left = lastX_ - x;
        step.up = lastY_ - y;
    }
    lastX_ = x;
    lastY_ = y;
    return step;
}

bool t_PointerPress::Release(bool byTouch) noexcept {
    const bool click = pressed_ && kind_ == t_PressKind::press && !byTouch;
    pressed_ = false;
    kind_ = t_PressKind::press;
    return click;
}

} // namespace n_ombrix

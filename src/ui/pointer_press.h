#pragma once
// A press of the pointer or a finger on the list, and what it becomes as it moves: still a press, a slide of the row
// sideways, or a drag of the list up or down. The system's drag rectangle decides, sideways first when a move crosses
// both. Released without having become either, a press of the pointer is a click; a touch pan never is, since a
// finger that panned did not tap. Platform-neutral.

#include <cstdint>

namespace n_ombrix {

enum class t_PressKind : std::uint8_t { press, slide, drag };

class t_PointerPress {
public:
    t_PointerPress(std::int32_t dragWidth, std::int32_t dragHeight) noexcept
        : dragWidth_(dragWidth), dragHeight_(dragHeight) {}

    // The step of one move, from the point before to this one (positive: left or up).
    struct t_Step {
        t_PressKind kind = t_PressKind::press;
        bool started = false; // this move turned the press into a slide or a drag
        std::int32_t left = 0;
        std::int32_t up = 0;
    };

    void Press(std::int32_t x, std::int32_t y) noexcept;
    // A move with nothing pressed is a step of a press that does nothing.
    t_Step MoveTo(std::int32_t x, std::int32_t y) noexcept;
    // Ends the press; whether it was a click.
    bool Release(bool byTouch) noexcept;

    bool Pressed() const noexcept { return pressed_; }
    t_PressKind Kind() const noexcept { return kind_; }

private:
    std::int32_t dragWidth_;
    std::int32_t dragHeight_;
    bool pressed_ = false;
    t_PressKind kind_ = t_PressKind::press;
    std::int32_t pressedX_ = 0, pressedY_ = 0;
    std::int32_t lastX_ = 0, lastY_ = 0;
};

} // namespace n_ombrix

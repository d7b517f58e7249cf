#pragma once
// Whole wheel notches from the wheel's deltas: a high-resolution wheel sends parts of a notch, which add up until
// they make one. Platform-neutral.

namespace n_ombrix {

class t_WheelNotches {
public:
    static constexpr int delta = 120; // one notch, as the platform counts it

    // The whole notches the delta completes; positive: turned away from the user.
    int Add(int wheelDelta) noexcept {
        remainder_ += wheelDelta;
        const int notches = remainder_ / delta;
        remainder_ %= delta;
        return notches;
    }

private:
    int remainder_ = 0;
};

} // namespace n_ombrix

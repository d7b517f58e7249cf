#pragma once
// Wheel steps from a wheel message's delta: whole notches, and a delta smaller than a notch (a high-resolution
// wheel's) counts as one step its way, so that every turn of the wheel moves something. Platform-neutral.

namespace n_ombrix {

inline constexpr int wheelNotch = 120; // one notch, as the platform counts it

// Positive: turned away from the user.
constexpr int WheelSteps(int delta) noexcept {
    const int steps = delta / wheelNotch;
    if (steps != 0 || delta == 0) return steps;
    return delta > 0 ? 1 : -1;
}

} // namespace n_ombrix

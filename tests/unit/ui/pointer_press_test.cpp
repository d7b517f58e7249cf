// Presses of the pointer and touch pans on the list, written as steps: "p x y" presses, "m x y" moves, "r" releases
// the pointer and "t" lifts the finger. A pan arrives as a press where the finger went down, moves, and a lift.

#include "ui/pointer_press.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>

using namespace n_ombrix;

namespace {

// What the steps did: the kind the press became, the sum of its slide and scroll steps, and whether it clicked.
std::string Outcome(const std::string& steps) {
    t_PointerPress press(4, 4);
    std::istringstream in(steps);
    char step = 0;
    int left = 0, up = 0, starts = 0;
    const char* kind = "press";
    bool clicked = false;
    while (in >> step) {
        std::int32_t x = 0, y = 0;
        if (step == 'p' || step == 'm') in >> x >> y;
        if (step == 'p') press.Press(x, y);
        if (step == 'm') {
            const t_PointerPress::t_Step moved = press.MoveTo(x, y);
            starts += moved.started;
            left += moved.left;
            up += moved.up;
            if (moved.kind != t_PressKind::press) kind = moved.kind == t_PressKind::slide ? "slide" : "drag";
        }
        if (step == 'r' || step == 't') clicked = press.Release(step == 't');
    }
    std::ostringstream out;
    out << kind << " left " << left << " up " << up << (clicked ? " click" : "") << (starts > 1 ? " restarted" : "");
    return out.str();
}

} // namespace

TEST(PointerPress, SidewaysFirstSlidesUpOrDownDragsAndOnlyAStillPointerClicks) {
    const std::pair<const char*, const char*> cases[] = {
        {"p 10 10 m 12 12 r", "press left 0 up 0 click"},     // within the drag rectangle: a click
        {"p 10 10 m 12 12 t", "press left 0 up 0"},           // a finger that barely moved did not tap
        {"p 10 10 m 6 10 m 0 10 r", "slide left 10 up 0"},    // the slide counts from the press
        {"p 10 10 m 14 10 m 20 10 r", "slide left -10 up 0"}, // to the right
        {"p 10 10 m 10 30 m 10 50 t", "drag left 0 up -40"},  // a pan down drags the list towards earlier rows
        {"p 10 10 m 14 14 r", "slide left -4 up -4"},         // both crossed at once: sideways wins
        {"p 10 10 m 10 14 m 30 14 r", "drag left -20 up -4"}, // a drag stays a drag, whatever follows
        {"m 50 50 r", "press left 0 up 0"},                   // nothing pressed: nothing moves, nothing clicks
        {"p 10 10 m 30 10 r m 60 10", "slide left -20 up 0"}, // after the release, moves do nothing
    };
    for (const auto& [steps, outcome] : cases) EXPECT_EQ(Outcome(steps), outcome) << steps;
}

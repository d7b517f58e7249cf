#pragma once
// What the index pane asks of the index it shows: the letters of the item list in the application mode, the
// executors in the command mode. Positions are in the pane's client coordinates.

#include <windows.h>

#include <cstdint>
#include <string>

namespace n_ombrix {

class t_IndexModel {
public:
    virtual void Resize(std::int32_t width, std::int32_t height) = 0;
    // Each returns whether the item list or the choice changed.
    virtual bool ClickAt(std::int32_t y) = 0;
    // Signed notches; positive: turned away from the user.
    virtual bool Wheel(int notches) = 0;
    // Returns whether the index itself moved.
    virtual bool DragBy(std::int32_t dy) = 0;
    virtual std::wstring TooltipAt(std::int32_t y) const = 0;
    // Draws the whole pane; the pane has selected nothing into the DC.
    virtual void Paint(HDC dc, const RECT& client) = 0;

    virtual ~t_IndexModel() = default;

protected:
    t_IndexModel() = default;
    t_IndexModel(const t_IndexModel&) = default;
    t_IndexModel& operator=(const t_IndexModel&) = default;
};

} // namespace n_ombrix

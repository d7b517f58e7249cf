#pragma once
// A pane whose tooltip text the popup's tooltip window asks for when it shows (the tool's application value).

namespace n_ombrix {

class t_TooltipSource {
public:
    // Valid until the next call.
    virtual const wchar_t* TooltipText() = 0;

protected:
    t_TooltipSource() = default;
    t_TooltipSource(const t_TooltipSource&) = default;
    t_TooltipSource& operator=(const t_TooltipSource&) = default;
    ~t_TooltipSource() = default;
};

} // namespace n_ombrix

#pragma once
// A button of the popup's search row: a square image (the mode and power buttons) or a caption (the launch button),
// highlighted while the pointer is over it, closed by frame lines on the given sides. A click, the left button
// released over it, goes to its owner.

#include "ui/hot_tracking.h"
#include "ui/tooltip_source.h"
#include "ui/widget_resources.h"
#include "ui/window.h"

#include <optional>

namespace n_ombrix {

class t_WindowClass;

class t_ButtonOwner {
public:
    virtual void ButtonClicked(int controlId) = 0;

protected:
    ~t_ButtonOwner() = default;
};

class t_SearchRowButton final : public t_Window, public t_TooltipSource {
public:
    // The resources, the class and the owner outlive the button.
    t_SearchRowButton(const t_WidgetResources& resources, const t_WindowClass& paneClass, HWND parent, int controlId,
                      unsigned borders, t_ButtonOwner& owner);

    void ShowBitmap(t_PopupBitmap set);
    void ShowCaption(unsigned stringId);
    void SetTooltip(unsigned stringId) noexcept { tooltip_ = stringId; }
    const wchar_t* TooltipText() override { return resources_.String(tooltip_); }
    int ControlId() const noexcept { return controlId_; }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() const;

    const t_WidgetResources& resources_;
    t_ButtonOwner& owner_;
    const int controlId_;
    const unsigned borders_;
    std::optional<t_PopupBitmap> bitmap_;
    unsigned caption_ = 0; // a string of the table, when there is no bitmap
    unsigned tooltip_ = 0;
    t_HotTracking hot_;
    bool pressed_ = false;
};

} // namespace n_ombrix

#pragma once
// A button of the popup's search row: a square image (the mode and power buttons) or a caption (the launch button),
// highlighted while the pointer is over it, closed by frame lines on the given sides. A click, the left button
// released over it, goes to its owner.

#include "ui/hot_tracking.h"
#include "ui/tooltip_source.h"
#include "ui/widget_resources.h"
#include "ui/window.h"

#include <cstdint>
#include <optional>

namespace n_ombrix {

class t_WindowClass;

class t_ButtonOwner {
public:
    virtual void ButtonClicked(int controlId) = 0;
    // A slide to the left far enough to run with administrator rights, then released.
    virtual void ButtonSlid(int controlId) = 0;
    // The context-menu key, Shift+F10 or a right click on the button.
    virtual void ButtonMenuRequested(int controlId) = 0;

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
    // The launch button: a press that moves left slides the shield in, up to the range; released once it is within
    // the tolerance of the range, the owner hears of the slide instead of a click.
    void EnableSlide(std::int32_t range, std::int32_t tolerance, HBITMAP elevationImage) noexcept;
    // Elevated mode shows the shield whole, in the elevated colours.
    void SetElevated(bool on);
    // The menu below the button, at its bottom-left corner, the button highlighted meanwhile; the chosen command, or 0.
    UINT TrackMenu(HMENU menu);

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() const;
    void OnMouseMove(std::int32_t x);
    void OnButtonUp(bool byTouch);
    void OnPan(const t_Pan& pan);
    bool SlidFarEnough() const noexcept { return slide_ + slideTolerance_ >= slideRange_; }

    const t_WidgetResources& resources_;
    t_ButtonOwner& owner_;
    const int controlId_;
    const unsigned borders_;
    std::optional<t_PopupBitmap> bitmap_;
    unsigned caption_ = 0; // a string of the table, when there is no bitmap
    unsigned tooltip_ = 0;
    t_HotTracking hot_;
    bool pressed_ = false;
    std::int32_t pressedAt_ = 0;
    std::int32_t slideRange_ = 0; // 0: the button does not slide
    std::int32_t slideTolerance_ = 0;
    std::int32_t slide_ = 0;
    bool sliding_ = false;
    bool elevated_ = false;
    bool menuOpen_ = false;
    HBITMAP elevationImage_ = nullptr; // the icon store's
};

} // namespace n_ombrix

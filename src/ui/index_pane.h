#pragma once
// The narrow pane at the popup's left edge: a generic pane over an index model (letters or executors). A click
// chooses, a vertical drag scrolls the index, the wheel steps; whatever moves the item list goes through the list
// pane, so that it repaints and tells the popup.

#include "ui/tooltip_source.h"
#include "ui/wheel_notches.h"
#include "ui/window.h"

#include <cstdint>
#include <optional>
#include <string>

namespace n_ombrix {

class t_IndexModel;
class t_ItemListPane;
class t_WidgetResources;
class t_WindowClass;

class t_IndexPane final : public t_Window, public t_TooltipSource {
public:
    // The resources, the class and the list pane outlive this pane.
    t_IndexPane(const t_WidgetResources& resources, const t_WindowClass& paneClass, HWND parent, int controlId,
                t_ItemListPane& list);

    // The popup swaps the model with the mode; the model outlives its use here.
    void SetModel(t_IndexModel& model);
    void Repaint() const noexcept { RepaintIf(true); }
    // The model's text for where the pointer is.
    const wchar_t* TooltipText() override;

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint();
    void OnMouseMove(std::int32_t y);
    void OnButtonUp(std::int32_t y, bool byTouch);
    void OnPan(const t_Pan& pan);
    void OnWheel(short delta);
    void ListChanged(bool changed);

    const t_WidgetResources& resources_;
    t_ItemListPane& list_;
    t_IndexModel* model_ = nullptr; // not owned
    std::optional<std::int32_t> pressedAt_;
    std::optional<std::int32_t> draggedTo_; // the last position of a drag in progress
    std::wstring tooltip_;
};

} // namespace n_ombrix

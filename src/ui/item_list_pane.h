#pragma once
// The popup's middle pane: a generic owner-drawn list. It turns focus, pointer, wheel and the list's own keys into
// the model's operations and repaints what the model says changed; everything about entries sits behind the model.
// Screen readers reach the rows through the pane's accessible object.

#include "ui/accessible_object.h"
#include "ui/hot_tracking.h"
#include "ui/list_accessible.h"
#include "ui/list_model.h"
#include "ui/pointer_press.h"
#include "ui/popup_keys.h"
#include "ui/wheel_notches.h"
#include "ui/window.h"

#include <cstdint>
#include <optional>

namespace n_ombrix {

class t_WidgetResources;
class t_WindowClass;

class t_ItemListPane final : public t_Window, private t_AccessibleListOwner {
public:
    // The resources and the class outlive the pane.
    t_ItemListPane(const t_WidgetResources& resources, const t_WindowClass& paneClass, HWND parent, int controlId);
    ~t_ItemListPane() override;

    // The popup swaps the model with the mode; the model outlives its use here.
    void SetModel(t_ListModel& model);
    // Where the keys go that the pane does not take (not owned; it outlives the pane).
    void SetPopupKeys(t_PopupKeys& keys) noexcept { popupKeys_ = &keys; }
    t_ListModel* Model() const noexcept { return model_; }
    // The popup just showed: the next pointer move is the pointer resting where it was, which marks nothing.
    void IgnoreNextMove() noexcept { ignoreMove_ = true; }
    // After the model changed from outside the pane (a new query, elevated mode): repaints what it says and tells
    // screen readers of a new current row.
    void Refresh();

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint();
    void OnSize();
    void OnMouseMove(POINT point);
    void OnButtonDown(POINT point);
    void OnButtonUp(POINT point, bool byTouch);
    void OnPan(const t_Pan& pan);
    void EndDrag();
    void OnContextMenu(POINT screenPoint);
    void OnMouseLeave();
    void OnWheel(short delta);
    bool OnKey(WPARAM key);
    LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);

    // t_AccessibleListOwner
    HWND AccessibleWindow() const noexcept override { return Handle(); }
    t_AccessibleRows& AccessibleModel() noexcept override { return *model_; }
    void AccessibleActionDone() override { Refresh(); }

    const t_WidgetResources& resources_;
    t_ListModel* model_ = nullptr; // not owned
    t_PopupKeys* popupKeys_ = nullptr;
    // A press of the left button or a finger, and what it became: a slide of the row sideways or a drag of the list.
    t_PointerPress press_;
    bool ignoreMove_ = false;
    t_AccessibleObject accessible_{*this};
    std::optional<std::size_t> announcedRow_; // the current row screen readers were last told of
};

} // namespace n_ombrix

#pragma once
// The popup's right-hand pane, beside the item list, where the current application's jump list or the places list
// shows. The pane stands in its place with its colours; its rows come with the jump-list view.

#include "ui/window.h"

namespace n_ombrix {

class t_WidgetResources;
class t_WindowClass;

class t_SidePane final : public t_Window {
public:
    t_SidePane(const t_WidgetResources& resources, const t_WindowClass& paneClass, HWND parent, int controlId);

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    const t_WidgetResources& resources_;
};

} // namespace n_ombrix

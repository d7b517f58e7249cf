#include "ui/side_pane.h"

#include "ui/paint_buffer.h"
#include "ui/widget_resources.h"
#include "ui/window_class.h"

namespace n_ombrix {

t_SidePane::t_SidePane(const t_WidgetResources& resources, const t_WindowClass& paneClass, HWND parent, int controlId)
    : resources_(resources) {
    CreateWindowFor({.extendedStyle = WS_EX_NOPARENTNOTIFY,
                     .style = WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                     .className = paneClass.Name(),
                     .controlId = controlId},
                    parent);
}

LRESULT t_SidePane::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        const t_PaintBuffer paint(Handle());
        if (paint.Dc()) FillRect(paint.Dc(), &paint.UpdateRectangle(), resources_.Brush(t_BrushIndex::area));
        return 0;
    }
    default:
        return DefaultProcedure(message, wParam, lParam);
    }
}

} // namespace n_ombrix

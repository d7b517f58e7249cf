#include "settings/settings_window.h"

#include "resource_ids.h"
#include "settings/settings_control_ids.h"
#include "settings/settings_controls.h"

namespace n_ombrix {

namespace {

constexpr DWORD parentStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
// The smallest height the window can be dragged to.
constexpr LONG minimumHeight = 160;

} // namespace

t_SettingsWindow::t_SettingsWindow(HINSTANCE instance, t_SettingsContext& context)
    : context_(context), parentClass_(0, instance, context.resources.ArrowCursor(), L"Ombrix.Settings.Parent"),
      panelClass_(0, instance, context.resources.ArrowCursor(), L"Ombrix.Settings.Panel"),
      editorClass_(0, instance, context.resources.ArrowCursor(), L"Ombrix.Settings.Editor"),
      editor_(context, editorClass_.Name()) {}

// The windows go before their classes.
t_SettingsWindow::~t_SettingsWindow() {
    editor_.End();
    panel_.reset();
    DestroyWindowFor();
}

HWND t_SettingsWindow::Create() {
    // Its restored size; it is shown maximized.
    CreateWindowFor({.extendedStyle = WS_EX_CONTROLPARENT | WS_EX_APPWINDOW,
                     .style = parentStyle,
                     .className = parentClass_.Name(),
                     .x = CW_USEDEFAULT,
                     .y = CW_USEDEFAULT,
                     .width = context_.resources.Metrics().settingsWindowWidth,
                     .height = 640},
                    nullptr);

    context_.window = Handle();
    SetWindowTextW(Handle(), context_.String(IDS_SETTINGS_TITLE));
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(context_.resources.LargeIcon()));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(context_.resources.SmallIcon()));
    panel_ = std::make_unique<t_SettingsPanel>(context_, editor_, panelClass_.Name(), Handle());
    const HFONT font = context_.resources.GuiFont();
    okButton_ = CreateControl(Handle(), L"BUTTON", context_.String(IDS_OK), WS_TABSTOP | BS_DEFPUSHBUTTON,
                              n_settings_control::ok, font);
    cancelButton_ = CreateControl(Handle(), L"BUTTON", context_.String(IDS_CANCEL), WS_TABSTOP | BS_PUSHBUTTON,
                                  n_settings_control::cancel, font);
    Layout();
    return Handle();
}

void t_SettingsWindow::Layout() {
    RECT client{};
    GetClientRect(Handle(), &client);
    const t_WidgetMetrics& metrics = context_.resources.Metrics();
    const int margin = metrics.unit / 2, buttonWidth = 2 * metrics.buttonWidth, buttonHeight = metrics.unit + 6;
    const int buttonsTop = client.bottom - margin - buttonHeight;
    panel_->Place({0, 0, client.right, std::max<LONG>(0, buttonsTop - margin)});
    MoveWindow(cancelButton_, client.right - margin - buttonWidth, buttonsTop, buttonWidth, buttonHeight, TRUE);
    MoveWindow(okButton_, client.right - 2 * (margin + buttonWidth), buttonsTop, buttonWidth, buttonHeight, TRUE);
}

void t_SettingsWindow::End(bool keepChanges) noexcept {
    if (!keepChanges) context_.changed = false;
    editor_.End();
    PostQuitMessage(0);
}

LRESULT t_SettingsWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) End(true);
        if (LOWORD(wParam) == IDCANCEL) End(false);
        return 0;
    case WM_CLOSE:
        End(false);
        return 0;
    case WM_SIZE:
        if (panel_) Layout();
        return 0;
    case WM_GETMINMAXINFO:
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {context_.resources.SettingsMinimumWidth(),
                                                                 minimumHeight};
        return 0;
    case WM_MOUSEWHEEL:
    case WM_VSCROLL:
        if (panel_) return SendMessageW(panel_->Handle(), message, wParam, lParam);
        break;
    case WM_LBUTTONDOWN:
        if (panel_) SetFocus(panel_->Handle());
        return 0;
    case WM_ACTIVATE:
        // As a dialog does: the control that had the focus gets it back, else the first one.
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus && IsChild(Handle(), focus)) lastFocus_ = focus;
        } else if (!HIWORD(wParam)) {
            SetFocus(lastFocus_ && IsWindow(lastFocus_) && IsWindowEnabled(lastFocus_)
                         ? lastFocus_
                         : GetNextDlgTabItem(Handle(), nullptr, FALSE));
        }
        return 0;
    case WM_ERASEBKGND:
        return EraseWithSystemColor(Handle(), wParam, COLOR_3DFACE);
    default:
        break;
    }
    return DefaultProcedure(message, wParam, lParam);
}

} // namespace n_ombrix

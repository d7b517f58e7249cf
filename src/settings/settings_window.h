#pragma once
// The settings window: a top-level window with the scrolling panel of settings and, below it, OK and Cancel. It
// edits the host's configuration copy and ends the settings thread's loop when it is done: OK keeps the changed flag,
// Cancel and closing clear it. Its window classes are registered for its lifetime, on the settings thread.

#include "settings/executor_editor.h"
#include "settings/settings_context.h"
#include "settings/settings_panel.h"
#include "ui/window.h"
#include "ui/window_class.h"

#include <memory>

namespace n_ombrix {

class t_SettingsWindow final : public t_Window {
public:
    t_SettingsWindow(HINSTANCE instance, t_SettingsContext& context);
    ~t_SettingsWindow() override;

    // Builds the windows and gives the top-level one; a failure throws the Windows error exception.
    HWND Create();
    // Fills every control from the copy.
    void Load() { panel_->Load(); }
    // Shows it maximized, in front.
    void Show() const noexcept { ShowWindow(Handle(), SW_SHOWMAXIMIZED); }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Layout();
    void End(bool keepChanges) noexcept;

    t_SettingsContext& context_;
    t_WindowClass parentClass_;
    t_WindowClass panelClass_;
    t_WindowClass editorClass_;
    t_ExecutorEditor editor_;
    std::unique_ptr<t_SettingsPanel> panel_;
    HWND okButton_ = nullptr;
    HWND cancelButton_ = nullptr;
    HWND lastFocus_ = nullptr; // given back when the window is activated again
};

} // namespace n_ombrix

#pragma once
// The spine of the process: owns every long-lived part of the system, builds them in order, runs the message loop
// and tears them down in reverse order. One per process, on the user-interface thread.

#include "app/about_box.h"
#include "app/power_actions.h"
#include "app/process_environment.h"
#include "catalogue/catalogue.h"
#include "catalogue/catalogue_watcher.h"
#include "config/configuration.h"
#include "jumplists/current_jump_list.h"
#include "launch/default_launcher.h"
#include "settings/settings_window_host.h"
#include "taskbar/start_button_hook.h"
#include "ui/popup_owner.h"
#include "ui/popup_window.h"
#include "ui/widget_resources.h"

#include <memory>

namespace n_ombrix {

class t_Application final : private t_PopupOwner, private t_AboutBoxOwner {
public:
    // The whole start-up up to, but not including, the creation of windows.
    t_Application();
    t_Application(const t_Application&) = delete;
    t_Application& operator=(const t_Application&) = delete;
    ~t_Application();

    // Creates the windows, applies the configuration, runs the message loop, and saves on a normal end. Returns the
    // exit code. An exception caught by a window procedure during the loop is rethrown here.
    int Run();

    // Creates the data folder if needed and saves the state. A data folder that cannot be created throws.
    void SaveState();
    // Hands the configuration to the parts built from it; the catalogue is no longer busy afterwards.
    void ApplyConfiguration();
    // Empties the catalogue state before a configuration change (the launcher saves its histories and drops its
    // executors); the catalogue is busy until the next apply.
    void ResetCatalogueState();

    // The popup's commands.
    void ShowPopup(bool commandMode) override;
    void HidePopup() override;
    void SetCommandMode(bool on);
    void SetElevatedMode(bool on) override;
    void RunTypedCommand(const std::wstring& text, bool elevated) override;
    void LaunchCatalogueItem(const t_CatalogueItem& item, bool elevated) override;
    // Hides the popup first.
    void PowerAction(int number) override;
    // The system's settings changed (the wheel's lines per notch among them).
    void SystemSettingsChanged() override;
    // The desktop's theme or accent colour changed: the colours follow when the popup follows the Windows theme.
    void WindowsThemeChanged() override;
    // Takes the shell's Start button and Windows key over, anew; false when the shell has no taskbar to take (yet).
    bool AttachTaskbar();
    void TaskbarCreated() override;
    // Builds the catalogue again, unless the popup is showing: then right after it hides.
    void CatalogueChanged() override;
    // Opens the settings window on its own thread, or brings the open one to the front.
    void OpenSettingsWindow();
    // The settings thread has ended: its edits are taken over when accepted, and its host goes in any case.
    void SettingsWindowClosed(bool accepted) override;

    const t_ProcessEnvironment& Environment() const noexcept { return environment_; }
    const t_Configuration& Configuration() const noexcept { return configuration_; }
    bool Busy() const noexcept { return busy_; }
    bool CommandMode() const noexcept { return commandMode_; }
    bool ElevatedMode() const noexcept { return elevatedMode_; }
    t_CurrentJumpList& CurrentJumpList() noexcept { return currentJumpList_; }

private:
    void ToggleMode() override { SetCommandMode(!commandMode_); }
    void CurrentItemChanged(const t_CatalogueItem* item) override;
    void RunPlacesCommand(t_PlacesCommand command, const t_CatalogueItem* place) override;
    void ReloadCatalogue();
    void OpenHelp() override;
    void CloseRequested() override;
    void SessionEnding(bool ending) override;
    t_PopupSettings PopupSettings() const noexcept;
    void KeepPopupWidths();
    void WatchCatalogueSources();

    t_ProcessEnvironment environment_;
    t_Configuration configuration_;
    // The fonts, colours, bitmaps, strings and lengths every window draws with, and the item images.
    t_WidgetResources widgetResources_;
    // Makes the profile folder the current directory, which programs started from the command box inherit.
    t_DefaultLauncher launcher_;
    // Owns every item; the scan fills it and the search over it joins it.
    t_Catalogue catalogue_;
    // The jump list of the current item, which the side pane shows; the item list follows it.
    t_CurrentJumpList currentJumpList_;
    const t_PowerCalls powerCalls_ = PlatformPowerCalls();
    bool busy_ = true;
    bool commandMode_ = false;
    bool elevatedMode_ = false;
    // Created by Run(). The settings-window host and the taskbar integration follow it.
    std::unique_ptr<t_PopupWindow> popup_;
    t_JumpListHeaderTexts jumpListTexts_; // read with the popup
    t_AboutBox aboutBox_;
    // Present only while the settings window is open.
    std::unique_ptr<t_SettingsWindowHost> settingsWindowHost_;
    // Empty while the shell's Start button and Windows key are the shell's own.
    std::unique_ptr<t_StartButtonHook> startButtonHook_;
    bool attachingTaskbar_ = false;
    bool taskbarAnnounced_ = false; // while attaching
    // Made with each apply, after the popup it posts to; gone before it.
    std::unique_ptr<t_CatalogueWatcher> catalogueWatcher_;
    bool catalogueChangedWhileShown_ = false;
};

} // namespace n_ombrix

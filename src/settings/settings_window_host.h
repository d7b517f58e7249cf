#pragma once
// The settings window's thread and the little it shares with the user-interface thread: the popup's window, which
// hears of the end through MSG_SETTINGS_CLOSED; the settings window's handle; the abandoned and changed flags; and
// the configuration copy, the settings thread's alone until it has posted. Created, asked and destroyed on the
// user-interface thread only.

#include "config/configuration.h"
#include "system/unique_handle.h"
#include "ui/widget_resources.h"

#include <windows.h>

#include <atomic>
#include <exception>
#include <thread>

namespace n_ombrix {

class t_SettingsWindowHost {
public:
    // Starts the settings thread on a copy of the configuration.
    t_SettingsWindowHost(HWND popupWindow, const t_Configuration& configuration, HINSTANCE instance,
                         const t_WidgetResources& resources);
    t_SettingsWindowHost(const t_SettingsWindowHost&) = delete;
    t_SettingsWindowHost& operator=(const t_SettingsWindowHost&) = delete;
    // Stops: abandoned, WM_CLOSE to the window if it exists, and the thread joined, before any member goes.
    ~t_SettingsWindowHost();

    // A second request: the open window comes to the front; nothing while it is being made or after it closed.
    void BringToFront() const noexcept;
    // After MSG_SETTINGS_CLOSED: rethrows what the settings thread ended with, else gives the edited copy.
    const t_Configuration& Edited() const;

private:
    void Body(HINSTANCE instance) noexcept;

    const HWND popupWindow_;             // not owned; written before the thread starts
    const t_WidgetResources& resources_; // not owned; what the settings thread reads never changes
    std::atomic<HWND> settingsWindow_{nullptr};
    std::atomic<bool> abandoned_{false};
    std::atomic<bool> changed_{false};
    t_Configuration configuration_;
    std::exception_ptr failure_; // written by the settings thread before it posts
    // Set as the settings thread ends; the join waits for it while answering messages sent to this thread.
    n_zql::n_system::n_windows::t_Handle ended_;
    std::thread thread_; // last: starts once everything above exists
};

} // namespace n_ombrix

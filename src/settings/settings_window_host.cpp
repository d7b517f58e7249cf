#include "settings/settings_window_host.h"

#include "settings/settings_window.h"
#include "system/com_ptr.h"
#include "ui/message_loop.h"
#include "ui/window_messages.h"

namespace n_ombrix {

t_SettingsWindowHost::t_SettingsWindowHost(HWND popupWindow, const t_Configuration& configuration, HINSTANCE instance,
                                           const t_WidgetResources& resources)
    : popupWindow_(popupWindow), resources_(resources), configuration_(configuration),
      ended_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    if (!ended_) n_zql::n_system::n_windows::ThrowWin32Error(GetLastError());
    thread_ = std::thread(&t_SettingsWindowHost::Body, this, instance);
}

t_SettingsWindowHost::~t_SettingsWindowHost() {
    abandoned_ = true;
    if (const HWND window = settingsWindow_) PostMessageW(window, WM_CLOSE, 0, 0);
    // The settings thread's windows may still send to this thread's (activation moves as they go): those messages
    // are answered while waiting, so that neither thread waits on the other.
    const HANDLE ended = ended_.Get();
    while (MsgWaitForMultipleObjects(1, &ended, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
        MSG message{};
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    thread_.join();
}

void t_SettingsWindowHost::BringToFront() const noexcept {
    if (const HWND window = settingsWindow_) {
        if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
        SetForegroundWindow(window);
    }
}

const t_Configuration& t_SettingsWindowHost::Edited() const {
    if (failure_) std::rethrow_exception(failure_);
    return configuration_;
}

void t_SettingsWindowHost::Body(HINSTANCE instance) noexcept {
    try {
        // The file dialogs are COM objects of the apartment kind.
        const n_zql::n_system::n_windows::n_com::t_ComApartment apartment;
        t_SettingsContext context{
            .configuration = configuration_, .changed = changed_, .abandoned = abandoned_, .resources = resources_};
        t_SettingsWindow window(instance, context);
        try {
            settingsWindow_ = window.Create();
            window.Load();
            window.Show();
            // A WM_CLOSE posted before the handle was there would have been missed.
            if (abandoned_) PostMessageW(settingsWindow_, WM_CLOSE, 0, 0);
            t_MessageLoop::Run(settingsWindow_);
        } catch (...) {
            settingsWindow_ = nullptr;
            throw;
        }
        settingsWindow_ = nullptr;
    } catch (...) {
        failure_ = std::current_exception();
    }
    const bool take = changed_ && !abandoned_ && !failure_;
    SetEvent(ended_.Get());
    PostMessageW(popupWindow_, MSG_SETTINGS_CLOSED, 0, take ? 1 : 0);
}

} // namespace n_ombrix

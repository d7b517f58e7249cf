#pragma once
// What every part of the settings window works with: the configuration copy it edits, the flags it shares with the
// user-interface thread, the shared drawing resources it reads, and its top-level window (the owner of its dialogs).
// On the settings thread only.

#include "config/configuration.h"
#include "ui/widget_resources.h"

#include <windows.h>

#include <atomic>

namespace n_ombrix {

struct t_SettingsContext {
    t_Configuration& configuration;
    std::atomic<bool>& changed;
    const std::atomic<bool>& abandoned;
    const t_WidgetResources& resources;
    HWND window = nullptr; // the top-level window, once created

    const wchar_t* String(unsigned id) const noexcept { return resources.String(id); }
    void MarkChanged() noexcept { changed = true; }
    // After a modal dialog: true when the owner gave the window up meanwhile, and the settings loop then ends; the
    // caller changes nothing more.
    bool GivenUp() const noexcept {
        if (!abandoned) return false;
        PostQuitMessage(0);
        return true;
    }
};

} // namespace n_ombrix

#pragma once
// What the popup asks of the application: its commands and the system's notices that concern more than the popup.
// Implemented by the application; the popup holds the reference it was built with. Called on the user-interface
// thread, from inside the popup's message handlers.

#include "catalogue/places_list.h"

#include <string>

namespace n_ombrix {

class t_CatalogueItem;

class t_PopupOwner {
public:
    // The show request (the Start button, the Windows key, or a message): lParam 1 asked for the command mode.
    virtual void ShowPopup(bool commandMode) = 0;
    virtual void HidePopup() = 0;
    // Alt pressed (on) or released (off): launches are made with administrator rights meanwhile.
    virtual void SetElevatedMode(bool on) = 0;
    // The mode button: from the application list to the command box and back.
    virtual void ToggleMode() = 0;
    virtual void LaunchCatalogueItem(const t_CatalogueItem& item, bool elevated) = 0;
    virtual void RunTypedCommand(const std::wstring& text, bool elevated) = 0;
    // A row of the places list: a place (launched, not elevated) or one of the program's commands.
    virtual void RunPlacesCommand(t_PlacesCommand command, const t_CatalogueItem* place) = 0;
    // Power action 1 to 7: lock, sign out, display off, sleep, hibernate, restart, shut down.
    virtual void PowerAction(int number) = 0;
    // The item list's current entry, when it has a jump list; else null.
    virtual void CurrentItemChanged(const t_CatalogueItem* item) = 0;
    // WM_CLOSE: the program ends normally.
    virtual void CloseRequested() = 0;
    // WM_ENDSESSION: the session ends (or a log-off was cancelled, ending false).
    virtual void SessionEnding(bool ending) = 0;
    virtual void SystemSettingsChanged() = 0;
    virtual void WindowsThemeChanged() = 0;
    // The shell announced a new taskbar ("TaskbarCreated"): the Start button is taken over again.
    virtual void TaskbarCreated() = 0;
    // What the catalogue is built from changed, and no change has come for a while.
    virtual void CatalogueChanged() = 0;
    // The settings window ended; accepted when the user confirmed changes with OK.
    virtual void SettingsWindowClosed(bool accepted) = 0;

protected:
    t_PopupOwner() = default;
    t_PopupOwner(const t_PopupOwner&) = default;
    t_PopupOwner& operator=(const t_PopupOwner&) = default;
    ~t_PopupOwner() = default;
};

} // namespace n_ombrix

#pragma once
// What the panes and their models may ask of the popup. Implemented by the popup window; a pane or model holds the
// reference it was built with and never reaches the application. Called on the user-interface thread, from inside
// message handlers.

#include <string>

namespace n_ombrix {

class t_CatalogueItem;

class t_PopupHost {
public:
    // The item list's current entry changed: the entry if it has a jump list, else null; the side pane shows that
    // jump list or the places list.
    virtual void CurrentEntryChanged(const t_CatalogueItem* item) = 0;
    // The item list scrolled, was refilled or opened or closed a folder: the index repaints.
    virtual void ItemListMoved() = 0;
    // Puts text into the search box with change handling suspended, the caret at its end, and focuses the box.
    virtual void PutIntoSearchBox(const std::wstring& text) = 0;
    // Launches the entry (elevated: with administrator rights) and hides the popup.
    virtual void LaunchEntry(const t_CatalogueItem& item, bool elevated) = 0;
    // Runs a command of the history as if it had been typed and Enter pressed.
    virtual void RunCommand(const std::wstring& text, bool elevated) = 0;
    // Set while a context menu is tracked: pointer input to the panes is ignored meanwhile.
    virtual void SetMenuOpen(bool open) = 0;

    virtual ~t_PopupHost() = default;

protected:
    t_PopupHost() = default;
    t_PopupHost(const t_PopupHost&) = default;
    t_PopupHost& operator=(const t_PopupHost&) = default;
};

} // namespace n_ombrix

#pragma once
// A list of the settings panel with its add and remove buttons: a click on either reaches Add or Remove, and Remove
// is enabled while a row is selected. On the settings thread.

#include <windows.h>

#include <commctrl.h>

#include <optional>

namespace n_ombrix {

class t_ListWithButtons {
public:
    t_ListWithButtons(HWND list, HWND addButton, HWND removeButton) noexcept
        : list_(list), addButton_(addButton), removeButton_(removeButton) {}
    t_ListWithButtons(const t_ListWithButtons&) = delete;
    t_ListWithButtons& operator=(const t_ListWithButtons&) = delete;
    virtual ~t_ListWithButtons() = default;

    // A click on the add or remove button (by control identifier); true when it was one of them.
    bool Command(int id);

protected:
    virtual void Add() = 0;
    virtual void Remove() = 0;
    virtual void EditSelected() = 0;
    // What every list does with the list view's notifications: F2 and a double-click edit the selected row, and the
    // remove button follows the selection. Nothing for another notification.
    std::optional<LRESULT> NotifyEditing(const NMHDR& header);
    void EnableRemove() const noexcept;

    const HWND list_;

private:
    const HWND addButton_;
    const HWND removeButton_;
};

} // namespace n_ombrix

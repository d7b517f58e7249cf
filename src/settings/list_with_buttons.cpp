#include "settings/list_with_buttons.h"

#include "settings/settings_controls.h"

namespace n_ombrix {

bool t_ListWithButtons::Command(int id) {
    if (id == GetDlgCtrlID(addButton_))
        Add();
    else if (id == GetDlgCtrlID(removeButton_))
        Remove();
    else
        return false;
    return true;
}

void t_ListWithButtons::EnableRemove() const noexcept { EnableForSelection(list_, removeButton_); }

} // namespace n_ombrix

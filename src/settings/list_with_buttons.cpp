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

std::optional<LRESULT> t_ListWithButtons::NotifyEditing(const NMHDR& header) {
    switch (header.code) {
    case LVN_KEYDOWN:
        if (reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey != VK_F2) return std::nullopt;
        EditSelected();
        return 0;
    case NM_DBLCLK:
        EditSelected();
        return 0;
    case LVN_ITEMCHANGED:
        EnableRemove();
        return 0;
    default:
        return std::nullopt;
    }
}

void t_ListWithButtons::EnableRemove() const noexcept { EnableForSelection(list_, removeButton_); }

} // namespace n_ombrix

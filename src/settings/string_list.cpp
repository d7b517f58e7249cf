#include "settings/string_list.h"

#include "resource_ids.h"
#include "settings/file_dialogs.h"
#include "settings/settings_controls.h"
#include "settings/settings_edits.h"

#include <commctrl.h>

#include <algorithm>

namespace n_ombrix {

t_StringList::t_StringList(t_SettingsContext& context, std::vector<std::wstring>& entries, t_Entries kind, HWND list,
                           HWND addButton, HWND removeButton)
    : t_ListWithButtons(list, addButton, removeButton), context_(context), entries_(entries), kind_(kind) {
    AddColumn(list_, 0);
}

void t_StringList::Load() {
    SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
    for (std::size_t row = 0; row < entries_.size(); ++row) InsertRow(list_, static_cast<int>(row), entries_[row]);
    EnableRemove();
}

void t_StringList::Add() {
    if (kind_ == t_Entries::patterns) {
        // A new empty row, typed into at once; an edit that ends empty takes it away again.
        entries_.emplace_back();
        const int row = InsertRow(list_, static_cast<int>(entries_.size()) - 1, L"");
        SetFocus(list_);
        SelectRow(list_, row);
        SendMessageW(list_, LVM_EDITLABELW, static_cast<WPARAM>(row), 0);
        return;
    }
    const std::optional<std::wstring> folder =
        ShowFileDialog(context_.window, {.purpose = t_FileDialogPurpose::locations,
                                         .kind = t_FileDialogKind::pickFolder,
                                         .title = context_.String(IDS_CHOOSE_FOLDER)});
    if (context_.GivenUp() || !folder || folder->empty()) return;
    entries_.push_back(*folder);
    SelectRow(list_, InsertRow(list_, static_cast<int>(entries_.size()) - 1, *folder));
    context_.MarkChanged();
}

void t_StringList::Remove() {
    const int row = SelectedRow(list_);
    if (row < 0 || static_cast<std::size_t>(row) >= entries_.size()) return;
    entries_.erase(entries_.begin() + row);
    DeleteRow(list_, row);
    context_.MarkChanged();
    EnableRemove();
}

void t_StringList::EditSelected() {
    const int row = SelectedRow(list_);
    if (row >= 0) SendMessageW(list_, LVM_EDITLABELW, static_cast<WPARAM>(row), 0);
}

bool t_StringList::EndEdit(int row, const wchar_t* text) {
    if (row < 0 || static_cast<std::size_t>(row) >= entries_.size()) return false;
    std::wstring& entry = entries_[static_cast<std::size_t>(row)];
    const std::optional<std::wstring> edited = EntryAfterLabelEdit(entry, text, kind_ == t_Entries::patterns);
    if (!edited) {
        if (!entry.empty()) context_.MarkChanged();
        entries_.erase(entries_.begin() + row);
        // The list is still inside its edit: the row goes once it is out of it.
        PostMessageW(list_, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
        return false;
    }
    if (*edited != entry) {
        entry = *edited;
        context_.MarkChanged();
    }
    // The row shows the entry as stored (a pattern in upper case), not as typed.
    SetCellText(list_, row, 0, entry);
    return false;
}

std::optional<LRESULT> t_StringList::Notify(const NMHDR& header) {
    switch (header.code) {
    case LVN_BEGINLABELEDITW:
        return FALSE;
    case LVN_ENDLABELEDITW: {
        const LVITEMW& item = reinterpret_cast<const NMLVDISPINFOW&>(header).item;
        return EndEdit(item.iItem, item.pszText);
    }
    default:
        return NotifyEditing(header);
    }
}

void t_StringList::FitColumn() const noexcept { SendMessageW(list_, LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE_USEHEADER); }

} // namespace n_ombrix

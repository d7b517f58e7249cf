#pragma once
// One of the settings window's three lists of texts (the application folders, the folders in Places, the hidden-
// shortcut patterns) with its add and remove buttons: rows mirror the entries of the copy, labels are edited in place,
// folders are added through the folder picker and patterns by typing a new row. On the settings thread.

#include "settings/list_with_buttons.h"
#include "settings/settings_context.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace n_ombrix {

class t_StringList final : public t_ListWithButtons {
public:
    enum class t_Entries : std::uint8_t { folders, patterns };

    t_StringList(t_SettingsContext& context, std::vector<std::wstring>& entries, t_Entries kind, HWND list,
                 HWND addButton, HWND removeButton);

    void Load();
    // The list's notifications; the result goes back to the list when taken.
    std::optional<LRESULT> Notify(const NMHDR& header);
    void FitColumn() const noexcept;

private:
    void Add() override;
    void Remove() override;
    void EditSelected() override;
    bool EndEdit(int row, const wchar_t* text);

    t_SettingsContext& context_;
    std::vector<std::wstring>& entries_; // a list of the copy
    const t_Entries kind_;
};

} // namespace n_ombrix

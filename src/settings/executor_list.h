#pragma once
// The settings window's list of custom executors: a row per executor with its short name, its program and command
// line, and its working folder. Executors are added and edited in the executor editor, removed, and reordered by
// dragging one row onto another (the order of the run box's executor selector). On the settings thread.

#include "settings/executor_editor.h"
#include "settings/list_with_buttons.h"
#include "settings/settings_context.h"

#include <windows.h>

#include <optional>

namespace n_ombrix {

class t_ExecutorList final : public t_ListWithButtons {
public:
    // The panel takes the pointer during a drag and hands its release here.
    t_ExecutorList(t_SettingsContext& context, t_ExecutorEditor& editor, HWND panel, HWND list, HWND addButton,
                   HWND removeButton);

    void Load();
    std::optional<LRESULT> Notify(const NMHDR& header);
    // The panel's pointer messages while a drag runs: the release over a row swaps the two executors.
    bool Dragging() const noexcept { return dragged_ >= 0; }
    void Drop(POINT screenPoint);
    void CancelDrag() noexcept;
    void FitColumns() const noexcept;

private:
    void Add() override;
    void Remove() override;
    void EditSelected() override;
    void ShowRow(int row) const;

    t_SettingsContext& context_;
    t_ExecutorEditor& editor_;
    HWND panel_;
    int dragged_ = -1; // the row being dragged
};

} // namespace n_ombrix

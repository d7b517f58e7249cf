#include "settings/executor_list.h"

#include "launch/command_template.h"
#include "settings/settings_controls.h"
#include "settings/settings_edits.h"

#include <commctrl.h>

#include <algorithm>

namespace n_ombrix {

t_ExecutorList::t_ExecutorList(t_SettingsContext& context, t_ExecutorEditor& editor, HWND panel, HWND list,
                               HWND addButton, HWND removeButton)
    : t_ListWithButtons(list, addButton, removeButton), context_(context), editor_(editor), panel_(panel) {
    for (int column = 0; column < 3; ++column) AddColumn(list_, column);
}

void t_ExecutorList::Load() {
    SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
    const auto& executors = context_.configuration.customExecutors;
    for (std::size_t row = 0; row < executors.size(); ++row) {
        InsertRow(list_, static_cast<int>(row), L"");
        ShowRow(static_cast<int>(row));
    }
    EnableRemove();
}

void t_ExecutorList::ShowRow(int row) const {
    const t_LaunchItem& executor = context_.configuration.customExecutors[static_cast<std::size_t>(row)];
    SetCellText(list_, row, 0, executor.shortCaption);
    SetCellText(list_, row, 1, L"\"" + executor.executablePath + L"\" " + executor.commandLineTemplate);
    SetCellText(list_, row, 2, executor.workDir);
}

void t_ExecutorList::Add() {
    // Edited aside and appended only when it can run.
    t_LaunchItem executor;
    executor.commandLineTemplate = typedCommandPlaceholder;
    if (!editor_.Edit(executor) || !IsKeptExecutor(executor)) return;
    auto& executors = context_.configuration.customExecutors;
    executors.push_back(executor);
    const int row = InsertRow(list_, static_cast<int>(executors.size()) - 1, L"");
    ShowRow(row);
    SelectRow(list_, row);
    context_.MarkChanged();
}

void t_ExecutorList::EditSelected() {
    const int row = SelectedRow(list_);
    auto& executors = context_.configuration.customExecutors;
    if (row < 0 || static_cast<std::size_t>(row) >= executors.size()) return;
    t_LaunchItem executor = executors[static_cast<std::size_t>(row)];
    if (!editor_.Edit(executor)) return;
    context_.MarkChanged();
    if (IsKeptExecutor(executor)) {
        executors[static_cast<std::size_t>(row)] = executor;
        ShowRow(row);
        return;
    }
    executors.erase(executors.begin() + row);
    SendMessageW(list_, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
    EnableRemove();
}

void t_ExecutorList::Remove() {
    const int row = SelectedRow(list_);
    auto& executors = context_.configuration.customExecutors;
    if (row < 0 || static_cast<std::size_t>(row) >= executors.size()) return;
    executors.erase(executors.begin() + row);
    DeleteRow(list_, row);
    context_.MarkChanged();
    EnableRemove();
}

std::optional<LRESULT> t_ExecutorList::Notify(const NMHDR& header) {
    switch (header.code) {
    case LVN_BEGINDRAG: {
        // The pointer stays over the list until the release.
        dragged_ = reinterpret_cast<const NMLISTVIEW&>(header).iItem;
        RECT bounds{};
        GetWindowRect(list_, &bounds);
        SetCapture(panel_);
        ClipCursor(&bounds);
        return 0;
    }
    default:
        return NotifyEditing(header);
    }
}

void t_ExecutorList::Drop(POINT screenPoint) {
    const int from = dragged_;
    CancelDrag();
    LVHITTESTINFO hit{};
    hit.pt = screenPoint;
    ScreenToClient(list_, &hit.pt);
    const int to = static_cast<int>(SendMessageW(list_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    auto& executors = context_.configuration.customExecutors;
    if (from < 0 || to < 0 || from == to || static_cast<std::size_t>(std::max(from, to)) >= executors.size()) return;
    std::swap(executors[static_cast<std::size_t>(from)], executors[static_cast<std::size_t>(to)]);
    ShowRow(from);
    ShowRow(to);
    SelectRow(list_, to);
    context_.MarkChanged();
}

void t_ExecutorList::CancelDrag() noexcept {
    if (dragged_ < 0) return;
    dragged_ = -1;
    ClipCursor(nullptr);
    if (GetCapture() == panel_) ReleaseCapture();
}

void t_ExecutorList::FitColumns() const noexcept {
    RECT client{};
    GetClientRect(list_, &client);
    const int width = client.right - client.left, caption = width / 6, workDir = width / 4;
    SendMessageW(list_, LVM_SETCOLUMNWIDTH, 0, caption);
    SendMessageW(list_, LVM_SETCOLUMNWIDTH, 1, width - caption - workDir);
    SendMessageW(list_, LVM_SETCOLUMNWIDTH, 2, workDir);
}

} // namespace n_ombrix

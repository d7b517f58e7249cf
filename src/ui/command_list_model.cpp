#include "ui/command_list_model.h"

#include "launch/default_launcher.h"
#include "system/unique_handle.h"
#include "ui/drawing.h"
#include "ui/list_row_painting.h"
#include "ui/popup_host.h"
#include "ui/widget_resources.h"

#include "resource_ids.h"

#include <algorithm>

namespace n_ombrix {

t_CommandListModel::t_CommandListModel(t_WidgetResources& resources, t_PopupHost& host, t_DefaultLauncher& launcher)
    : resources_(resources), host_(host), launcher_(launcher) {
    ApplyMetrics(false);
}

void t_CommandListModel::ApplyMetrics(bool compact) {
    metrics_ = t_RowMetrics::For(resources_.Metrics(), compact ? resources_.TextHeight16() : resources_.TextHeight20(),
                                 compact, true);
    rows_.SetRowMetrics(metrics_.rowHeight, metrics_.slideRange, metrics_.dragWidth);
    elevationImage_ = LoadElevationImage(resources_.IconStore(), !compact);
}

void t_CommandListModel::Fill(bool textTyped) {
    textTyped_ = textTyped;
    rows_.Fill(std::vector<t_RowTraits>(launcher_.Candidates().Count()), false);
}

t_EmptyListText t_CommandListModel::EmptyText() const noexcept {
    if (!rows_.Rows().empty()) return t_EmptyListText::none;
    return textTyped_ ? t_EmptyListText::noMatches : t_EmptyListText::nothingTyped;
}

const std::wstring& t_CommandListModel::CommandOf(std::size_t row) const noexcept {
    return launcher_.Candidates()[row];
}

void t_CommandListModel::Run(std::size_t row, bool elevated) {
    // A successful run puts the command at the front of the history, which changes the candidates: the popup gets a
    // copy, and the rows follow the candidates afterwards.
    const std::wstring command = CommandOf(row);
    host_.RunCommand(command, elevated);
    if (rows_.Rows().size() != launcher_.Candidates().Count()) Fill(textTyped_);
}

void t_CommandListModel::Remove(std::size_t row) {
    const std::int32_t offset = rows_.Offset();
    launcher_.RemoveCandidate(row);
    Fill(textTyped_);
    rows_.ScrollBy(offset);
    if (!rows_.Rows().empty()) rows_.SetCurrent(std::min(row, rows_.Rows().size() - 1));
}

void t_CommandListModel::ClearHistory() {
    launcher_.ClearHistory();
    Fill(textTyped_);
}

void t_CommandListModel::ActivateCurrent() {
    if (const std::optional<std::size_t> current = rows_.Current()) Run(*current, rows_.Highlights().elevatedMode);
}

void t_CommandListModel::LaunchCurrent() { ActivateCurrent(); }

void t_CommandListModel::DeleteCurrent() {
    if (const std::optional<std::size_t> current = rows_.Current()) Remove(*current);
}

void t_CommandListModel::ContextMenuAt(HWND owner, POINT screenPoint) {
    const std::optional<std::size_t> current = rows_.Current();
    if (!current) return;
    host_.SetMenuOpen(true);
    const UINT command = PopupMenu(resources_.ContextMenus(), 2, screenPoint.x, screenPoint.y, owner);
    host_.SetMenuOpen(false);
    if (rows_.Current() != current) return;
    switch (command) {
    case IDC_OPEN:
        Run(*current, rows_.Highlights().elevatedMode);
        return;
    case IDC_OPEN_ELEVATED:
        Run(*current, true);
        return;
    case IDC_COPY_TO_SEARCH:
        host_.PutIntoSearchBox(CommandOf(*current));
        return;
    case IDC_REMOVE:
        Remove(*current);
        return;
    case IDC_CLEAR_LIST:
        ClearHistory();
        return;
    default:
        return;
    }
}

void t_CommandListModel::EndSlide() {
    const std::optional<std::size_t> current = rows_.Current();
    switch (rows_.EndSlide()) {
    case t_SlideEnd::copyCommand:
        host_.PutIntoSearchBox(CommandOf(*current));
        return;
    case t_SlideEnd::launchElevated:
        Run(*current, true);
        return;
    case t_SlideEnd::springBack:
        return;
    }
}

std::wstring t_CommandListModel::CommandTextOfCurrent() const {
    const std::optional<std::size_t> current = rows_.Current();
    return current ? CommandOf(*current) : std::wstring();
}

void t_CommandListModel::HoverAt(std::int32_t, std::int32_t y) {
    if (const std::optional<std::size_t> row = rows_.RowAt(y)) rows_.SetCurrent(row);
}

void t_CommandListModel::ClickAt(std::int32_t, std::int32_t y) {
    if (const std::optional<std::size_t> row = rows_.RowAt(y)) ActivateRow(*row);
}

void t_CommandListModel::Wheel(int notches) {
    rows_.Wheel(notches, resources_.WheelLines(), resources_.WheelScrollsPages());
}

void t_CommandListModel::SelectRow(std::size_t row) {
    if (row < rows_.Rows().size()) rows_.SetCurrent(row);
}

void t_CommandListModel::ActivateRow(std::size_t row) {
    if (row >= rows_.Rows().size()) return;
    rows_.SetCurrent(row);
    Run(row, rows_.Highlights().elevatedMode);
}

void t_CommandListModel::Paint(HDC dc, const RECT& update) {
    PaintList(dc, update, resources_, rows_, EmptyText(),
              [&](HDC imageDc, const t_VisibleRow& visible) { PaintRow(dc, imageDc, visible); });
}

void t_CommandListModel::PaintRow(HDC dc, HDC imageDc, const t_VisibleRow& visible) const {
    const t_RowHighlights& highlights = rows_.Highlights();
    const t_RowGeometry geometry = CommandRowGeometry(metrics_, rows_.Width(), visible.top);
    const bool highlighted = visible.row == highlights.current || visible.row == highlights.preliminary;
    const bool elevated = rows_.Elevated(visible.row);
    if (highlighted) FillHighlight(dc, ToRect(geometry.row), resources_, HighlightState(true, elevated));
    const t_Color color = resources_.Color(TextColor(t_BlockPart::text, highlighted, true, elevated));

    const std::wstring& command = CommandOf(visible.row);
    const HFONT firstFont = metrics_.compact ? resources_.Font16() : resources_.Font20();
    const std::int32_t slide = visible.row == highlights.current ? highlights.slide : 0;
    const std::int32_t shift = elevated ? metrics_.slideRange : std::max(slide, 0);
    RECT first = ToRect(geometry.caption);
    first.right -= shift;
    if (metrics_.compact) {
        DrawTextIn(dc, firstFont, color, command, first, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    } else {
        // As much as fits on the first line in its font; the rest goes on the second line.
        int fits = 0;
        SIZE size{};
        {
            const n_zql::n_system::n_windows::n_graphics::n_gdi::t_Selection font(dc, firstFont);
            GetTextExtentExPointW(dc, command.data(), static_cast<int>(command.size()), first.right - first.left, &fits,
                                  nullptr, &size);
        }
        const std::wstring_view text(command);
        DrawTextIn(dc, firstFont, color, text.substr(0, static_cast<std::size_t>(fits)), first,
                   DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        RECT second = ToRect(geometry.secondary);
        second.right -= shift;
        if (static_cast<std::size_t>(fits) < text.size())
            DrawTextIn(dc, resources_.Font16(), color, text.substr(static_cast<std::size_t>(fits)), second,
                       DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    PaintElevationImage(dc, imageDc, elevationImage_, metrics_, geometry.row, slide, elevated);
}

} // namespace n_ombrix

#include "ui/application_list_model.h"

#include "catalogue/catalogue_item.h"
#include "system/upper_case.h"
#include "ui/drawing.h"
#include "ui/list_row_painting.h"
#include "ui/popup_host.h"
#include "ui/widget_resources.h"

#include "resource_ids.h"

#include <algorithm>

namespace n_ombrix {

namespace {

constexpr UINT textFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;

} // namespace

t_ApplicationListModel::t_ApplicationListModel(t_WidgetResources& resources, t_PopupHost& host)
    : resources_(resources), host_(host), index_(resources.Metrics().rowHeight) {
    ApplyMetrics(false, true);
}

void t_ApplicationListModel::ApplyMetrics(bool compact, bool showIcons) {
    metrics_ = t_RowMetrics::For(resources_.Metrics(), compact ? resources_.TextHeight16() : resources_.TextHeight20(),
                                 compact, showIcons);
    rows_.SetRowMetrics(metrics_.rowHeight, metrics_.slideRange, metrics_.dragWidth);
    elevationImage_ = LoadElevationImage(resources_.IconStore(), !compact);
}

t_RowTraits t_ApplicationListModel::TraitsOf(std::uint32_t entry) const noexcept {
    const t_CatalogueItem& item = *entries_[entry];
    const std::wstring& name = item.DisplayName();
    return {.entry = entry,
            .initial = name.empty() ? L'\0' : n_zql::n_system::UpperCased(name.front()),
            .folder = item.IsFolder(),
            .launchable = item.IsLaunchable(),
            .jumpList = item.HasJumpList(),
            .secondaryText = item.HasDescription()};
}

void t_ApplicationListModel::Fill(std::span<t_CatalogueItem* const> items, bool searchResults) {
    entries_.assign(items.begin(), items.end());
    std::vector<t_RowTraits> rows;
    rows.reserve(entries_.size());
    for (std::uint32_t entry = 0; entry < entries_.size(); ++entry) rows.push_back(TraitsOf(entry));
    searchResults_ = searchResults;
    rows_.Fill(std::move(rows), searchResults);
    forward_ = false;
}

void t_ApplicationListModel::Clear() {
    Fill({}, false);
    Settle();
}

t_EmptyListText t_ApplicationListModel::EmptyText() const noexcept {
    if (!rows_.Rows().empty()) return t_EmptyListText::none;
    return searchResults_ ? t_EmptyListText::noMatches : t_EmptyListText::emptyCatalogue;
}

void t_ApplicationListModel::ShowRow(std::size_t row) {
    forward_ = row * rows_.RowHeight() >= static_cast<std::size_t>(rows_.Offset());
    rows_.ShowAtTop(row);
}

void t_ApplicationListModel::OpenFolder(std::size_t row) {
    const t_CatalogueItem& folder = EntryOf(row);
    std::vector<t_RowTraits> children;
    for (t_CatalogueItem* child : folder.GetChildren()) {
        entries_.push_back(child);
        children.push_back(TraitsOf(static_cast<std::uint32_t>(entries_.size() - 1)));
    }
    rows_.Open(row, children);
    forward_ = true;
}

void t_ApplicationListModel::CloseFolder(std::size_t row) {
    rows_.Close(row);
    forward_ = false;
}

void t_ApplicationListModel::ToggleCurrent() {
    const std::optional<std::size_t> current = rows_.Current();
    if (!current || !rows_.Rows()[*current].folder) return;
    if (rows_.Rows()[*current].open)
        CloseFolder(*current);
    else
        OpenFolder(*current);
}

void t_ApplicationListModel::CloseCurrent() {
    if (const std::optional<std::size_t> current = rows_.Current(); current && rows_.Rows()[*current].open)
        CloseFolder(*current);
}

void t_ApplicationListModel::OpenCurrent() {
    const std::optional<std::size_t> current = rows_.Current();
    if (current && rows_.Rows()[*current].folder && !rows_.Rows()[*current].open) OpenFolder(*current);
}

void t_ApplicationListModel::Activate(std::size_t row) {
    rows_.SetCurrent(row);
    if (rows_.Rows()[row].folder)
        ToggleCurrent();
    else
        Launch(row, rows_.Highlights().elevatedMode);
}

void t_ApplicationListModel::ActivateCurrent() {
    if (const std::optional<std::size_t> current = rows_.Current()) Activate(*current);
}

void t_ApplicationListModel::Launch(std::size_t row, bool elevated) {
    if (rows_.Rows()[row].launchable) host_.LaunchEntry(EntryOf(row), elevated);
}

void t_ApplicationListModel::LaunchCurrent() {
    if (const std::optional<std::size_t> current = rows_.Current()) Launch(*current, rows_.Highlights().elevatedMode);
}

void t_ApplicationListModel::DeleteCurrent() { MessageBeep(MB_ICONASTERISK); }

void t_ApplicationListModel::SecondDelete() { MessageBeep(MB_ICONASTERISK); }

void t_ApplicationListModel::CopyCommand(std::size_t row) {
    const t_CatalogueItem& item = EntryOf(row);
    if (item.HasCommandLine())
        host_.PutIntoSearchBox(item.GetCommandLine());
    else
        MessageBeep(MB_ICONASTERISK);
}

void t_ApplicationListModel::ContextMenuAt(HWND owner, POINT screenPoint) {
    const std::optional<std::size_t> current = rows_.Current();
    if (!current || !rows_.Rows()[*current].launchable) return;
    host_.SetMenuOpen(true);
    const UINT command = PopupMenu(resources_.ContextMenus(), 1, screenPoint.x, screenPoint.y, owner);
    host_.SetMenuOpen(false);
    // The menu's own loop may have changed the list: act only on the entry it was opened for.
    if (rows_.Current() != current) return;
    switch (command) {
    case IDC_OPEN:
        Launch(*current, rows_.Highlights().elevatedMode);
        return;
    case IDC_OPEN_ELEVATED:
        Launch(*current, true);
        return;
    case IDC_COPY_TO_SEARCH:
        CopyCommand(*current);
        return;
    default:
        return;
    }
}

void t_ApplicationListModel::BeginSlide(std::int32_t, std::int32_t y) { rows_.BeginSlide(y); }

void t_ApplicationListModel::SlideBy(std::int32_t dx) { rows_.SlideBy(dx); }

void t_ApplicationListModel::EndSlide() {
    const std::optional<std::size_t> current = rows_.Current();
    switch (rows_.EndSlide()) {
    case t_SlideEnd::copyCommand:
        if (EntryOf(*current).HasCommandLine()) host_.PutIntoSearchBox(EntryOf(*current).GetCommandLine());
        return;
    case t_SlideEnd::launchElevated:
        Launch(*current, true);
        return;
    case t_SlideEnd::springBack:
        return;
    }
}

void t_ApplicationListModel::ScrollBy(std::int32_t dy) {
    forward_ = dy > 0;
    rows_.ScrollBy(dy);
}

void t_ApplicationListModel::First() {
    forward_ = false;
    rows_.Home();
}

void t_ApplicationListModel::JumpTo(wchar_t character) {
    if (rows_.Fits()) return;
    if (const std::optional<std::size_t> row = index_.FirstRowOf(character)) ShowRow(*row);
}

void t_ApplicationListModel::PageUp() {
    forward_ = false;
    rows_.PageUp();
}

void t_ApplicationListModel::Up() {
    forward_ = false;
    rows_.Up();
}

void t_ApplicationListModel::Down() {
    forward_ = true;
    rows_.Down();
}

void t_ApplicationListModel::PageDown() {
    forward_ = true;
    rows_.PageDown();
}

void t_ApplicationListModel::Last() {
    forward_ = true;
    rows_.End();
}

void t_ApplicationListModel::FocusGained() { rows_.FocusGained(); }

void t_ApplicationListModel::PointerLeft() { rows_.PointerLeft(); }

std::wstring t_ApplicationListModel::CommandTextOfCurrent() const {
    const std::optional<std::size_t> current = rows_.Current();
    if (!current || !EntryOf(*current).HasCommandLine()) return {};
    return EntryOf(*current).GetCommandLine();
}

void t_ApplicationListModel::ElevatedModeChanged(bool on) { rows_.SetElevatedMode(on); }

void t_ApplicationListModel::Resize(std::int32_t width, std::int32_t height) {
    forward_ = false;
    rows_.Resize(width, height);
}

void t_ApplicationListModel::PointerAt(std::int32_t, std::int32_t y) { rows_.PointAt(y); }

void t_ApplicationListModel::HoverAt(std::int32_t, std::int32_t y) {
    const std::optional<std::size_t> row = rows_.RowAt(y);
    if (!row) return;
    rows_.SetCurrent(row);
    if (rows_.Rows()[*row].folder && !rows_.Rows()[*row].open) OpenFolder(*row);
}

void t_ApplicationListModel::ClickAt(std::int32_t, std::int32_t y) {
    if (const std::optional<std::size_t> row = rows_.RowAt(y)) Activate(*row);
}

void t_ApplicationListModel::Wheel(int notches) {
    forward_ = notches < 0;
    rows_.Wheel(notches, resources_.WheelLines(), resources_.WheelScrollsPages());
}

std::wstring t_ApplicationListModel::RowAction(std::size_t row) const {
    const t_RowTraits& traits = rows_.Rows()[row];
    if (traits.folder) return traits.open ? L"Collapse" : L"Expand";
    return traits.launchable ? L"Open" : L"";
}

void t_ApplicationListModel::SelectRow(std::size_t row) {
    if (row < rows_.Rows().size()) rows_.SetCurrent(row);
}

void t_ApplicationListModel::ActivateRow(std::size_t row) {
    if (row < rows_.Rows().size()) Activate(row);
}

t_ListRepaint t_ApplicationListModel::Settle() {
    const std::optional<std::size_t> current = rows_.Current();
    const t_CatalogueItem* shown = current && rows_.Rows()[*current].jumpList ? &EntryOf(*current) : nullptr;
    if (shown != announced_) {
        announced_ = shown;
        host_.CurrentEntryChanged(shown);
    }

    t_RowListChanges changes = rows_.Settle();
    if (changes.rowsPlaced) {
        std::vector<wchar_t> initials;
        initials.reserve(rows_.Rows().size());
        for (const t_RowTraits& row : rows_.Rows()) initials.push_back(row.initial);
        index_.Rebuild(initials);
    }
    if (changes.moved) {
        if (!rows_.VisibleRows().empty()) {
            const t_VisibleRow& first = rows_.VisibleRows().front();
            const t_VisibleRow& last = rows_.VisibleRows().back();
            index_.Synchronise({.firstRow = first.row,
                                .firstTop = first.top,
                                .lastRow = last.row,
                                .lastBottom = last.top + rows_.RowHeight(),
                                .rowHeight = rows_.RowHeight(),
                                .paneHeight = rows_.Height()},
                               forward_ ? t_IndexDirection::forward : t_IndexDirection::backward);
        }
        host_.ItemListMoved();
    }
    return std::move(changes.repaint);
}

t_RowGeometry t_ApplicationListModel::GeometryOf(std::size_t row, std::int32_t top) const noexcept {
    const t_RowTraits& traits = rows_.Rows()[row];
    return RowGeometry(metrics_, rows_.Width(), top, traits.depth, traits.jumpList, traits.secondaryText);
}

void t_ApplicationListModel::Paint(HDC dc, const RECT& update) {
    PaintList(dc, update, resources_, rows_, EmptyText(),
              [&](HDC imageDc, const t_VisibleRow& visible) { PaintRow(dc, imageDc, visible); });
}

void t_ApplicationListModel::PaintRow(HDC dc, HDC imageDc, const t_VisibleRow& visible) const {
    const t_RowTraits& traits = rows_.Rows()[visible.row];
    const t_RowHighlights& highlights = rows_.Highlights();
    const t_CatalogueItem& item = *entries_[traits.entry];
    const t_RowGeometry geometry = GeometryOf(visible.row, visible.top);
    const bool selected = visible.row == highlights.current;
    const bool preliminary = visible.row == highlights.preliminary;
    const bool glyphOnly = selected && highlights.glyphHighlight;
    const bool elevated = rows_.Elevated(visible.row);
    const RECT row = ToRect(geometry.row);

    // The background: the highlight, or the seam line where the endless list starts over.
    if (selected || preliminary) {
        const t_HighlightState state = HighlightState(selected, elevated);
        if (traits.jumpList && glyphOnly)
            FillSplitHighlight(dc, row, ToRect(geometry.glyphColumn), resources_, state);
        else
            FillHighlight(dc, row, resources_, state);
    } else if (visible.row == rows_.SeamRow()) {
        FillHorizontalLine(dc, resources_.Brush(t_BrushIndex::separator), 4, rows_.Width() - 4, row.bottom - 1);
    }

    const std::int32_t slide = selected ? highlights.slide : 0;
    const std::int32_t shift = elevated ? metrics_.slideRange : std::max(slide, 0);
    const bool textHighlighted = (selected || preliminary) && !glyphOnly;
    const t_BlockPart captionPart = traits.launchable ? t_BlockPart::text : t_BlockPart::partitionText;
    RECT caption = ToRect(geometry.caption);
    caption.right -= shift;
    DrawTextIn(dc, metrics_.compact ? resources_.Font16() : resources_.Font20(),
               resources_.Color(TextColor(captionPart, textHighlighted, selected, elevated)), item.DisplayName(),
               caption, textFormat);
    if (geometry.secondary.Height() > 0) {
        RECT secondary = ToRect(geometry.secondary);
        secondary.right -= shift;
        DrawTextIn(dc, resources_.Font16(),
                   resources_.Color(TextColor(t_BlockPart::secondaryText, textHighlighted, selected, elevated)),
                   item.GetDescription(), secondary, textFormat);
    }
    if (metrics_.showIcons && item.Icon()) BlendBitmap(dc, item.Icon(), geometry.iconX, geometry.iconY, 255, imageDc);
    if (traits.jumpList) {
        const HBITMAP glyph = resources_.Bitmap(t_PopupBitmap::jumpListMark);
        const t_Rect& column = geometry.glyphColumn;
        BlendBitmap(dc, glyph, column.left + (column.Width() - resources_.Metrics().narrowGlyphWidth) / 2,
                    column.top + (column.Height() - 2 * resources_.Metrics().narrowGlyphWidth) / 2, 255, imageDc);
    }
    // The shield slides in from the right edge with the row, fully there once the slide would launch.
    if (elevationImage_ && (elevated || slide > metrics_.iconLeftInset)) {
        const std::int32_t by = elevated ? metrics_.slideRange : slide;
        const auto opacity = static_cast<BYTE>(elevated ? 255 : std::clamp(slide * 255 / metrics_.slideRange, 0, 255));
        BlendBitmap(dc, elevationImage_, rows_.Width() - by + metrics_.iconLeftInset, geometry.iconY, opacity, imageDc);
    }
}

std::wstring t_ApplicationListModel::RowName(std::size_t row) const { return EntryOf(row).DisplayName(); }

std::wstring t_ApplicationListModel::RowDescription(std::size_t row) const {
    return EntryOf(row).HasDescription() ? EntryOf(row).GetDescription() : std::wstring();
}

} // namespace n_ombrix

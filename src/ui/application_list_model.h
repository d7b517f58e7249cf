#pragma once
// The item list in the application mode: the catalogue's tree, or the search results while text is typed. The rules
// of rows, scrolling, keys and slides are the row list's; this keeps the entries, runs them, and paints the rows.

#include "ui/alphabetical_index.h"
#include "ui/item_row_geometry.h"
#include "ui/list_model.h"
#include "ui/row_list.h"

#include <windows.h>

#include <cstdint>
#include <span>
#include <vector>

namespace n_ombrix {

class t_CatalogueItem;
class t_PopupHost;
class t_WidgetResources;

class t_ApplicationListModel final : public t_ListModel {
public:
    // The resources and the host outlive the model.
    t_ApplicationListModel(t_WidgetResources& resources, t_PopupHost& host);

    // Recomputes the row metrics and the elevation images (compact mode and icons take effect at once).
    void ApplyMetrics(bool compact, bool showIcons);
    // The catalogue's top level, or the search results for a typed query (cut to what the pane shows at once).
    // The items must outlive the model's use of them: Clear before the catalogue destroys them.
    void Fill(std::span<t_CatalogueItem* const> items, bool searchResults);
    void Clear();

    const t_RowList& Rows() const noexcept { return rows_; }
    t_AlphabeticalIndex& Index() noexcept { return index_; }
    const t_CatalogueItem& EntryOf(std::size_t row) const noexcept { return *entries_[rows_.Rows()[row].entry]; }
    // Scrolls a row to the top and makes it current: the index's jumps.
    void ShowRow(std::size_t row);
    t_EmptyListText EmptyText() const noexcept;

    void ToggleCurrent() override;
    void CloseCurrent() override;
    void OpenCurrent() override;
    void ActivateCurrent() override;
    void LaunchCurrent() override;
    void DeleteCurrent() override;
    void SecondDelete() override;
    void ContextMenuAt(HWND owner, POINT screenPoint) override;
    void BeginSlide(std::int32_t x, std::int32_t y) override;
    void SlideBy(std::int32_t dx) override;
    void EndSlide() override;
    void ScrollBy(std::int32_t dy) override;
    void First() override;
    void JumpTo(wchar_t character) override;
    void PageUp() override;
    void Up() override;
    void Down() override;
    void PageDown() override;
    void Last() override;
    void FocusGained() override;
    void PointerLeft() override;
    std::optional<std::size_t> CurrentIndex() const override { return rows_.Current(); }
    std::wstring CommandTextOfCurrent() const override;
    void ElevatedModeChanged(bool on) override;
    void Resize(std::int32_t width, std::int32_t height) override;
    void PointerAt(std::int32_t x, std::int32_t y) override;
    void HoverAt(std::int32_t x, std::int32_t y) override;
    void ClickAt(std::int32_t x, std::int32_t y) override;
    void Wheel(int notches) override;
    t_ListRepaint Settle() override;
    void Paint(HDC dc, const RECT& update) override;

    std::vector<std::size_t> VisibleRows() const override { return rows_.DistinctVisibleRows(); }
    std::wstring RowName(std::size_t row) const override;
    std::wstring RowDescription(std::size_t row) const override;
    std::optional<t_Rect> RowRectangle(std::size_t row) const override { return rows_.RowRectangle(row); }
    std::wstring RowAction(std::size_t row) const override;
    void SelectRow(std::size_t row) override;
    void ActivateRow(std::size_t row) override;

private:
    t_RowTraits TraitsOf(std::uint32_t entry) const noexcept;
    void Activate(std::size_t row);
    void Launch(std::size_t row, bool elevated);
    void CopyCommand(std::size_t row);
    void OpenFolder(std::size_t row);
    void CloseFolder(std::size_t row);
    t_RowGeometry GeometryOf(std::size_t row, std::int32_t top) const noexcept;
    void PaintRow(HDC dc, HDC imageDc, const t_VisibleRow& visible) const;

    t_WidgetResources& resources_;
    t_PopupHost& host_;
    t_RowMetrics metrics_;
    t_RowList rows_;
    t_AlphabeticalIndex index_;
    // Every entry placed since the last fill; rows refer to them by position. Not owned.
    std::vector<t_CatalogueItem*> entries_;
    bool searchResults_ = false;
    bool forward_ = false;             // the way the rows last moved, for the index
    HBITMAP elevationImage_ = nullptr; // the icon store's, at the row's icon size
    // What the popup was last told.
    const t_CatalogueItem* announced_ = nullptr;
};

} // namespace n_ombrix

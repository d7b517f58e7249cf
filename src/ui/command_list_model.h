#pragma once
// The item list in the command mode: the current executor's history narrowed by the typed text, most fitting
// first, one command per row over two lines (what does not fit on the first goes on the second). Commands run
// through the popup as typed text would; Delete and Backspace remove them from the history.

#include "ui/item_row_geometry.h"
#include "ui/list_model.h"
#include "ui/row_list.h"

#include <windows.h>

#include <cstdint>

namespace n_ombrix {

class t_DefaultLauncher;
class t_PopupHost;
class t_WidgetResources;

class t_CommandListModel final : public t_ListModel {
public:
    // The resources, the host and the launcher outlive the model.
    t_CommandListModel(t_WidgetResources& resources, t_PopupHost& host, t_DefaultLauncher& launcher);

    void ApplyMetrics(bool compact);
    // The launcher's candidates for the text typed so far (the launcher has been told the text).
    void Fill(bool textTyped);
    const t_RowList& Rows() const noexcept { return rows_; }
    t_EmptyListText EmptyText() const noexcept;

    void ToggleCurrent() override {}
    void CloseCurrent() override {}
    void OpenCurrent() override {}
    void ActivateCurrent() override;
    void LaunchCurrent() override;
    void DeleteCurrent() override;
    void SecondDelete() override { DeleteCurrent(); }
    void ContextMenuAt(HWND owner, POINT screenPoint) override;
    void BeginSlide(std::int32_t, std::int32_t y) override { rows_.BeginSlide(y); }
    void SlideBy(std::int32_t dx) override { rows_.SlideBy(dx); }
    void EndSlide() override;
    void ScrollBy(std::int32_t dy) override { rows_.ScrollBy(dy); }
    void First() override { rows_.Home(); }
    void JumpTo(wchar_t) override {}
    void PageUp() override { rows_.PageUp(); }
    void Up() override { rows_.Up(); }
    void Down() override { rows_.Down(); }
    void PageDown() override { rows_.PageDown(); }
    void Last() override { rows_.End(); }
    void FocusGained() override { rows_.FocusGained(); }
    void PointerLeft() override { rows_.PointerLeft(); }
    std::optional<std::size_t> CurrentIndex() const override { return rows_.Current(); }
    std::wstring CommandTextOfCurrent() const override;
    void ElevatedModeChanged(bool on) override { rows_.SetElevatedMode(on); }
    void Resize(std::int32_t width, std::int32_t height) override { rows_.Resize(width, height); }
    void PointerAt(std::int32_t, std::int32_t y) override { rows_.PointAt(y); }
    void HoverAt(std::int32_t, std::int32_t y) override;
    void ClickAt(std::int32_t x, std::int32_t y) override;
    void Wheel(int notches) override;
    t_ListRepaint Settle() override { return rows_.Settle().repaint; }
    void Paint(HDC dc, const RECT& update) override;

    std::vector<std::size_t> VisibleRows() const override { return rows_.DistinctVisibleRows(); }
    std::wstring RowName(std::size_t row) const override { return CommandOf(row); }
    std::wstring RowDescription(std::size_t) const override { return {}; }
    std::optional<t_Rect> RowRectangle(std::size_t row) const override { return rows_.RowRectangle(row); }
    std::wstring RowAction(std::size_t) const override { return L"Run"; }
    void SelectRow(std::size_t row) override;
    void ActivateRow(std::size_t row) override;

private:
    const std::wstring& CommandOf(std::size_t row) const noexcept;
    void Run(std::size_t row, bool elevated);
    void Remove(std::size_t row);
    void ClearHistory();
    void PaintRow(HDC dc, HDC imageDc, const t_VisibleRow& visible) const;

    t_WidgetResources& resources_;
    t_PopupHost& host_;
    t_DefaultLauncher& launcher_;
    t_RowMetrics metrics_;
    t_RowList rows_;
    bool textTyped_ = false;
    HBITMAP elevationImage_ = nullptr; // the icon store's
};

} // namespace n_ombrix

#pragma once
// The popup's right-hand pane, beside the item list: the current application's jump list or the places list, as a
// column of rows that never scrolls (rows that do not fit give way by section). The row under the pointer is
// current; a click opens it, or pins or unpins it on its pin glyph. Screen readers read it like the item list.

#include "ui/accessible_object.h"
#include "ui/list_accessible.h"
#include "ui/list_model.h"
#include "ui/popup_keys.h"
#include "ui/side_list.h"
#include "ui/window.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace n_ombrix {

class t_WidgetResources;
class t_WindowClass;

class t_SidePane final : public t_Window, private t_AccessibleRows, private t_AccessibleListOwner {
public:
    // The resources and the class outlive the pane.
    t_SidePane(const t_WidgetResources& resources, const t_WindowClass& paneClass, HWND parent, int controlId);
    ~t_SidePane() override;

    // The list to show (not owned; it outlives its use here), or none.
    void SetList(t_SideList* list);
    // Where the keys go that the pane does not take (not owned; it outlives the pane).
    void SetPopupKeys(t_PopupKeys& keys) noexcept { popupKeys_ = &keys; }
    // The rows the pane shows, by their position in the list.
    const std::vector<std::size_t>& ShownRows() const noexcept { return shown_; }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() const;
    void PaintRow(HDC dc, HDC imageDc, std::size_t place) const;
    void ChooseRows();
    // The shown row at y and whether x is on its pin glyph; nothing on a header or below the rows.
    std::optional<std::size_t> RowAt(std::int32_t y) const noexcept;
    bool OnPin(std::int32_t x, std::size_t place) const noexcept;
    void MakeCurrent(std::optional<std::size_t> place, bool pinPart);
    void OnButtonUp(POINT point);
    void OnContextMenu(POINT screenPoint);
    bool OnKey(WPARAM key);
    std::vector<t_SideRowTraits> ShownTraits() const;
    // After an edit the list assembled its rows anew: they are chosen again, the current row kept by its place.
    void Reassembled(std::optional<std::size_t> current);
    RECT RowRect(std::size_t place) const noexcept;
    std::int32_t PinColumn() const noexcept;

    // t_AccessibleRows: rows by their place among the shown rows.
    std::optional<std::size_t> CurrentIndex() const override { return current_; }
    std::vector<std::size_t> VisibleRows() const override;
    std::wstring RowName(std::size_t place) const override { return list_->Text(shown_[place]); }
    std::wstring RowDescription(std::size_t) const override { return {}; }
    std::optional<t_Rect> RowRectangle(std::size_t place) const override;
    std::wstring RowAction(std::size_t place) const override;
    void SelectRow(std::size_t place) override { MakeCurrent(place, false); }
    void ActivateRow(std::size_t place) override;
    // t_AccessibleListOwner
    HWND AccessibleWindow() const noexcept override { return Handle(); }
    t_AccessibleRows& AccessibleModel() noexcept override { return *this; }
    void AccessibleActionDone() override {}

    const t_WidgetResources& resources_;
    t_SideList* list_ = nullptr; // not owned
    t_PopupKeys* popupKeys_ = nullptr;
    std::vector<std::size_t> shown_;
    std::optional<std::size_t> current_; // a place in shown_
    bool pinPart_ = false;
    std::optional<std::size_t> remembered_; // the current row while the pane has no focus
    bool tracking_ = false;
    t_AccessibleObject accessible_{*this};
};

} // namespace n_ombrix

#pragma once
// What the item list pane asks of the list it shows: the applications (or their search results) in the application
// mode, the history's commands in the command mode. The pane knows only focus, pointer, keys and painting;
// everything about entries sits behind these operations, declared in a fixed order that both modes keep.
//
// Positions are in the pane's client coordinates. After each message the pane calls Settle, which tells the popup
// what changed and the pane what to repaint.

#include "ui/row_list.h"

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace n_ombrix {

// What a list shows in place of rows, and why.
enum class t_EmptyListText : std::uint8_t { none, noMatches, emptyCatalogue, nothingTyped };

// The rows of a pane as assistive tools meet them: the rows on screen, by their index among all rows.
class t_AccessibleRows {
public:
    virtual std::optional<std::size_t> CurrentIndex() const = 0;
    virtual std::vector<std::size_t> VisibleRows() const = 0;
    virtual std::wstring RowName(std::size_t row) const = 0;
    virtual std::wstring RowDescription(std::size_t row) const = 0;
    virtual std::optional<t_Rect> RowRectangle(std::size_t row) const = 0;
    // The verb of the row's default action, in the words screen readers use for lists and trees.
    virtual std::wstring RowAction(std::size_t row) const = 0;
    virtual void SelectRow(std::size_t row) = 0;
    // Makes the row current and runs it as a click would.
    virtual void ActivateRow(std::size_t row) = 0;

protected:
    t_AccessibleRows() = default;
    t_AccessibleRows(const t_AccessibleRows&) = default;
    t_AccessibleRows& operator=(const t_AccessibleRows&) = default;
    ~t_AccessibleRows() = default;
};

class t_ListModel : public t_AccessibleRows {
public:
    virtual void ToggleCurrent() = 0;
    virtual void CloseCurrent() = 0;
    virtual void OpenCurrent() = 0;
    // Enter or a click: a folder opens or closes, anything else runs.
    virtual void ActivateCurrent() = 0;
    // Enter in the search box: only what can run, and the popup hides.
    virtual void LaunchCurrent() = 0;
    virtual void DeleteCurrent() = 0;
    virtual void SecondDelete() = 0;
    // At a point on the screen; the pane owns the menu.
    virtual void ContextMenuAt(HWND owner, POINT screenPoint) = 0;
    virtual void BeginSlide(std::int32_t x, std::int32_t y) = 0;
    // dx: positive to the left.
    virtual void SlideBy(std::int32_t dx) = 0;
    virtual void EndSlide() = 0;
    virtual void ScrollBy(std::int32_t dy) = 0;
    virtual void First() = 0;
    // Type-ahead, with the character upper-cased.
    virtual void JumpTo(wchar_t character) = 0;
    virtual void PageUp() = 0;
    virtual void Up() = 0;
    virtual void Down() = 0;
    virtual void PageDown() = 0;
    virtual void Last() = 0;
    virtual void FocusGained() = 0;
    virtual void PointerLeft() = 0;
    // What Ctrl+Space and "copy to the search box" put there; empty when the current entry has none.
    virtual std::wstring CommandTextOfCurrent() const = 0;
    virtual void ElevatedModeChanged(bool on) = 0;
    virtual void Resize(std::int32_t width, std::int32_t height) = 0;
    virtual void PointerAt(std::int32_t x, std::int32_t y) = 0;
    virtual void HoverAt(std::int32_t x, std::int32_t y) = 0;
    virtual void ClickAt(std::int32_t x, std::int32_t y) = 0;
    // Signed notches; positive: turned away from the user.
    virtual void Wheel(int notches) = 0;
    // Tells the popup of a new current entry or moved rows, and gives what to repaint since the last call.
    virtual t_ListRepaint Settle() = 0;
    // Draws the rows that meet the update rectangle into the pane's paint buffer.
    virtual void Paint(HDC dc, const RECT& update) = 0;

    virtual ~t_ListModel() = default;

protected:
    t_ListModel() = default;
    t_ListModel(const t_ListModel&) = default;
    t_ListModel& operator=(const t_ListModel&) = default;
};

} // namespace n_ombrix

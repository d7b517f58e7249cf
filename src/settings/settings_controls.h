#pragma once
// The standard controls the settings window is made of, created in one way: a child with the settings font, and the
// list views as single-selection report lists without headers in the Explorer look. The controls are destroyed with
// their parent. A control that cannot be created throws the Windows error exception.

#include <windows.h>

#include <string>

namespace n_ombrix {

HWND CreateControl(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int id, HFONT font,
                   DWORD extendedStyle = 0);
HWND CreateReportList(HWND parent, int id, bool editLabels, HFONT font);

// Report list rows and columns; the row functions take and give row positions, the selection -1 when none.
void AddColumn(HWND list, int column);
int InsertRow(HWND list, int row, const std::wstring& text, int image = -1);
void SetCellText(HWND list, int row, int column, const std::wstring& text);
int SelectedRow(HWND list) noexcept;
void SelectRow(HWND list, int row) noexcept;

// A list's remove button is enabled while a row is selected; when it goes off with the focus, the focus goes to the
// list, where the keyboard can go on.
void EnableForSelection(HWND list, HWND removeButton) noexcept;
// Deletes a row and selects the one that took its place (or the last), so that Remove can be pressed again.
void DeleteRow(HWND list, int row) noexcept;

// WM_ERASEBKGND of a window of ours: its client area in a system colour.
LRESULT EraseWithSystemColor(HWND window, WPARAM dc, int colorIndex) noexcept;

// An edit control's whole text.
std::wstring ControlText(HWND control);

} // namespace n_ombrix

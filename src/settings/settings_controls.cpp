#include "settings/settings_controls.h"

#include "system/error_exception.h"

#include <commctrl.h>
#include <uxtheme.h>

namespace n_ombrix {

HWND CreateControl(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int id, HFONT font,
                   DWORD extendedStyle) {
    const HWND control =
        CreateWindowExW(extendedStyle, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (!control) n_zql::n_system::n_windows::ThrowWin32Error(GetLastError());
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

HWND CreateReportList(HWND parent, int id, bool editLabels, HFONT font) {
    const HWND list = CreateControl(parent, WC_LISTVIEWW, L"",
                                    WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_NOCOLUMNHEADER | LVS_SHOWSELALWAYS |
                                        (editLabels ? LVS_EDITLABELS : 0),
                                    id, font, WS_EX_CLIENTEDGE);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER,
                 LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    SetWindowTheme(list, L"Explorer", nullptr);
    return list;
}

void AddColumn(HWND list, int column) {
    LVCOLUMNW description{};
    description.mask = LVCF_SUBITEM;
    description.iSubItem = column;
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&description));
}

int InsertRow(HWND list, int row, const std::wstring& text, int image) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | (image >= 0 ? LVIF_IMAGE : 0u);
    item.iItem = row;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    item.iImage = image;
    return static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void SetCellText(HWND list, int row, int column, const std::wstring& text) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

int SelectedRow(HWND list) noexcept {
    return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void SelectRow(HWND list, int row) noexcept {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

void EnableForSelection(HWND list, HWND removeButton) noexcept {
    const bool enabled = SelectedRow(list) >= 0;
    if (!enabled && GetFocus() == removeButton) SetFocus(list);
    EnableWindow(removeButton, enabled);
}

void DeleteRow(HWND list, int row) noexcept {
    SendMessageW(list, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
    const int remaining = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    if (remaining > 0) SelectRow(list, row < remaining ? row : remaining - 1);
}

LRESULT EraseWithSystemColor(HWND window, WPARAM dc, int colorIndex) noexcept {
    RECT client{};
    GetClientRect(window, &client);
    FillRect(reinterpret_cast<HDC>(dc), &client, GetSysColorBrush(colorIndex));
    return 1;
}

std::wstring ControlText(HWND control) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)), L'\0');
    if (!text.empty())
        text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()) + 1)));
    return text;
}

} // namespace n_ombrix

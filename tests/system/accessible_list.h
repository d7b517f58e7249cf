#pragma once
// Reading a list through its accessible object, as a screen reader in another process does.

#include "eventually.h"
#include "system/com_ptr.h"

#include <oleacc.h>

#include <algorithm>
#include <string>
#include <vector>

namespace n_ombrix_test {

inline VARIANT Child(LONG id) {
    VARIANT child{};
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

// A text property of the list (CHILDID_SELF) or a row; "(none)" when there is none.
inline std::wstring Text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*), IAccessible& accessible,
                         LONG id) {
    BSTR text = nullptr;
    if (FAILED((accessible.*get)(Child(id), &text)) || !text) return L"(none)";
    std::wstring result(text, SysStringLen(text));
    SysFreeString(text);
    return result;
}

// A number property (role, state); -1 when there is none.
inline LONG Number(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*), IAccessible& accessible, LONG id) {
    VARIANT value{};
    if (FAILED((accessible.*get)(Child(id), &value)) || value.vt != VT_I4) return -1;
    return value.lVal;
}

// The list pane's own accessible object, once the pane answers as a list (up to ten seconds); empty if it never does.
inline n_zql::n_system::n_windows::n_com::t_ComPtr<IAccessible> WaitForAccessibleList(HWND parent, int controlId) {
    n_zql::n_system::n_windows::n_com::t_ComPtr<IAccessible> found;
    const auto answers = [&] {
        const HWND list = GetDlgItem(parent, controlId);
        return list &&
               SUCCEEDED(AccessibleObjectFromWindow(list, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                                    reinterpret_cast<void**>(found.Put()))) &&
               Number(&IAccessible::get_accRole, *found.Get(), CHILDID_SELF) == ROLE_SYSTEM_LIST;
    };
    if (!Eventually(answers, std::chrono::seconds(10))) found.Reset();
    return found;
}

// The names of the rows on screen, from the top.
inline std::vector<std::wstring> RowNames(IAccessible& list) {
    LONG count = 0;
    if (FAILED(list.get_accChildCount(&count))) return {};
    std::vector<std::wstring> names;
    for (LONG id = 1; id <= count; ++id) names.push_back(Text(&IAccessible::get_accName, list, id));
    return names;
}

// The id of the first row on screen of that name; 0 when there is none.
inline LONG RowId(IAccessible& list, std::wstring_view name) {
    const std::vector<std::wstring> names = RowNames(list);
    const auto found = std::ranges::find(names, name);
    return found == names.end() ? 0 : static_cast<LONG>(found - names.begin()) + 1;
}

// The rows once the first is the one named (up to five seconds); none if it never is.
inline std::vector<std::wstring> WaitForFirstRow(IAccessible& list, const std::wstring& first) {
    std::vector<std::wstring> rows;
    if (!Eventually([&] { return !(rows = RowNames(list)).empty() && rows.front() == first; })) rows.clear();
    return rows;
}

} // namespace n_ombrix_test

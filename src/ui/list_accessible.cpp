#include "ui/list_accessible.h"

#include "system/error_exception.h"
#include "ui/list_model.h"
#include "ui/message_loop.h"

#include <algorithm>
#include <new>
#include <string>
#include <vector>

namespace n_ombrix {

namespace {

// Exceptions never unwind into the caller's COM frames: failures become their HRESULT, anything else goes to the
// message loop as a window procedure's would.
template <typename t_Body> HRESULT Guarded(t_Body&& body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (const n_zql::n_system::n_windows::t_ErrorException& error) {
        return error.Result();
    } catch (...) {
        t_MessageLoop::Abandon(std::current_exception());
        return E_FAIL;
    }
}

HRESULT ReturnText(const std::wstring& text, BSTR* result) {
    if (!result) return E_POINTER;
    *result = nullptr;
    if (text.empty()) return S_FALSE;
    *result = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *result ? S_OK : E_OUTOFMEMORY;
}

void SetChild(VARIANT* variant, LONG child) noexcept {
    variant->vt = VT_I4;
    variant->lVal = child;
}

} // namespace

std::optional<LONG> t_ListAccessible::ChildIdOf(std::size_t row) const {
    if (!owner_) return std::nullopt;
    const std::vector<std::size_t> rows = owner_->AccessibleModel().VisibleRows();
    const auto found = std::ranges::find(rows, row);
    if (found == rows.end()) return std::nullopt;
    return static_cast<LONG>(found - rows.begin()) + 1;
}

HRESULT t_ListAccessible::RowOf(const VARIANT& child, std::optional<std::size_t>& row) const {
    row.reset();
    if (!owner_) return CO_E_OBJNOTCONNECTED;
    if (child.vt != VT_I4) return E_INVALIDARG;
    if (child.lVal == CHILDID_SELF) return S_OK;
    const std::vector<std::size_t> rows = owner_->AccessibleModel().VisibleRows();
    if (child.lVal < 1 || static_cast<std::size_t>(child.lVal) > rows.size()) return E_INVALIDARG;
    row = rows[static_cast<std::size_t>(child.lVal) - 1];
    return S_OK;
}

HRESULT t_ListAccessible::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG t_ListAccessible::Release() {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT t_ListAccessible::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT t_ListAccessible::get_accParent(IDispatch** parent) {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    if (!owner_) return CO_E_OBJNOTCONNECTED;
    // The window's frame object, which the system makes.
    return AccessibleObjectFromWindow(owner_->AccessibleWindow(), static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                      reinterpret_cast<void**>(parent));
}

HRESULT t_ListAccessible::get_accChildCount(LONG* count) {
    return Guarded([&]() -> HRESULT {
        if (!count) return E_POINTER;
        if (!owner_) return CO_E_OBJNOTCONNECTED;
        *count = static_cast<LONG>(owner_->AccessibleModel().VisibleRows().size());
        return S_OK;
    });
}

HRESULT t_ListAccessible::get_accChild(VARIANT child, IDispatch** dispatch) {
    // Rows are simple children, answered through this object with their ids.
    if (!dispatch) return E_POINTER;
    *dispatch = nullptr;
    return Guarded([&]() -> HRESULT {
        std::optional<std::size_t> row;
        const HRESULT result = RowOf(child, row);
        return FAILED(result) ? result : S_FALSE;
    });
}

HRESULT t_ListAccessible::get_accName(VARIANT child, BSTR* name) {
    return Guarded([&]() -> HRESULT {
        std::optional<std::size_t> row;
        if (const HRESULT result = RowOf(child, row); FAILED(result)) return result;
        return ReturnText(row ? owner_->AccessibleModel().RowName(*row) : std::wstring(), name);
    });
}

HRESULT t_ListAccessible::get_accValue(VARIANT, BSTR* value) {
    if (!value) return E_POINTER;
    *value = nullptr;
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT t_ListAccessible::get_accDescription(VARIANT child, BSTR* description) {
    return Guarded([&]() -> HRESULT {
        std::optional<std::size_t> row;
        if (const HRESULT result = RowOf(child, row); FAILED(result)) return result;
        return ReturnText(row ? owner_->AccessibleModel().RowDescription(*row) : std::wstring(), description);
    });
}

HRESULT t_ListAccessible::get_accRole(VARIANT child, VARIANT* role) {
    return Guarded([&]() -> HRESULT {
        if (!role) return E_POINTER;
        std::optional<std::size_t> row;
        if (const HRESULT result = RowOf(child, row); FAILED(result)) return result;
        SetChild(role, row ? ROLE_SYSTEM_LISTITEM : ROLE_SYSTEM_LIST);
        return S_OK;
    });
}

HRESULT t_ListAccessible::get_accState(VARIANT child, VARIANT* state) {
    return Guarded([&]() -> HRESULT {
        if (!state) return E_POINTER;
        std::optional<std::size_t> row;
        if (const HRESULT result = RowOf(child, row); FAILED(result)) return result;
        const HWND window = owner_->AccessibleWindow();
        const bool focused = GetFocus() == window;
        LONG flags = STATE_SYSTEM_FOCUSABLE;
        if (row) {
            flags = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
            if (owner_->AccessibleModel().CurrentIndex() == row)
                flags |= STATE_SYSTEM_SELECTED | (focused ? STATE_SYSTEM_FOCUSED : 0);
        } else if (focused) {
            flags |= STATE_SYSTEM_FOCUSED;
        }
        if (!IsWindowVisible(window)) flags |= STATE_SYSTEM_INVISIBLE;
        SetChild(state, flags);
        return S_OK;
    });
}

HRESULT t_ListAccessible::get_accHelp(VARIANT, BSTR* help) {
    if (!help) return E_POINTER;
    *help = nullptr;
    return S_FALSE;
}

HRESULT t_ListAccessible::get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) {
    if (file) *file = nullptr;
    if (topic) *topic = -1;
    return S_FALSE;
}

HRESULT t_ListAccessible::get_accKeyboardShortcut(VARIANT, BSTR* shortcut) {
    if (!shortcut) return E_POINTER;
    *shortcut = nullptr;
    return S_FALSE;
}

HRESULT t_ListAccessible::get_accFocus(VARIANT* child) {
    return Guarded([&]() -> HRESULT {
        if (!child) return E_POINTER;
        child->vt = VT_EMPTY;
        if (!owner_) return CO_E_OBJNOTCONNECTED;
        if (GetFocus() != owner_->AccessibleWindow()) return S_FALSE;
        const std::optional<std::size_t> current = owner_->AccessibleModel().CurrentIndex();
        const std::optional<LONG> id = current ? ChildIdOf(*current) : std::nullopt;
        SetChild(child, id.value_or(CHILDID_SELF));
        return S_OK;
    });
}

HRESULT t_ListAccessible::get_accSelection(VARIANT* children) {
    return Guarded([&]() -> HRESULT {
        if (!children) return E_POINTER;
        children->vt = VT_EMPTY;
        if (!owner_) return CO_E_OBJNOTCONNECTED;
        const std::optional<std::size_t> current = owner_->AccessibleModel().CurrentIndex();
        const std::optional<LONG> id = current ? ChildIdOf(*current) : std::nullopt;
        if (!id) return S_FALSE;
        SetChild(children, *id);
        return S_OK;
    });
}

HRESULT t_ListAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    return Guarded([&]() -> HRESULT {
        std::optional<std::size_t> row;
        if (const HRESULT result = RowOf(child, row); FAILED(result)) return result;
        return ReturnText(row ? owner_->AccessibleModel().RowAction(*row) : std::wstring(), action);
    });
}

HRESULT t_ListAccessible::accSelect(long flags, VARIANT child) {
    return Guarded([&]() -> HRESULT {
        std::optional<std::size_t> row;
        if (const HRESULT result = RowOf(child, row); FAILED(result)) return result;
        if (!row) return E_INVALIDARG;
        if (flags & SELFLAG_TAKEFOCUS) SetFocus(owner_->AccessibleWindow());
        if (flags & (SELFLAG_TAKESELECTION | SELFLAG_TAKEFOCUS)) {
            owner_->AccessibleModel().SelectRow(*row);
            owner_->AccessibleActionDone();
        }
        return S_OK;
    });
}

HRESULT t_ListAccessible::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
    return Guarded([&]() -> HRESULT {
        if (!left || !top || !width || !height) return E_POINTER;
        std::optional<std::size_t> row;
        if (const HRESULT result = RowOf(child, row); FAILED(result)) return result;
        RECT rect{};
        const HWND window = owner_->AccessibleWindow();
        if (row) {
            const std::optional<t_Rect> found = owner_->AccessibleModel().RowRectangle(*row);
            if (!found) return E_INVALIDARG;
            rect = {found->left, found->top, found->right, found->bottom};
        } else {
            GetClientRect(window, &rect);
        }
        MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
        *left = rect.left;
        *top = rect.top;
        *width = rect.right - rect.left;
        *height = rect.bottom - rect.top;
        return S_OK;
    });
}

HRESULT t_ListAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
    return Guarded([&]() -> HRESULT {
        if (!end) return E_POINTER;
        end->vt = VT_EMPTY;
        std::optional<std::size_t> row;
        if (const HRESULT result = RowOf(start, row); FAILED(result)) return result;
        const auto count = static_cast<LONG>(owner_->AccessibleModel().VisibleRows().size());
        const LONG from = start.lVal;
        LONG to = 0;
        switch (direction) {
        case NAVDIR_FIRSTCHILD:
            to = from == CHILDID_SELF && count > 0 ? 1 : 0;
            break;
        case NAVDIR_LASTCHILD:
            to = from == CHILDID_SELF ? count : 0;
            break;
        case NAVDIR_NEXT:
        case NAVDIR_DOWN:
            to = from != CHILDID_SELF && from < count ? from + 1 : 0;
            break;
        case NAVDIR_PREVIOUS:
        case NAVDIR_UP:
            to = from != CHILDID_SELF && from > 1 ? from - 1 : 0;
            break;
        default:
            return E_NOTIMPL;
        }
        if (to == 0) return S_FALSE;
        SetChild(end, to);
        return S_OK;
    });
}

HRESULT t_ListAccessible::accHitTest(long x, long y, VARIANT* child) {
    return Guarded([&]() -> HRESULT {
        if (!child) return E_POINTER;
        child->vt = VT_EMPTY;
        if (!owner_) return CO_E_OBJNOTCONNECTED;
        const HWND window = owner_->AccessibleWindow();
        POINT point{x, y};
        ScreenToClient(window, &point);
        RECT client{};
        GetClientRect(window, &client);
        if (!PtInRect(&client, point)) return S_FALSE;
        t_AccessibleRows& model = owner_->AccessibleModel();
        for (const std::size_t row : model.VisibleRows()) {
            const std::optional<t_Rect> rect = model.RowRectangle(row);
            if (rect && point.y >= rect->top && point.y < rect->bottom) {
                SetChild(child, ChildIdOf(row).value_or(CHILDID_SELF));
                return S_OK;
            }
        }
        SetChild(child, CHILDID_SELF);
        return S_OK;
    });
}

HRESULT t_ListAccessible::accDoDefaultAction(VARIANT child) {
    return Guarded([&]() -> HRESULT {
        std::optional<std::size_t> row;
        if (const HRESULT result = RowOf(child, row); FAILED(result)) return result;
        if (!row) return DISP_E_MEMBERNOTFOUND;
        owner_->AccessibleModel().ActivateRow(*row);
        if (owner_) owner_->AccessibleActionDone();
        return S_OK;
    });
}

} // namespace n_ombrix

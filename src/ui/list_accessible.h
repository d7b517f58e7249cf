#pragma once
// A pane of rows (the item list, the side pane) as screen readers meet it (MSAA, which Windows bridges to UI
// Automation): a list whose children are the rows on screen, each a list item named by its caption and described by
// its secondary text, selected and focused when current, with a default action that runs it as a click would.
//
// The pane hands one out for WM_GETOBJECT and keeps it; at its destruction the pane disconnects it, and every call
// that reaches it afterwards (a client may hold it longer) answers that the object is gone.

#include <oleacc.h>
#include <windows.h>

#include <atomic>
#include <cstddef>
#include <optional>

namespace n_ombrix {

class t_AccessibleRows;

// What the accessible list asks of its pane.
class t_AccessibleListOwner {
public:
    virtual HWND AccessibleWindow() const noexcept = 0;
    virtual t_AccessibleRows& AccessibleModel() noexcept = 0;
    // After the object ran a row: the pane repaints and tells the popup.
    virtual void AccessibleActionDone() = 0;

protected:
    ~t_AccessibleListOwner() = default;
};

// COM objects are released, never deleted through the interface, so IAccessible has no virtual destructor.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif
class t_ListAccessible final : public IAccessible {
public:
    explicit t_ListAccessible(t_AccessibleListOwner& owner) noexcept : owner_(&owner) {}
    t_ListAccessible(const t_ListAccessible&) = delete;
    t_ListAccessible& operator=(const t_ListAccessible&) = delete;

    void Disconnect() noexcept { owner_ = nullptr; }
    // The child id of a row on screen (1 for the first), if it is on screen.
    std::optional<LONG> ChildIdOf(std::size_t row) const;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override;
    // IDispatch: not offered; clients use the IAccessible methods.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }
    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** dispatch) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~t_ListAccessible() = default;

    // The row of a child id: nothing for the list itself (CHILDID_SELF); E_INVALIDARG for an id that names no row.
    HRESULT RowOf(const VARIANT& child, std::optional<std::size_t>& row) const;

    std::atomic<ULONG> references_ = 1;
    t_AccessibleListOwner* owner_; // null once disconnected
};
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

} // namespace n_ombrix

#include "catalogue/shell_verbs.h"

#include "system/com_ptr.h"
#include "system/unique_handle.h"

#include <shellapi.h>
#include <shlguid.h>

#include <cwchar>
#include <string_view>

namespace n_ombrix {

using namespace n_zql::n_system::n_windows;
using n_com::t_ComPtr;

bool InvokeDefaultVerb(IUnknown* object) {
    if (!object) return false;
    t_ComPtr<IContextMenu> contextMenu;
    if (FAILED(object->QueryInterface(IID_PPV_ARGS(contextMenu.Put())))) return false;
    const t_Menu menu(CreatePopupMenu());
    if (!menu || FAILED(contextMenu->QueryContextMenu(menu.Get(), 0, 0, 0x7FFFFFFF, CMF_DEFAULTONLY))) return false;
    const UINT command = GetMenuDefaultItem(menu.Get(), FALSE, 0);
    if (command == static_cast<UINT>(-1)) return false;

    // CMIC_MASK_UNICODE promises the extended structure, so handlers may read its wide fields: give them the same verb.
    CMINVOKECOMMANDINFOEX invocation{};
    invocation.cbSize = sizeof invocation;
    invocation.fMask = CMIC_MASK_FLAG_LOG_USAGE | CMIC_MASK_UNICODE | CMIC_MASK_FLAG_NO_UI | CMIC_MASK_NOASYNC;
    invocation.lpVerb = MAKEINTRESOURCEA(command & 0xFFFF);
    invocation.lpVerbW = MAKEINTRESOURCEW(command & 0xFFFF);
    invocation.nShow = SW_SHOWNORMAL;
    return SUCCEEDED(contextMenu->InvokeCommand(reinterpret_cast<CMINVOKECOMMANDINFO*>(&invocation)));
}

namespace {

bool OpenWithHandler(IShellItem* item, const std::wstring& extension, const std::wstring& applicationName) {
    t_ComPtr<IEnumAssocHandlers> handlers;
    if (FAILED(SHAssocEnumHandlers(extension.c_str(), ASSOC_FILTER_RECOMMENDED, handlers.Put())) || !handlers)
        return false;
    for (;;) {
        t_ComPtr<IAssocHandler> handler;
        ULONG fetched = 0;
        if (handlers->Next(1, handler.Put(), &fetched) != S_OK || !handler) return false;
        n_com::t_CoTaskMemString name;
        if (FAILED(handler->GetUIName(name.Put())) || !name.Get() || _wcsicmp(name.Get(), applicationName.c_str()) != 0)
            continue;
        // A handler of that name that cannot take the item leaves the next one of the same name to try.
        t_ComPtr<IDataObject> data;
        if (SUCCEEDED(item->BindToHandler(nullptr, BHID_DataObject, IID_PPV_ARGS(data.Put()))) &&
            SUCCEEDED(handler->Invoke(data.Get())))
            return true;
    }
}

} // namespace

bool OpenWithApplication(IShellItem* item, const std::wstring& applicationName) {
    if (!item) return false;
    n_com::t_CoTaskMemString name;
    if (FAILED(item->GetDisplayName(SIGDN_DESKTOPABSOLUTEPARSING, name.Put())) || !name.Get()) return false;
    const std::wstring_view path = name.Get();
    const std::size_t dot = path.rfind(L'.');
    const std::wstring extension = dot == std::wstring_view::npos || path.find(L'\\', dot) != std::wstring_view::npos
                                       ? L""
                                       : std::wstring(path.substr(dot));
    if (!extension.empty() && !applicationName.empty() && OpenWithHandler(item, extension, applicationName))
        return true;

    n_com::t_IdList idList;
    if (FAILED(SHGetIDListFromObject(item, idList.Put())) || !idList) return false;
    SHELLEXECUTEINFOW execution{};
    execution.cbSize = sizeof execution;
    execution.fMask = SEE_MASK_IDLIST | SEE_MASK_FLAG_LOG_USAGE;
    execution.lpIDList = const_cast<void*>(static_cast<const void*>(idList.Get()));
    execution.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&execution) != FALSE;
}

} // namespace n_ombrix

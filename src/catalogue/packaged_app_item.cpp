#include "catalogue/packaged_app_item.h"

#include "system/com_ptr.h"

#include <shobjidl.h>

namespace n_ombrix {

bool t_PackagedAppItem::Launch(bool) const { return ActivatePackagedApp(GetAppId()); }

bool ActivatePackagedApp(const std::wstring& appUserModelId) {
    n_zql::n_system::n_windows::n_com::t_ComPtr<IApplicationActivationManager> manager;
    if (FAILED(CoCreateInstance(CLSID_ApplicationActivationManager, nullptr, CLSCTX_LOCAL_SERVER,
                                IID_PPV_ARGS(manager.Put()))))
        return false;
    // The started app may take the foreground from us.
    CoAllowSetForegroundWindow(manager.Get(), nullptr);
    DWORD processId = 0;
    return SUCCEEDED(manager->ActivateApplication(appUserModelId.c_str(), nullptr, AO_NONE, &processId));
}

} // namespace n_ombrix

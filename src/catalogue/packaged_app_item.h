#pragma once
// One application of an installed package, started through the shell's activation manager.

#include "catalogue/catalogue_item.h"

namespace n_ombrix {

// Starts the packaged application of that AppUserModelID through the shell's activation manager; false when it did
// not start or there is no activation manager (as under Wine).
bool ActivatePackagedApp(const std::wstring& appUserModelId);

class t_PackagedAppItem : public t_ApplicationItem {
public:
    t_PackagedAppItem(HBITMAP icon, std::wstring displayName, std::wstring description, std::wstring appId)
        : t_ApplicationItem(icon, std::move(displayName), std::move(description), std::move(appId)) {}

    // Packaged apps cannot be started elevated; the flag is ignored. False also when the activation manager is not
    // there (as under Wine).
    bool Launch(bool elevated) const override;
};

} // namespace n_ombrix

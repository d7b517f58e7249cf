#pragma once
// The applications of the packages installed for the user, as the registry's package repository and each package's
// manifest list them. A missing key or value, or a manifest that cannot be read, leaves that package out.

#include "catalogue/package_manifest.h"

#include <vector>

namespace n_ombrix {

std::vector<t_PackagedApp> InstalledPackagedApps();

} // namespace n_ombrix

#pragma once
// Puts properties into a link saved through IShellLinkW, as the shell itself stores them: a property-store block in
// the link's extra data. Wine's link IPropertyStore stores nothing, so tests write the block into the bytes.

#include "catalogue/link_properties.h"

#include <string>
#include <vector>

namespace n_ombrix_test {

// Puts a property-store block holding the properties before the link's terminal block (a value read first wins, so
// a link saved without properties, as Wine saves them, reads these). Throws
// std::runtime_error when the file is not a whole shell link.
void AddLinkProperties(const std::wstring& linkPath, const std::vector<n_ombrix::t_Property>& properties);

} // namespace n_ombrix_test

#pragma once
// A shell link's properties as the rest of the program asks for them: from the link's property store where the
// platform answers, else from the link's own bytes (Wine's link property store answers nothing). The bytes are
// read once, when the store first fails to answer. Used on the user-interface thread.

#include "catalogue/link_properties.h"
#include "system/com_ptr.h"

#include <propsys.h>

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace n_ombrix {

class t_LinkPropertyReader {
public:
    // The link's bytes are in memory already (a link loaded from a stream); they must outlive the reader.
    t_LinkPropertyReader(IUnknown* link, std::span<const std::byte> linkBytes);
    // The link was loaded from this file, which is read only if the store does not answer.
    t_LinkPropertyReader(IUnknown* link, std::wstring linkPath);

    // Null when the key has no string.
    std::optional<std::wstring> String(const t_PropertyKey& key);
    // False when the key has no boolean.
    bool Bool(const t_PropertyKey& key);
    // Whether the key has a value of any type but VT_EMPTY.
    bool Has(const t_PropertyKey& key);
    // Whether the platform's store answered for the key; where it did not, the caller may know better.
    bool StoreAnswers(const t_PropertyKey& key);

private:
    // The store's value for the key, or false when the store does not answer.
    bool FromStore(const t_PropertyKey& key, n_zql::n_system::n_windows::n_com::t_PropVariant& value);
    const t_PropertyValues& FromBytes();

    n_zql::n_system::n_windows::n_com::t_ComPtr<IPropertyStore> store_;
    std::span<const std::byte> linkBytes_;
    std::wstring linkPath_;
    std::optional<t_PropertyValues> fromBytes_;
};

} // namespace n_ombrix

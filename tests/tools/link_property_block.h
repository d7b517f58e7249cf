#pragma once
// Properties put into a shell link's bytes as the shell stores them: a property-store block in the link's extra
// data. Wine's link IPropertyStore stores nothing, so tests and fuzzers write the block themselves. Neutral.

#include "catalogue/link_properties.h"

#include <cstddef>
#include <span>
#include <vector>

namespace n_ombrix_test {

// The property-store block (size, signature 0xA0000009, one storage per format identifier in order of first use,
// the ending zero) holding the properties. Strings end at their first NUL.
std::vector<std::byte> PropertyStoreDataBlock(std::span<const n_ombrix::t_Property> properties);

// The link with the block put before its terminal block; empty when the link is not whole.
std::vector<std::byte> WithPropertyStoreDataBlock(std::span<const std::byte> linkBytes,
                                                  std::span<const std::byte> block);

} // namespace n_ombrix_test

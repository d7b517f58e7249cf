#pragma once
// Keys of the icon store's cache of small images: the source an image came from, as the identity hash (CRC-64 over
// UTF-16LE bytes). Platform-neutral.

#include <cstdint>
#include <string_view>

namespace n_ombrix {

using t_IconSourceKey = std::uint64_t;

// All ones: the source has no key, and nothing is looked up or stored under it.
constexpr t_IconSourceKey noIconSourceKey = ~t_IconSourceKey{0};

// An icon location: the path as stored (not expanded) in upper case, then the index's four bytes, least significant
// first.
t_IconSourceKey IconLocationKey(std::wstring_view path, std::int32_t index);

// A file-system path in upper case. Only paths of 1 to 259 characters have a key.
t_IconSourceKey FileSystemPathKey(std::wstring_view path);

} // namespace n_ombrix

#include "catalogue/icon_source_key.h"

#include "system/identity_hash.h"
#include "system/upper_case.h"

#include <array>
#include <cstddef>

namespace n_ombrix {

namespace {

using n_zql::n_system::UpperCased;

} // namespace

t_IconSourceKey IconLocationKey(std::wstring_view path, std::int32_t index) {
    const auto value = static_cast<std::uint32_t>(index);
    const std::array<std::byte, 4> indexBytes{std::byte(value & 0xFF), std::byte((value >> 8) & 0xFF),
                                              std::byte((value >> 16) & 0xFF), std::byte(value >> 24)};
    return n_zql::n_system::Crc64(indexBytes, n_zql::n_system::Crc64OfText(UpperCased(path)));
}

t_IconSourceKey FileSystemPathKey(std::wstring_view path) {
    if (path.empty() || path.size() >= 260) return noIconSourceKey;
    return n_zql::n_system::Crc64OfText(UpperCased(path));
}

} // namespace n_ombrix

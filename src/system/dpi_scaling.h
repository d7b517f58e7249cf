#pragma once
// DPI arithmetic shared by every per-size table and every length given at 96 DPI. Platform-neutral.

#include <cstdint>

namespace n_zql::n_system {

// L x dpi / 96 with a 64-bit intermediate and truncating division.
constexpr std::int32_t ScaleForDpi(std::int32_t length96, std::int32_t dpi) noexcept {
    return static_cast<std::int32_t>(static_cast<std::int64_t>(length96) * dpi / 96);
}

// The DPI class that indexes per-size tables: 3 from 192 DPI, 2 from 144, 1 from 120, else 0.
constexpr int DpiClassOf(std::int32_t verticalDpi) noexcept {
    if (verticalDpi >= 192) return 3;
    if (verticalDpi >= 144) return 2;
    if (verticalDpi >= 120) return 1;
    return 0;
}

} // namespace n_zql::n_system

#pragma once
// A pixel setting with limits given at 96 DPI and converted to the screen's DPI. Platform-neutral.

#include "system/dpi_scaling.h"

#include <cstdint>

namespace n_ombrix {

struct t_ScaledRange {
    std::int32_t minimum;
    std::int32_t maximum;
    std::int32_t defaultValue;
    std::int32_t current;

    static constexpr t_ScaledRange At(std::int32_t dpi, std::int32_t minimum96, std::int32_t maximum96,
                                      std::int32_t default96) noexcept {
        using n_zql::n_system::ScaleForDpi;
        const std::int32_t defaultValue = ScaleForDpi(default96, dpi);
        return {ScaleForDpi(minimum96, dpi), ScaleForDpi(maximum96, dpi), defaultValue, defaultValue};
    }

    constexpr bool Contains(std::int32_t value) const noexcept { return value >= minimum && value <= maximum; }

    friend bool operator==(const t_ScaledRange&, const t_ScaledRange&) = default;
};

} // namespace n_ombrix

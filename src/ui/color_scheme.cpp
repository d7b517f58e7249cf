#include "ui/color_scheme.h"

namespace n_ombrix {

namespace {

constexpr t_Color fallbackColorization = 0x00F7E5CE;
constexpr std::uint32_t greyChannel = 217;

} // namespace

t_Color AccentBackground(std::optional<std::uint32_t> colorization, std::optional<std::uint32_t> balance) noexcept {
    const std::uint32_t accent = colorization.value_or(fallbackColorization);
    const std::uint32_t percent = balance && *balance <= 100 ? *balance : 100;
    // Each channel blends with grey by the balance; the numerator is never negative since the balance is at most 100.
    const auto blend = [percent](std::uint32_t channel) {
        return static_cast<std::uint32_t>(
                   (static_cast<std::int32_t>(channel) - static_cast<std::int32_t>(greyChannel)) *
                       static_cast<std::int32_t>(percent) +
                   static_cast<std::int32_t>(greyChannel * 100)) /
               100;
    };
    // The accent is 0xAARRGGBB; the background a colour of ours, 0x00BBGGRR.
    return Rgb(blend(accent >> 16 & 0xFF), blend(accent >> 8 & 0xFF), blend(accent & 0xFF));
}

t_ColorScheme SchemeColors(const t_ColorScheme& configured, bool useWindowsTheme, t_Color accentBackground) noexcept {
    if (!useWindowsTheme) return configured;
    t_ColorScheme scheme{};
    for (std::size_t i = 0; i < colorCount; ++i) scheme[i] = colorTable[i].defaultValue;
    scheme[static_cast<std::size_t>(t_ColorIndex::windowBackground)] = accentBackground;
    return scheme;
}

} // namespace n_ombrix

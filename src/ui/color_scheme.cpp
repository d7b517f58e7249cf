#include "ui/color_scheme.h"

namespace n_ombrix {

namespace {

constexpr t_Color fallbackColorization = 0x00F7E5CE;
constexpr std::uint32_t greyChannel = 217;

// The dark scheme shipped beside the program, "Ombrix Dark.qln", in the scheme's order.
constexpr t_ColorScheme darkScheme{
    Rgb(80, 80, 80),   Rgb(32, 32, 32),  Rgb(240, 240, 240), Rgb(190, 190, 190), Rgb(150, 195, 255),
    Rgb(90, 140, 200), Rgb(45, 55, 70),  Rgb(240, 240, 240), Rgb(190, 190, 190), Rgb(150, 195, 255),
    Rgb(90, 140, 200), Rgb(40, 70, 110), Rgb(240, 240, 240), Rgb(190, 190, 190), Rgb(150, 195, 255),
    Rgb(200, 150, 40), Rgb(65, 55, 35),  Rgb(240, 240, 240), Rgb(190, 190, 190), Rgb(150, 195, 255),
    Rgb(200, 150, 40), Rgb(85, 68, 28),  Rgb(240, 240, 240), Rgb(190, 190, 190), Rgb(150, 195, 255),
    Rgb(60, 60, 60),   Rgb(40, 70, 110), Rgb(240, 240, 240), Rgb(70, 70, 70),    Rgb(24, 24, 24),
    Rgb(0, 90, 180),
};

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

const t_ColorScheme& DarkScheme() noexcept { return darkScheme; }

t_ColorScheme SchemeColors(const t_ColorScheme& configured, bool useWindowsTheme, t_Color accentBackground,
                           bool darkApps) noexcept {
    if (!useWindowsTheme) return configured;
    t_ColorScheme scheme = darkScheme;
    if (darkApps)
        // Behind dark panes the accent shows at a quarter of its brightness.
        accentBackground = (accentBackground >> 2) & 0x003F3F3Fu;
    else
        for (std::size_t i = 0; i < colorCount; ++i) scheme[i] = colorTable[i].defaultValue;
    scheme[static_cast<std::size_t>(t_ColorIndex::windowBackground)] = accentBackground;
    return scheme;
}

} // namespace n_ombrix

#pragma once
// The 31 colours of the colour scheme: their names (also the element names in the files) and default values,
// 0x00BBGGRR. Platform-neutral.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace n_ombrix {

using t_Color = std::uint32_t;

constexpr t_Color Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) noexcept { return r | (g << 8) | (b << 16); }

struct t_NamedColor {
    std::wstring_view name;
    t_Color defaultValue;
};

inline constexpr std::size_t colorCount = 31;

// Every text colour reads at a contrast of 4.5:1 or more on each background it is drawn on, in every state; so do the
// schemes shipped beside the program.
inline constexpr std::array<t_NamedColor, colorCount> colorTable{{
    {L"frame", Rgb(100, 100, 100)},
    {L"area", Rgb(255, 255, 255)},
    {L"text", Rgb(0, 0, 0)},
    {L"secondary text", Rgb(95, 95, 95)},
    {L"partition text", Rgb(0, 51, 153)},
    {L"preliminary selection frame", Rgb(102, 167, 232)},
    {L"preliminary selection area", Rgb(240, 247, 255)},
    {L"preliminary selection text", Rgb(0, 0, 0)},
    {L"preliminary selection secondary text", Rgb(95, 95, 95)},
    {L"preliminary selection partition text", Rgb(0, 51, 153)},
    {L"selection frame", Rgb(102, 167, 232)},
    {L"selection area", Rgb(209, 232, 255)},
    {L"selection text", Rgb(0, 0, 0)},
    {L"selection secondary text", Rgb(95, 95, 95)},
    {L"selection partition text", Rgb(0, 51, 153)},
    {L"elevated preliminary selection frame", Rgb(245, 178, 0)},
    {L"elevated preliminary selection area", Rgb(255, 251, 240)},
    {L"elevated preliminary selection text", Rgb(0, 0, 0)},
    {L"elevated preliminary selection secondary text", Rgb(95, 95, 95)},
    {L"elevated preliminary selection partition text", Rgb(0, 51, 153)},
    {L"elevated selection frame", Rgb(245, 178, 0)},
    {L"elevated selection area", Rgb(255, 244, 209)},
    {L"elevated selection text", Rgb(0, 0, 0)},
    {L"elevated selection secondary text", Rgb(95, 95, 95)},
    {L"elevated selection partition text", Rgb(0, 51, 153)},
    {L"index inactive area", Rgb(100, 100, 100)},
    {L"index active area", Rgb(0, 80, 160)},
    {L"index text", Rgb(255, 255, 255)},
    {L"separator", Rgb(178, 193, 224)},
    {L"window background", Rgb(206, 229, 247)},
    {L"app icon fallback background", Rgb(0, 0, 255)},
}};

} // namespace n_ombrix

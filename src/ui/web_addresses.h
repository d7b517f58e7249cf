#pragma once
// The product's web addresses. They are kept enciphered in the program image, so that they are not lying about as
// plain text, and deciphered only at the moment of use. Characters 14 and 15 of each address are a placeholder for
// the language of the string table, put in when the address is used. Platform-neutral.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace n_ombrix {

using t_EncipheredText = std::span<const std::uint16_t>;

namespace n_cipher {

// A position-dependent key stream (xorshift), so that repeated characters do not repeat in the image.
constexpr std::uint16_t KeyAt(std::size_t index) noexcept {
    std::uint32_t state = 0x9E3779B9u ^ static_cast<std::uint32_t>(index * 0x85EBCA6Bu);
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return static_cast<std::uint16_t>(state ^ (state >> 16));
}

template <std::size_t N> consteval std::array<std::uint16_t, N - 1> Encipher(const wchar_t (&text)[N]) {
    std::array<std::uint16_t, N - 1> units{};
    for (std::size_t i = 0; i + 1 < N; ++i) units[i] = static_cast<std::uint16_t>(text[i]) ^ KeyAt(i);
    return units;
}

} // namespace n_cipher

std::wstring Decipher(t_EncipheredText text);

// The deciphered address with the first two characters of the language put at positions 14 and 15.
std::wstring WebAddressForLanguage(t_EncipheredText address, std::wstring_view language);

// The home page (44 characters), the address behind the About box's link (43 characters) and the page of colour
// schemes that the settings window links to (56 characters).
t_EncipheredText HomePageAddress() noexcept;
t_EncipheredText AboutLinkAddress() noexcept;
t_EncipheredText ColorSchemesAddress() noexcept;

} // namespace n_ombrix

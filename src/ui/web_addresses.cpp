#include "ui/web_addresses.h"

namespace n_ombrix {

namespace {

// The language goes where "xx" stands. The project has no site yet, so these stay under the reserved .example
// domain.
constexpr auto homePage = n_cipher::Encipher(L"https://about.xx.ombrix.example/welcome.html");
constexpr auto aboutLink = n_cipher::Encipher(L"https://about.xx.ombrix.example/thanks.html");
constexpr auto colorSchemesLink = n_cipher::Encipher(L"https://about.xx.ombrix.example/color-schemes/index.html");
static_assert(homePage.size() == 44 && aboutLink.size() == 43 && colorSchemesLink.size() == 56);

constexpr std::size_t languagePosition = 14;

} // namespace

std::wstring Decipher(t_EncipheredText text) {
    std::wstring plain(text.size(), L'\0');
    for (std::size_t i = 0; i < text.size(); ++i) plain[i] = static_cast<wchar_t>(text[i] ^ n_cipher::KeyAt(i));
    return plain;
}

std::wstring WebAddressForLanguage(t_EncipheredText address, std::wstring_view language) {
    std::wstring plain = Decipher(address);
    for (std::size_t i = 0; i < 2 && i < language.size() && languagePosition + i < plain.size(); ++i)
        plain[languagePosition + i] = language[i];
    return plain;
}

t_EncipheredText HomePageAddress() noexcept { return homePage; }
t_EncipheredText AboutLinkAddress() noexcept { return aboutLink; }
t_EncipheredText ColorSchemesAddress() noexcept { return colorSchemesLink; }

} // namespace n_ombrix

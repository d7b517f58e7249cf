#include "ui/web_addresses.h"

#include <gtest/gtest.h>

using namespace n_ombrix;

TEST(WebAddresses, DecipheredOnlyWhenUsedWithTheLanguageInPlace) {
    const std::wstring home = WebAddressForLanguage(HomePageAddress(), L"de");
    const std::wstring about = WebAddressForLanguage(AboutLinkAddress(), L"fr-CA");
    EXPECT_EQ(home.substr(0, 8) + home.substr(14, 2), L"https://de");
    EXPECT_EQ(about.substr(14, 3), L"fr."); // only the first two characters of the language
    // No unit of the program image reads as its plain character.
    const t_EncipheredText stored = HomePageAddress();
    const std::wstring plain = Decipher(stored);
    for (std::size_t i = 0; i < stored.size(); ++i) EXPECT_NE(stored[i], static_cast<std::uint16_t>(plain[i])) << i;
}

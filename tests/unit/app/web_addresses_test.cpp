#include "app/web_addresses.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace n_ombrix;

TEST(WebAddresses, DecipheredWithTheLanguageInPlace) {
    const std::wstring home = WebAddressForLanguage(HomePageAddress(), L"de");
    EXPECT_EQ(home.size(), 44u);
    EXPECT_EQ(home.substr(0, 8), L"https://");
    EXPECT_EQ(home.substr(14, 2), L"de");
    const std::wstring about = WebAddressForLanguage(AboutLinkAddress(), L"fr-CA");
    EXPECT_EQ(about.size(), 43u);
    EXPECT_EQ(about.substr(14, 2), L"fr"); // only the first two characters of the language
    EXPECT_EQ(home.substr(16, 16), about.substr(16, 16)); // same site, other page
}

TEST(WebAddresses, NotStoredAsPlainText) {
    const std::wstring plain = Decipher(HomePageAddress());
    const auto stored = HomePageAddress();
    // No run of three stored units reads as the plain text.
    for (std::size_t i = 0; i + 3 <= stored.size(); ++i) {
        const bool same = std::equal(stored.begin() + i, stored.begin() + i + 3, plain.begin() + i,
                                     [](std::uint16_t unit, wchar_t c) { return unit == static_cast<std::uint16_t>(c); });
        EXPECT_FALSE(same) << "at " << i;
    }
}

#include "system/identity_hash.h"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>

using namespace n_zql::n_system;

TEST(IdentityHash, NamesExplorersJumpListFilesAsWindowsDoes) {
    // Windows names Explorer's jump-list files after this hash (see the shared test data).
    EXPECT_EQ(ApplicationIdentityHash(L"Microsoft.Windows.Explorer"), 0xf01b4d95cf55d32aull);
    // The identity is upper-cased first, so the letter case of the identity does not matter.
    EXPECT_EQ(ApplicationIdentityHash(L"microsoft.windows.EXPLORER"), 0xf01b4d95cf55d32aull);
    EXPECT_EQ(ApplicationIdentityHash(L""), ~std::uint64_t{0});
}

TEST(IdentityHash, TextIsHashedAsUtf16LittleEndianBytes) {
    const std::array<std::byte, 4> bytes{std::byte{'A'}, std::byte{0}, std::byte{0xAC}, std::byte{0x20}};
    EXPECT_EQ(Crc64OfText(L"A\u20AC"), Crc64(bytes));
    // A character beyond 16 bits is its surrogate pair, whatever the width of wchar_t.
    const std::array<std::byte, 4> pair{std::byte{0x3D}, std::byte{0xD8}, std::byte{0x00}, std::byte{0xDE}};
    EXPECT_EQ(Crc64OfText(L"\U0001F600"), Crc64(pair));
}

TEST(IdentityHash, ContinuesAcrossPieces) {
    EXPECT_EQ(Crc64OfText(L"Explorer", Crc64OfText(L"Microsoft.Windows.")), Crc64OfText(L"Microsoft.Windows.Explorer"));
    EXPECT_EQ(Crc64({}), identityHashStart);
}

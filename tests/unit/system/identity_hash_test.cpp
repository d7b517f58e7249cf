#include "system/identity_hash.h"

#include <gtest/gtest.h>

#include <array>

using namespace n_zql::n_system;

TEST(IdentityHash, NamesExplorersJumpListFilesAsWindowsDoesOverUtf16LittleEndianBytes) {
    // Windows names Explorer's jump-list files f01b4d95cf55d32a.*, after the identity in upper case.
    EXPECT_EQ(ApplicationIdentityHash(L"microsoft.windows.EXPLORER"), 0xf01b4d95cf55d32aull);
    EXPECT_EQ(Crc64OfText(L"EXPLORER", Crc64OfText(L"MICROSOFT.WINDOWS.")), 0xf01b4d95cf55d32aull);
    // A character beyond 16 bits is its surrogate pair, whatever the width of wchar_t.
    const std::array<std::byte, 6> bytes{std::byte{'A'},  std::byte{0},    std::byte{0x3D},
                                         std::byte{0xD8}, std::byte{0x00}, std::byte{0xDE}};
    EXPECT_EQ(Crc64(std::span(bytes).subspan(2), Crc64(std::span(bytes).first(2))), Crc64OfText(L"A\U0001F600"));
}

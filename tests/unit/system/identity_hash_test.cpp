#include "system/identity_hash.h"

#include <gtest/gtest.h>

using namespace n_zql::n_system;

TEST(IdentityHash, NamesExplorersJumpListFilesAsWindowsDoesOverUtf16LittleEndianBytes) {
    // Windows names Explorer's jump-list files f01b4d95cf55d32a.*, after the identity in upper case.
    EXPECT_EQ(ApplicationIdentityHash(L"Microsoft.Windows.Explorer"), 0xf01b4d95cf55d32aull);
    // A character beyond 16 bits is its surrogate pair D83D DE00, whatever the width of wchar_t ("A" with its NUL is
    // 41 00); both CRCs go on from the value they are given.
    EXPECT_EQ(Crc64(std::as_bytes(std::span("\x3D\xD8\0\xDE", 4)), Crc64OfText(L"A")),
              Crc64OfText(L"\U0001F600", Crc64(std::as_bytes(std::span("A", 2)))));
}

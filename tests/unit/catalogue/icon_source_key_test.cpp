#include "catalogue/icon_source_key.h"

#include "system/identity_hash.h"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <string>

using namespace n_ombrix;
using n_zql::n_system::Crc64;
using n_zql::n_system::Crc64OfText;

TEST(IconSourceKey, IconLocationIsTheUpperCasedPathThenTheIndexLeastSignificantByteFirst) {
    const std::array<std::byte, 4> three{std::byte{3}, std::byte{0}, std::byte{0}, std::byte{0}};
    const std::array<std::byte, 4> minus15{std::byte{0xF1}, std::byte{0xFF}, std::byte{0xFF}, std::byte{0xFF}};
    const std::array<std::byte, 4> wide{std::byte{0x04}, std::byte{0x03}, std::byte{0x02}, std::byte{0x01}};
    const auto upper = Crc64OfText(L"%SYSTEMROOT%\\SYSTEM32\\SHELL32.DLL");

    EXPECT_EQ(IconLocationKey(L"%SystemRoot%\\system32\\shell32.dll", 3), Crc64(three, upper));
    EXPECT_EQ(IconLocationKey(L"%SystemRoot%\\system32\\shell32.dll", -15), Crc64(minus15, upper));
    EXPECT_EQ(IconLocationKey(L"%SystemRoot%\\system32\\shell32.dll", 0x01020304), Crc64(wide, upper));
    // Letter case does not matter; the unexpanded text is what counts, and the index tells icons of one file apart.
    EXPECT_EQ(IconLocationKey(L"%systemroot%\\SYSTEM32\\Shell32.dll", 3),
              IconLocationKey(L"%SystemRoot%\\system32\\shell32.dll", 3));
    EXPECT_NE(IconLocationKey(L"C:\\Windows\\system32\\shell32.dll", 3),
              IconLocationKey(L"%SystemRoot%\\system32\\shell32.dll", 3));
    EXPECT_NE(IconLocationKey(L"C:\\a.exe", 1), IconLocationKey(L"C:\\a.exe", 256));
}

TEST(IconSourceKey, FileSystemPathsBetween1And259CharactersHaveAKey) {
    EXPECT_EQ(FileSystemPathKey(L"C:\\Windows\\notepad.exe"), Crc64OfText(L"C:\\WINDOWS\\NOTEPAD.EXE"));
    EXPECT_EQ(FileSystemPathKey(L"c:\\windows\\NOTEPAD.exe"), FileSystemPathKey(L"C:\\Windows\\notepad.exe"));
    EXPECT_EQ(FileSystemPathKey(L""), noIconSourceKey);
    const std::wstring longest = L"C:\\" + std::wstring(256, L'a');
    ASSERT_EQ(longest.size(), 259u);
    EXPECT_NE(FileSystemPathKey(longest), noIconSourceKey);
    EXPECT_EQ(FileSystemPathKey(longest + L"a"), noIconSourceKey);
}

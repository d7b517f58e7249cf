// Keys of the icon cache: one key for one source, whatever the letter case, and none for paths out of range.

#include "catalogue/icon_source_key.h"

#include <gtest/gtest.h>

#include <string>

using namespace n_ombrix;

TEST(IconSourceKey, LetterCaseDoesNotMatterButTheUnexpandedTextEveryIndexByteAndThePathLengthDo) {
    const std::wstring_view dll = L"%SystemRoot%\\system32\\shell32.dll";
    EXPECT_EQ(IconLocationKey(L"%systemroot%\\SYSTEM32\\Shell32.dll", -15), IconLocationKey(dll, -15));
    EXPECT_NE(IconLocationKey(L"C:\\Windows\\system32\\shell32.dll", 3), IconLocationKey(dll, 3));
    for (const int i : {1, 1 << 8, 1 << 16, 1 << 24, -1}) EXPECT_NE(IconLocationKey(dll, i), IconLocationKey(dll, 0));
    // Only paths of 1 to 259 characters have a key.
    const std::wstring longest = L"C:\\" + std::wstring(256, L'a');
    EXPECT_EQ(FileSystemPathKey(L"c:\\windows\\NOTEPAD.exe"), FileSystemPathKey(L"C:\\Windows\\notepad.exe"));
    EXPECT_NE(FileSystemPathKey(longest), noIconSourceKey);
    EXPECT_EQ(FileSystemPathKey(longest + L"a"), noIconSourceKey);
    EXPECT_EQ(FileSystemPathKey(L""), noIconSourceKey);
}

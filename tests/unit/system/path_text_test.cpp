#include "system/path_text.h"

#include <gtest/gtest.h>

using namespace n_zql::n_system;

TEST(PathText, FolderIsCutAfterTheLastSeparatorOfEitherKind) {
    EXPECT_EQ(FolderOfPath(L"C:\\Program Files\\Ombrix\\Ombrix.exe"), L"C:\\Program Files\\Ombrix\\");
    EXPECT_EQ(FolderOfPath(L"C:\\Tools/Ombrix/Ombrix.exe"), L"C:\\Tools/Ombrix/");
    EXPECT_EQ(FolderOfPath(L"C:/Tools\\Ombrix.exe"), L"C:/Tools\\");
    EXPECT_EQ(FolderOfPath(L"\\\\server\\share\\Ombrix.exe"), L"\\\\server\\share\\");
    // No separator at all: there is no program folder.
    EXPECT_EQ(FolderOfPath(L"Ombrix.exe"), L"");
    EXPECT_EQ(FolderOfPath(L""), L"");
}

TEST(PathText, ExactlyOneTrailingBackslash) {
    EXPECT_EQ(WithTrailingBackslash(L"C:\\Users\\me\\AppData\\Roaming"), L"C:\\Users\\me\\AppData\\Roaming\\");
    // The platform sometimes gives the separator already (a drive root always): it is not doubled.
    EXPECT_EQ(WithTrailingBackslash(L"C:\\"), L"C:\\");
    EXPECT_EQ(WithTrailingBackslash(L"D:\\Start Menu\\"), L"D:\\Start Menu\\");
    EXPECT_EQ(WithTrailingBackslash(L""), L"\\");
}
